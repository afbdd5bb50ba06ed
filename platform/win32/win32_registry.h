#pragma once
#include "platform/registry.h"

namespace rw {

// The real registry, through the ANSI advapi32 calls.
class Win32Registry : public Registry {
 public:
  long OpenKey(RegKey hive, const std::string& path, RegKey* key) override;
  long OpenKeyEx(RegKey hive, const std::string& path, std::uint32_t access,
                 RegKey* key) override;
  long QueryValueLimits(RegKey key, std::uint32_t* maxNameChars,
                        std::uint32_t* maxDataBytes) override;
  long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameChars,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataBytes) override;
  long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                    std::uint8_t* data, std::uint32_t* dataBytes) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long CloseKey(RegKey key) override;
};

}  // namespace rw
