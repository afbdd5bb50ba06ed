#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/win32/wide_calls_win32.h"

namespace rw {

namespace {
// Registry handles carry 32 significant bits everywhere; the predefined
// hives are sign-extended, as windows.h defines them on 64-bit builds.
HKEY ToHkey(RegKey key) {
  return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
}
RegKey FromHkey(HKEY key) { return static_cast<RegKey>(reinterpret_cast<ULONG_PTR>(key)); }

}  // namespace

long Win32Registry::OpenKey(RegKey hive, const std::string& path, RegKey* key) {
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyA(ToHkey(hive), path.c_str(), &opened);
  if (result == ERROR_SUCCESS) *key = FromHkey(opened);
  return result;
}

long Win32Registry::OpenKeyEx(RegKey hive, const std::string& path, std::uint32_t access,
                              RegKey* key) {
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExA(ToHkey(hive), path.c_str(), 0, access, &opened);
  if (result == ERROR_SUCCESS) *key = FromHkey(opened);
  return result;
}

long Win32Registry::QueryValueLimits(RegKey key, std::uint32_t* maxNameChars,
                                     std::uint32_t* maxDataBytes) {
  DWORD names = 0;
  DWORD data = 0;
  const LONG result = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, &names, &data, nullptr, nullptr);
  if (result == ERROR_SUCCESS) {
    *maxNameChars = names;
    *maxDataBytes = data;
  }
  return result;
}

long Win32Registry::EnumValue(RegKey key, std::uint32_t index, char* name,
                              std::uint32_t* nameChars, std::uint32_t* type, std::uint8_t* data,
                              std::uint32_t* dataBytes) {
  DWORD nameLength = *nameChars;
  DWORD dataLength = *dataBytes;
  DWORD valueType = REG_NONE;
  const LONG result = RegEnumValueA(ToHkey(key), index, name, &nameLength, nullptr, &valueType,
                                    data, &dataLength);
  *nameChars = nameLength;
  *dataBytes = dataLength;
  if (type != nullptr) *type = valueType;
  return result;
}

long Win32Registry::EnumValueWide(RegKey key, std::uint32_t index, char16_t* name,
                                  std::uint32_t* nameChars, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* dataBytes) {
  const auto enumValue = regEnumValueW_.get();
  if (enumValue == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
  DWORD nameLength = *nameChars;
  DWORD dataLength = *dataBytes;
  DWORD valueType = REG_NONE;
  const LONG result = enumValue(ToHkey(key), index, reinterpret_cast<wchar_t*>(name), &nameLength,
                                nullptr, &valueType, data, &dataLength);
  *nameChars = nameLength;
  *dataBytes = dataLength;
  if (type != nullptr) *type = valueType;
  return result;
}

long Win32Registry::QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* dataBytes) {
  DWORD dataLength = *dataBytes;
  DWORD valueType = REG_NONE;
  const LONG result =
      RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType, data, &dataLength);
  *dataBytes = dataLength;
  if (type != nullptr) *type = valueType;
  return result;
}

long Win32Registry::DeleteValue(RegKey key, const std::string& name) {
  return RegDeleteValueA(ToHkey(key), name.c_str());
}

long Win32Registry::QueryValueExWide(RegKey key, const std::u16string& name, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* dataBytes) {
  const auto queryValue = regQueryValueExW_.get();
  if (queryValue == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
  DWORD dataLength = *dataBytes;
  DWORD valueType = REG_NONE;
  const LONG result = queryValue(ToHkey(key), AsWide(name), nullptr, &valueType, data, &dataLength);
  *dataBytes = dataLength;
  if (type != nullptr) *type = valueType;
  return result;
}

long Win32Registry::DeleteValueWide(RegKey key, const std::u16string& name) {
  const auto deleteValue = regDeleteValueW_.get();
  if (deleteValue == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
  return deleteValue(ToHkey(key), AsWide(name));
}

long Win32Registry::DeleteValueCounted(RegKey key, const std::u16string& name) {
  const auto deleteValue = ntDeleteValueKey_.get();
  const auto toError = statusToError_.get();
  // A counted name holds at most 32767 units.
  if (deleteValue == nullptr || toError == nullptr || name.size() > 0x7FFF) return ERROR_CALL_NOT_IMPLEMENTED;
  std::u16string buffer = name;  // the call takes a writable buffer
  CountedName counted = {static_cast<USHORT>(name.size() * 2), static_cast<USHORT>(name.size() * 2),
                         reinterpret_cast<PWSTR>(buffer.data())};
  const LONG status = deleteValue(ToHkey(key), &counted);
  return status >= 0 ? ERROR_SUCCESS : static_cast<long>(toError(status));
}

long Win32Registry::ReadValue(RegKey, const ExactName&, std::uint32_t*, std::vector<std::uint8_t>*) {
  return ERROR_CALL_NOT_IMPLEMENTED;  // STUB: being written
}

long Win32Registry::WriteValue(RegKey, const ExactName&, std::uint32_t, const std::vector<std::uint8_t>&) {
  return ERROR_CALL_NOT_IMPLEMENTED;  // STUB: being written
}

long Win32Registry::CreateKey(RegKey, const std::string&, RegKey*) {
  return ERROR_CALL_NOT_IMPLEMENTED;  // STUB: being written
}

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace rw
