#pragma once
// Registry service: the few registry calls the program makes, with their
// Win32 result codes, so the logic can run against the real registry or an
// in-memory one.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/exact_name.h"

namespace rw {

// A key handle as the program sees it: a 32-bit value, 0 meaning no key.
using RegKey = std::uint32_t;

constexpr RegKey kHkeyCurrentUser = 0x80000001u;
constexpr RegKey kHkeyLocalMachine = 0x80000002u;

// Result codes the logic looks at (the Win32 values).
constexpr long kRegSuccess = 0;
constexpr long kRegFileExists = 80;  // a value put back where one has appeared again
constexpr long kRegFileNotFound = 2;
constexpr long kRegAccessDenied = 5;
constexpr long kRegInvalidHandle = 6;
constexpr long kRegCallNotImplemented = 120;  // a wide call on Windows 95/98
constexpr long kRegMoreData = 234;
constexpr long kRegNoMoreItems = 259;

// Value types (the Win32 values).
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// Access masks.
constexpr std::uint32_t kRunKeyAccess = 63;         // query, set, create, enumerate, notify, link
constexpr std::uint32_t kKeyRead = 0x20019;          // KEY_READ
constexpr std::uint32_t kSysInfoKeyAccess = 0x2003F; // KEY_ALL_ACCESS without delete

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyA: on failure *key is left as it was.
  virtual long OpenKey(RegKey hive, const std::string& path, RegKey* key) = 0;
  // RegOpenKeyExA with options 0.
  virtual long OpenKeyEx(RegKey hive, const std::string& path, std::uint32_t access,
                         RegKey* key) = 0;
  // RegQueryInfoKeyA, reduced to the two sizes the enumeration needs:
  // the longest value name in characters (without NUL) and the largest data in bytes.
  virtual long QueryValueLimits(RegKey key, std::uint32_t* maxNameChars,
                                std::uint32_t* maxDataBytes) = 0;
  // RegEnumValueA. In: *nameChars and *dataBytes are the buffer capacities
  // (the name capacity counts the NUL). Out: the name length without NUL, the
  // data length in bytes.
  virtual long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameChars,
                         std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataBytes) = 0;
  // RegEnumValueW, the same with the name in UTF-16 code units (the capacity
  // and length count code units) and string data in UTF-16. Returns
  // kRegCallNotImplemented where the registry has only ANSI names (Windows 95/98).
  virtual long EnumValueWide(RegKey key, std::uint32_t index, char16_t* name,
                             std::uint32_t* nameChars, std::uint32_t* type, std::uint8_t* data,
                             std::uint32_t* dataBytes) = 0;
  // RegQueryValueExA.
  virtual long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                            std::uint8_t* data, std::uint32_t* dataBytes) = 0;
  // RegQueryValueExW: string data in UTF-16; kRegCallNotImplemented where the
  // registry has only ANSI names.
  virtual long QueryValueExWide(RegKey key, const std::u16string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* dataBytes) = 0;
  // RegDeleteValueA.
  virtual long DeleteValue(RegKey key, const std::string& name) = 0;
  // RegDeleteValueW; kRegCallNotImplemented where the registry has only ANSI
  // names. Like RegDeleteValueA, it reads the name up to its first NUL.
  virtual long DeleteValueWide(RegKey key, const std::u16string& name) = 0;
  // NtDeleteValueKey: the value of exactly that counted name, NULs included,
  // with the result as a Win32 error code; kRegCallNotImplemented where the
  // system has no such call (Windows 95/98).
  virtual long DeleteValueCounted(RegKey key, const std::u16string& name) = 0;
  // The value of exactly that name, NULs included, read whole: its type and
  // every byte of its data, whatever its size. A Unicode name is read through
  // RegQueryValueExW, or NtQueryValueKey where it holds a NUL; an ANSI one
  // through RegQueryValueExA. kRegFileNotFound when there is none;
  // kRegCallNotImplemented where no call reads such a name.
  virtual long ReadValue(RegKey key, const ExactName& name, std::uint32_t* type,
                         std::vector<std::uint8_t>* data) = 0;
  // Sets the value of exactly that name to that type and data: RegSetValueExW,
  // NtSetValueKey for a name that holds a NUL, RegSetValueExA for an ANSI one.
  virtual long WriteValue(RegKey key, const ExactName& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data) = 0;
  // RegCreateKeyExA with the Run key's access: opens the key, creating it
  // and the keys above it where missing.
  virtual long CreateKey(RegKey hive, const std::string& path, RegKey* key) = 0;
  // RegCloseKey.
  virtual long CloseKey(RegKey key) = 0;
};

}  // namespace rw
