#pragma once
// Finding and starting the Windows System Information tool.
#include <string>

#include "platform/platform.h"

namespace rw {

extern const char kSysInfoUnavailable[];

// Reads one value below |root| into |text|: REG_SZ as its text, REG_DWORD as
// "&h" and its hexadecimal digits, other types leaving |text| as it was.
// False, with |text| emptied, when the key or value cannot be read, is larger
// than 1024 bytes, or is empty.
bool ReadRegValue(Registry& registry, RegKey root, const std::string& keyPath,
                  const std::string& valueName, std::string* text);

// Starts the tool from the first location that names it, or says it cannot.
void StartSysInfo(const Platform& platform);

}  // namespace rw
