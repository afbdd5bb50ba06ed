#pragma once
// In-memory registry with both hives, for the native tests. Behaves as the
// Win32 calls do where the program relies on it, and can be told to fail.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace rw {

struct FakeValue {
  std::string name;  // as the ANSI calls give it
  std::u16string wideName;  // exactly as stored
  std::uint32_t type = kRegSz;
  std::vector<std::uint8_t> data;  // as the ANSI calls give it
  std::u16string wideText;          // string data as the wide calls give it, when set
  bool hasWideText = false;
  std::vector<std::uint8_t> exactWide;  // string data as written through the wide calls, byte for byte
  bool hasExactWide = false;
};

class FakeRegistry : public Registry {
 public:
  // Content.
  void CreateKey(RegKey hive, const std::string& path);
  void RemoveKey(RegKey hive, const std::string& path);
  void SetString(RegKey hive, const std::string& path, const std::string& name,
                 const std::string& text, std::uint32_t type = kRegSz);  // stores the NUL
  void SetValue(RegKey hive, const std::string& path, const std::string& name,
                std::uint32_t type, const std::vector<std::uint8_t>& data);
  // A value whose name the ANSI code page may not hold.
  void SetStringWide(RegKey hive, const std::string& path, const std::u16string& name,
                     const std::string& text);
  // String data the ANSI code page may not hold either.
  void SetStringWide(RegKey hive, const std::string& path, const std::u16string& name,
                     const std::u16string& text);
  bool HasValueWide(RegKey hive, const std::string& path, const std::u16string& name) const;
  void SetDword(RegKey hive, const std::string& path, const std::string& name, std::uint32_t v);
  bool HasValue(RegKey hive, const std::string& path, const std::string& name) const;
  std::vector<FakeValue> Values(RegKey hive, const std::string& path) const;

  // Faults.
  void RefuseAccess(RegKey hive, const std::string& path, std::uint32_t access);  // OpenKeyEx
  void RefuseOpenKey(RegKey hive, const std::string& path);                       // OpenKey
  // |code| kOutOfMemoryOnce: that enumeration throws std::bad_alloc, once.
  void FailEnumAt(RegKey hive, const std::string& path, std::uint32_t index, long code);
  static constexpr long kOutOfMemoryOnce = -1;
  void RefuseDelete(RegKey hive, const std::string& path);
  void RefuseWrite(RegKey hive, const std::string& path);
  // The next |times| deletes in the key fail, as a key locked for a moment does.
  void RefuseDeleteTimes(RegKey hive, const std::string& path, int times);
  void FailQueryValueLimits(bool fail) { failLimits_ = fail; }
  // Windows 95/98: the wide calls fail as not implemented, and so does the
  // native delete by a counted name.
  void SetWideCallsImplemented(bool implemented) { wideCalls_ = implemented; }
  // Only the native delete missing, as on a system that has the wide calls but no ntdll.
  void SetCountedDeleteImplemented(bool implemented) { countedDelete_ = implemented; }
  // Reports MoreData this many extra times for a value, as a value that grows does.
  void ReportMoreDataTimes(int times) { extraMoreData_ = times; }

  // Observation.
  int OpenHandleCount() const { return static_cast<int>(handles_.size()); }
  int OpenCalls() const { return openCalls_; }
  int CallCount() const { return calls_; }
  int DeleteCalls() const { return deleteCalls_; }
  std::uint32_t AccessOfLastOpen() const { return lastAccess_; }

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
  long ReadValue(RegKey key, const ExactName& name, std::uint32_t* type, std::vector<std::uint8_t>* data) override;
  long WriteValue(RegKey key, const ExactName& name, std::uint32_t type, const std::vector<std::uint8_t>& data) override;
  long CreateKey(RegKey hive, const std::string& path, RegKey* key) override;
  long CloseKey(RegKey key) override;

 private:
  using KeyId = std::pair<RegKey, std::string>;  // hive, lower-case path
  struct Key {
    std::vector<FakeValue> values;  // in enumeration order
    std::set<std::uint32_t> refusedAccess;
    bool refuseOpenKey = false;
    bool refuseDelete = false;
    int refusedDeletesLeft = 0;
    bool refuseWrite = false;
    std::map<std::uint32_t, long> enumFaults;
  };
  static KeyId Id(RegKey hive, const std::string& path);
  Key* Find(RegKey hive, const std::string& path);
  const Key* Find(RegKey hive, const std::string& path) const;
  Key* FromHandle(RegKey key);
  static FakeValue* FindValue(Key& key, const std::u16string& name);
  void Store(RegKey hive, const std::string& path, const std::u16string& name, std::uint32_t type,
             const std::vector<std::uint8_t>& data);
  template <typename Char>
  long Enum(RegKey handle, std::uint32_t index, Char* name, std::uint32_t* nameChars,
            std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataBytes);
  long Delete(RegKey handle, const std::u16string& name);
  template <typename Char>
  long Query(RegKey handle, const std::u16string& name, std::uint32_t* type, std::uint8_t* data,
             std::uint32_t* dataBytes);
  long Open(RegKey hive, const std::string& path, std::uint32_t access, RegKey* key,
            bool viaOpenKey);

  std::map<KeyId, Key> keys_;
  std::map<RegKey, KeyId> handles_;
  RegKey nextHandle_ = 0x100;
  bool failLimits_ = false;
  bool wideCalls_ = true;
  bool countedDelete_ = true;
  int extraMoreData_ = 0;
  int openCalls_ = 0;
  int calls_ = 0;
  int deleteCalls_ = 0;
  std::uint32_t lastAccess_ = 0;
};

}  // namespace rw
