#pragma once
#include <windows.h>

#include "platform/registry.h"
#include "platform/win32/wide_calls_win32.h"

namespace rw {

// The real registry, through the ANSI advapi32 calls, and the wide ones where
// the system implements them.
class Win32Registry : public Registry {
 public:
  long OpenKey(RegKey hive, const std::string& path, RegKey* key) override;
  long OpenKeyEx(RegKey hive, const std::string& path, std::uint32_t access,
                 RegKey* key) override;
  long QueryValueLimits(RegKey key, std::uint32_t* maxNameChars,
                        std::uint32_t* maxDataBytes) override;
  long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameChars,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataBytes) override;
  long EnumValueWide(RegKey key, std::uint32_t index, char16_t* name, std::uint32_t* nameChars,
                     std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataBytes) override;
  long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                    std::uint8_t* data, std::uint32_t* dataBytes) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long QueryValueExWide(RegKey key, const std::u16string& name, std::uint32_t* type,
                        std::uint8_t* data, std::uint32_t* dataBytes) override;
  long DeleteValueWide(RegKey key, const std::u16string& name) override;
  long DeleteValueCounted(RegKey key, const std::u16string& name) override;
  long CloseKey(RegKey key) override;
  long ReadValue(RegKey key, const ExactName& name, std::uint32_t* type, std::vector<std::uint8_t>* data) override;
  long WriteValue(RegKey key, const ExactName& name, std::uint32_t type, const std::vector<std::uint8_t>& data) override;
  long CreateKey(RegKey hive, const std::string& path, RegKey* key) override;

 private:
  using RegEnumValueWFunction = LONG(WINAPI*)(HKEY, DWORD, LPWSTR, LPDWORD, LPDWORD, LPDWORD,
                                              LPBYTE, LPDWORD);
  using RegQueryValueExWFunction = LONG(WINAPI*)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE,
                                                 LPDWORD);
  using RegDeleteValueWFunction = LONG(WINAPI*)(HKEY, LPCWSTR);
  RuntimeFunction<RegEnumValueWFunction> regEnumValueW_{"ADVAPI32.DLL", "RegEnumValueW"};
  RuntimeFunction<RegQueryValueExWFunction> regQueryValueExW_{"ADVAPI32.DLL", "RegQueryValueExW"};
  RuntimeFunction<RegDeleteValueWFunction> regDeleteValueW_{"ADVAPI32.DLL", "RegDeleteValueW"};
  // The native calls, in NT's own terms: a counted name and a status.
  struct CountedName {
    USHORT length;  // in bytes
    USHORT maximumLength;
    PWSTR buffer;
  };
  using NtDeleteValueKeyFunction = LONG(WINAPI*)(HANDLE, CountedName*);
  using RtlNtStatusToDosErrorFunction = ULONG(WINAPI*)(LONG);
  RuntimeFunction<NtDeleteValueKeyFunction> ntDeleteValueKey_{"NTDLL.DLL", "NtDeleteValueKey"};
  RuntimeFunction<RtlNtStatusToDosErrorFunction> statusToError_{"NTDLL.DLL", "RtlNtStatusToDosError"};
};

}  // namespace rw
