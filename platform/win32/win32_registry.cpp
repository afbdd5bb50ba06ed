#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/win32/wide_calls_win32.h"

namespace rw {

namespace {
// Registry handles carry 32 significant bits everywhere; the predefined
// hives are sign-extended, as windows.h defines them on 64-bit builds.
HKEY ToHkey(RegKey key) {
  return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
}
RegKey FromHkey(HKEY key) { return static_cast<RegKey>(reinterpret_cast<ULONG_PTR>(key)); }

// A counted name holds at most 32767 units.
constexpr std::size_t kMaxCountedUnits = 0x7FFF;
constexpr int kKeyValuePartialInformation = 2;
constexpr LONG kStatusBufferOverflow = static_cast<LONG>(0x80000005);
constexpr LONG kStatusBufferTooSmall = static_cast<LONG>(0xC0000023);

// A value read whole into a buffer that grows until the value fits: another
// program may make it larger between two calls. |query| takes the buffer and
// its size, and gives a Win32 code with the size read, or on ERROR_MORE_DATA
// the size it needs.
template <class Query>
long ReadGrowing(Query query, std::vector<std::uint8_t>* buffer) {
  buffer->assign(256, 0);
  for (;;) {
    DWORD size = static_cast<DWORD>(buffer->size());
    const long result = query(buffer->data(), &size);
    if (result != ERROR_MORE_DATA) {
      if (result == ERROR_SUCCESS && size < buffer->size()) buffer->resize(size);
      return result;
    }
    buffer->resize(size > buffer->size() ? size : buffer->size() * 2);
  }
}

// RegSetValueEx on NT and Wine counts a string's NUL itself when the data
// lack one and the character after them is NUL: it reads past the data, and
// the wide call before them for a single byte. Windows 95 measures an ANSI
// string to its NUL. The data go between bytes that keep NT and Wine to the
// length given, and every one of them inside the buffer.
constexpr std::size_t kGuardBefore = 2;
std::vector<BYTE> Guarded(const std::vector<std::uint8_t>& data) {
  std::vector<BYTE> guarded(kGuardBefore + data.size() + 4, 0);
  std::copy(data.begin(), data.end(), guarded.begin() + kGuardBefore);
  guarded[kGuardBefore + data.size()] = 0xFF;
  guarded[kGuardBefore + data.size() + 1] = 0xFF;
  return guarded;
}

}  // namespace

template <typename Function, typename Call>
long Win32Registry::WithCountedName(Function function, const std::u16string& name, Call call) {
  const auto toError = statusToError_.get();
  if (function == nullptr || toError == nullptr || name.size() > kMaxCountedUnits) {
    return ERROR_CALL_NOT_IMPLEMENTED;
  }
  std::u16string buffer = name;  // the calls take a writable buffer
  const auto bytes = static_cast<USHORT>(buffer.size() * sizeof(char16_t));
  CountedName counted = {bytes, bytes, reinterpret_cast<PWSTR>(buffer.data())};
  return call(&counted, [toError](LONG status) {
    return status >= 0 ? static_cast<long>(ERROR_SUCCESS) : static_cast<long>(toError(status));
  });
}

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
  return WithCountedName(deleteValue, name, [&](CountedName* counted, auto asError) {
    return asError(deleteValue(ToHkey(key), counted));
  });
}

long Win32Registry::ReadValue(RegKey key, const ExactName& name, std::uint32_t* type,
                              std::vector<std::uint8_t>* data) {
  if (name.HoldsNul()) {
    // Only the native call takes a counted name; an ANSI one has no such call.
    return name.IsWide() ? ReadCounted(key, name.Unicode(), type, data) : ERROR_CALL_NOT_IMPLEMENTED;
  }
  DWORD valueType = REG_NONE;
  std::vector<std::uint8_t> bytes;
  long result = ERROR_CALL_NOT_IMPLEMENTED;
  if (!name.IsWide()) {
    const std::string ansi = name.Ansi();
    result = ReadGrowing([&](BYTE* buffer, DWORD* size) -> long {
      return RegQueryValueExA(ToHkey(key), ansi.c_str(), nullptr, &valueType, buffer, size);
    }, &bytes);
  } else if (const auto queryValue = regQueryValueExW_.get()) {
    result = ReadGrowing([&](BYTE* buffer, DWORD* size) -> long {
      return queryValue(ToHkey(key), AsWide(name.Unicode()), nullptr, &valueType, buffer, size);
    }, &bytes);
  }
  if (result == ERROR_SUCCESS) {
    *type = valueType;
    *data = std::move(bytes);
  }
  return result;
}

long Win32Registry::ReadCounted(RegKey key, const std::u16string& name, std::uint32_t* type,
                                std::vector<std::uint8_t>* data) {
  const auto queryValue = ntQueryValueKey_.get();
  std::vector<std::uint8_t> information;
  const long result = WithCountedName(queryValue, name, [&](CountedName* counted, auto asError) {
    return ReadGrowing([&](BYTE* into, DWORD* size) -> long {
      ULONG length = 0;
      const LONG status = queryValue(ToHkey(key), counted, kKeyValuePartialInformation, into, *size, &length);
      *size = length;
      if (status == kStatusBufferOverflow || status == kStatusBufferTooSmall) return ERROR_MORE_DATA;
      return asError(status);
    }, &information);
  });
  if (result != ERROR_SUCCESS) return result;
  // Title index, type and data length, then the data.
  ULONG header[3] = {};
  if (information.size() < sizeof header) return ERROR_INVALID_DATA;
  std::copy(information.begin(), information.begin() + sizeof header, reinterpret_cast<std::uint8_t*>(header));
  if (header[2] > information.size() - sizeof header) return ERROR_INVALID_DATA;
  *type = header[1];
  data->assign(information.begin() + sizeof header, information.begin() + sizeof header + header[2]);
  return ERROR_SUCCESS;
}

long Win32Registry::WriteValue(RegKey key, const ExactName& name, std::uint32_t type,
                               const std::vector<std::uint8_t>& data) {
  if (name.HoldsNul()) {
    return name.IsWide() ? WriteCounted(key, name.Unicode(), type, data) : ERROR_CALL_NOT_IMPLEMENTED;
  }
  const std::vector<BYTE> guarded = Guarded(data);
  const BYTE* bytes = guarded.data() + kGuardBefore;
  const auto size = static_cast<DWORD>(data.size());
  if (!name.IsWide()) return RegSetValueExA(ToHkey(key), name.Ansi().c_str(), 0, type, bytes, size);
  const auto setValue = regSetValueExW_.get();
  if (setValue == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
  return setValue(ToHkey(key), AsWide(name.Unicode()), 0, type, bytes, size);
}

long Win32Registry::WriteCounted(RegKey key, const std::u16string& name, std::uint32_t type,
                                 const std::vector<std::uint8_t>& data) {
  const auto setValue = ntSetValueKey_.get();
  return WithCountedName(setValue, name, [&](CountedName* counted, auto asError) {
    const std::vector<BYTE> guarded = Guarded(data);  // never a null pointer, even for no data
    return asError(setValue(ToHkey(key), counted, 0, type, guarded.data() + kGuardBefore,
                            static_cast<ULONG>(data.size())));
  });
}

long Win32Registry::CreateKey(RegKey hive, const std::string& path, RegKey* key) {
  HKEY created = nullptr;
  const LONG result = RegCreateKeyExA(ToHkey(hive), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      kRunKeyAccess, nullptr, &created, nullptr);
  if (result == ERROR_SUCCESS) *key = FromHkey(created);
  return result;
}

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace rw
