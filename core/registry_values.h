#pragma once
// Testing for a key and deleting one named value below it.
#include <string>

#include "platform/exact_name.h"
#include "platform/registry.h"

namespace rw {

// True when the key can be opened.
bool RegistryKeyExists(Registry& registry, RegKey hive, const std::string& keyPath);

// Deletes the value of exactly that name ("" is the key's default value),
// through the wide call for a Unicode name. Returns kRegSuccess
// when the value is gone afterwards: deleted now, already missing, or its key
// missing; otherwise the platform's error code for what stood in the way.
long DeleteRegistryValue(Registry& registry, RegKey hive, const std::string& keyPath,
                         const ExactName& valueName);

}  // namespace rw
