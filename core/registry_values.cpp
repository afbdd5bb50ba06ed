#include "core/registry_values.h"

namespace rw {

bool RegistryKeyExists(Registry& registry, RegKey hive, const std::string& keyPath) {
  RegKey key = 0;
  registry.OpenKey(hive, keyPath, &key);
  const bool exists = key != 0;
  if (exists) registry.CloseKey(key);
  return exists;
}

bool DeleteRegistryValue(Registry& registry, RegKey hive, const std::string& keyPath,
                         const std::string& valueName) {
  if (!RegistryKeyExists(registry, hive, keyPath)) return true;
  RegKey key = 0;
  registry.OpenKey(hive, keyPath, &key);
  if (key == 0) return false;  // vanished or refused between the two opens
  const long result = registry.DeleteValue(key, valueName);
  registry.CloseKey(key);
  return result == kRegSuccess || result == kRegFileNotFound;
}

}  // namespace rw
