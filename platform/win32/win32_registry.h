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
  long ReadCounted(RegKey key, const std::u16string& name, std::uint32_t* type,
                   std::vector<std::uint8_t>* data);
  long WriteCounted(RegKey key, const std::u16string& name, std::uint32_t type,
                    const std::vector<std::uint8_t>& data);

  using RegEnumValueWFunction = LONG(WINAPI*)(HKEY, DWORD, LPWSTR, LPDWORD, LPDWORD, LPDWORD,
                                              LPBYTE, LPDWORD);
  using RegQueryValueExWFunction = LONG(WINAPI*)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE,
                                                 LPDWORD);
  using RegDeleteValueWFunction = LONG(WINAPI*)(HKEY, LPCWSTR);
  using RegSetValueExWFunction = LONG(WINAPI*)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD);
  RuntimeFunction<RegEnumValueWFunction> regEnumValueW_{"ADVAPI32.DLL", "RegEnumValueW"};
  RuntimeFunction<RegQueryValueExWFunction> regQueryValueExW_{"ADVAPI32.DLL", "RegQueryValueExW"};
  RuntimeFunction<RegDeleteValueWFunction> regDeleteValueW_{"ADVAPI32.DLL", "RegDeleteValueW"};
  RuntimeFunction<RegSetValueExWFunction> regSetValueExW_{"ADVAPI32.DLL", "RegSetValueExW"};
  // The native calls, in NT's own terms: a counted name and a status.
  struct CountedName {
    USHORT length;  // in bytes
    USHORT maximumLength;
    PWSTR buffer;
  };
  using NtDeleteValueKeyFunction = LONG(WINAPI*)(HANDLE, CountedName*);
  // Information class 2, KeyValuePartialInformation: type, data length, data.
  using NtQueryValueKeyFunction = LONG(WINAPI*)(HANDLE, CountedName*, int, void*, ULONG, ULONG*);
  using NtSetValueKeyFunction = LONG(WINAPI*)(HANDLE, CountedName*, ULONG, ULONG, const void*, ULONG);
  using RtlNtStatusToDosErrorFunction = ULONG(WINAPI*)(LONG);
  RuntimeFunction<NtDeleteValueKeyFunction> ntDeleteValueKey_{"NTDLL.DLL", "NtDeleteValueKey"};
  RuntimeFunction<NtQueryValueKeyFunction> ntQueryValueKey_{"NTDLL.DLL", "NtQueryValueKey"};
  RuntimeFunction<NtSetValueKeyFunction> ntSetValueKey_{"NTDLL.DLL", "NtSetValueKey"};
  RuntimeFunction<RtlNtStatusToDosErrorFunction> statusToError_{"NTDLL.DLL", "RtlNtStatusToDosError"};
  // Calls |call|(counted name, status to error) where the native call
  // |function| and the status conversion exist; not implemented otherwise.
  template <typename Function, typename Call>
  long WithCountedName(Function function, const std::u16string& name, Call call);
};

}  // namespace rw
