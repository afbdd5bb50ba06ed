#include "tests/fakes/fake_registry.h"

#include <new>

#include <algorithm>
#include <cstring>

#include "platform/ascii_case.h"
#include "tests/fakes/fake_code_page.h"

namespace rw {

namespace {
std::string Lower(const std::string& text) { return AsciiLower(text); }
}  // namespace

FakeRegistry::KeyId FakeRegistry::Id(RegKey hive, const std::string& path) {
  return {hive, Lower(path)};
}

FakeRegistry::Key* FakeRegistry::Find(RegKey hive, const std::string& path) {
  auto it = keys_.find(Id(hive, path));
  return it == keys_.end() ? nullptr : &it->second;
}

const FakeRegistry::Key* FakeRegistry::Find(RegKey hive, const std::string& path) const {
  auto it = keys_.find(Id(hive, path));
  return it == keys_.end() ? nullptr : &it->second;
}

FakeRegistry::Key* FakeRegistry::FromHandle(RegKey key) {
  auto it = handles_.find(key);
  if (it == handles_.end()) return nullptr;
  auto keyIt = keys_.find(it->second);
  return keyIt == keys_.end() ? nullptr : &keyIt->second;
}

FakeValue* FakeRegistry::FindValue(Key& key, const std::u16string& name) {
  const std::u16string wanted = FakeLowerAscii(name);
  for (FakeValue& value : key.values) {
    if (FakeLowerAscii(value.wideName) == wanted) return &value;
  }
  return nullptr;
}

void FakeRegistry::CreateKey(RegKey hive, const std::string& path) { keys_[Id(hive, path)]; }

void FakeRegistry::RemoveKey(RegKey hive, const std::string& path) { keys_.erase(Id(hive, path)); }

void FakeRegistry::RefuseWrite(RegKey hive, const std::string& path) { keys_[Id(hive, path)].refuseWrite = true; }

long FakeRegistry::CreateKey(RegKey hive, const std::string& path, RegKey* key) {
  CreateKey(hive, path);
  return Open(hive, path, kRunKeyAccess, key, false);
}

void FakeRegistry::SetValue(RegKey hive, const std::string& path, const std::string& name,
                            std::uint32_t type, const std::vector<std::uint8_t>& data) {
  Store(hive, path, FakeWiden(name), type, data);
}

void FakeRegistry::Store(RegKey hive, const std::string& path, const std::u16string& name,
                         std::uint32_t type, const std::vector<std::uint8_t>& data) {
  Key& key = keys_[Id(hive, path)];
  FakeValue* existing = FindValue(key, name);
  if (existing != nullptr) {
    existing->type = type;
    existing->data = data;
    existing->hasWideText = false;
    existing->hasExactWide = false;
  } else {
    key.values.push_back({FakeAnsi(name), name, type, data, u"", false, {}, false});
  }
}

void FakeRegistry::SetStringWide(RegKey hive, const std::string& path, const std::u16string& name,
                                 const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  Store(hive, path, name, kRegSz, data);
}

void FakeRegistry::SetStringWide(RegKey hive, const std::string& path, const std::u16string& name,
                                 const std::u16string& text) {
  SetStringWide(hive, path, name, FakeAnsi(text));
  FakeValue* value = FindValue(keys_[Id(hive, path)], name);
  value->wideText = text;
  value->hasWideText = true;
}

bool FakeRegistry::HasValueWide(RegKey hive, const std::string& path,
                                const std::u16string& name) const {
  const Key* key = Find(hive, path);
  if (key == nullptr) return false;
  return FindValue(const_cast<Key&>(*key), name) != nullptr;
}

void FakeRegistry::SetString(RegKey hive, const std::string& path, const std::string& name,
                             const std::string& text, std::uint32_t type) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  SetValue(hive, path, name, type, data);
}

void FakeRegistry::SetDword(RegKey hive, const std::string& path, const std::string& name,
                            std::uint32_t v) {
  SetValue(hive, path, name, kRegDword,
           {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)});
}

bool FakeRegistry::HasValue(RegKey hive, const std::string& path, const std::string& name) const {
  return HasValueWide(hive, path, FakeWiden(name));
}

std::vector<FakeValue> FakeRegistry::Values(RegKey hive, const std::string& path) const {
  const Key* key = Find(hive, path);
  return key == nullptr ? std::vector<FakeValue>{} : key->values;
}

void FakeRegistry::RefuseAccess(RegKey hive, const std::string& path, std::uint32_t access) {
  keys_[Id(hive, path)].refusedAccess.insert(access);
}

void FakeRegistry::RefuseOpenKey(RegKey hive, const std::string& path) {
  keys_[Id(hive, path)].refuseOpenKey = true;
}

void FakeRegistry::FailEnumAt(RegKey hive, const std::string& path, std::uint32_t index,
                              long code) {
  keys_[Id(hive, path)].enumFaults[index] = code;
}

void FakeRegistry::RefuseDelete(RegKey hive, const std::string& path) {
  keys_[Id(hive, path)].refuseDelete = true;
}

long FakeRegistry::Open(RegKey hive, const std::string& path, std::uint32_t access, RegKey* key,
                        bool viaOpenKey) {
  ++calls_;
  ++openCalls_;
  lastAccess_ = access;
  if (hive != kHkeyCurrentUser && hive != kHkeyLocalMachine) return kRegInvalidHandle;
  Key* found = Find(hive, path);
  if (found == nullptr) return kRegFileNotFound;
  if (viaOpenKey ? found->refuseOpenKey : found->refusedAccess.count(access) != 0) {
    return kRegAccessDenied;
  }
  const RegKey handle = nextHandle_++;
  handles_[handle] = Id(hive, path);
  *key = handle;
  return kRegSuccess;
}

long FakeRegistry::OpenKey(RegKey hive, const std::string& path, RegKey* key) {
  return Open(hive, path, 0, key, true);
}

long FakeRegistry::OpenKeyEx(RegKey hive, const std::string& path, std::uint32_t access,
                             RegKey* key) {
  return Open(hive, path, access, key, false);
}

long FakeRegistry::QueryValueLimits(RegKey handle, std::uint32_t* maxNameChars,
                                    std::uint32_t* maxDataBytes) {
  ++calls_;
  Key* key = FromHandle(handle);
  if (key == nullptr) return kRegInvalidHandle;
  if (failLimits_) return kRegAccessDenied;
  std::size_t names = 0, data = 0;
  for (const FakeValue& value : key->values) {
    names = std::max(names, value.name.size());
    data = std::max(data, value.data.size());
  }
  *maxNameChars = static_cast<std::uint32_t>(names);
  *maxDataBytes = static_cast<std::uint32_t>(data);
  return kRegSuccess;
}

namespace {
bool IsStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// A value's name and data as a call of that character width gives them:
// names through the code page, and string data in UTF-16 for the wide calls.
std::string NameAs(const FakeValue& value, char) { return value.name; }
std::u16string NameAs(const FakeValue& value, char16_t) { return value.wideName; }
std::vector<std::uint8_t> DataAs(const FakeValue& value, char) { return value.data; }
std::vector<std::uint8_t> DataAs(const FakeValue& value, char16_t) {
  if (value.hasExactWide) return value.exactWide;
  if (!IsStringType(value.type)) return value.data;
  std::vector<std::uint8_t> wide;
  if (value.hasWideText) {
    for (const char16_t unit : value.wideText + u'\0') {
      wide.push_back(static_cast<std::uint8_t>(unit & 0xFF));
      wide.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return wide;
  }
  for (const std::uint8_t byte : value.data) {
    wide.push_back(byte);
    wide.push_back(0);
  }
  return wide;
}
}  // namespace

template <typename Char>
long FakeRegistry::Enum(RegKey handle, std::uint32_t index, Char* name, std::uint32_t* nameChars,
                        std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataBytes) {
  ++calls_;
  Key* key = FromHandle(handle);
  if (key == nullptr) return kRegInvalidHandle;
  auto fault = key->enumFaults.find(index);
  if (fault != key->enumFaults.end() && fault->second == kOutOfMemoryOnce) {
    key->enumFaults.erase(fault);
    throw std::bad_alloc();
  }
  if (fault != key->enumFaults.end()) return fault->second;
  if (index >= key->values.size()) return kRegNoMoreItems;
  const std::basic_string<Char> valueName = NameAs(key->values[index], Char());
  const std::vector<std::uint8_t> valueData = DataAs(key->values[index], Char());
  const bool nameFits = valueName.size() < *nameChars;
  const bool dataFits = data == nullptr || valueData.size() <= *dataBytes;
  if (!nameFits || !dataFits || extraMoreData_ > 0) {
    if (extraMoreData_ > 0) --extraMoreData_;
    *dataBytes = static_cast<std::uint32_t>(valueData.size());
    return kRegMoreData;
  }
  std::copy(valueName.begin(), valueName.end(), name);
  name[valueName.size()] = Char();
  *nameChars = static_cast<std::uint32_t>(valueName.size());
  if (type != nullptr) *type = key->values[index].type;
  if (data != nullptr && !valueData.empty()) std::memcpy(data, valueData.data(), valueData.size());
  *dataBytes = static_cast<std::uint32_t>(valueData.size());
  return kRegSuccess;
}

long FakeRegistry::EnumValue(RegKey handle, std::uint32_t index, char* name,
                             std::uint32_t* nameChars, std::uint32_t* type, std::uint8_t* data,
                             std::uint32_t* dataBytes) {
  return Enum(handle, index, name, nameChars, type, data, dataBytes);
}

long FakeRegistry::EnumValueWide(RegKey handle, std::uint32_t index, char16_t* name,
                                 std::uint32_t* nameChars, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* dataBytes) {
  if (!wideCalls_) return kRegCallNotImplemented;
  return Enum(handle, index, name, nameChars, type, data, dataBytes);
}

template <typename Char>
long FakeRegistry::Query(RegKey handle, const std::u16string& name, std::uint32_t* type,
                         std::uint8_t* data, std::uint32_t* dataBytes) {
  ++calls_;
  Key* key = FromHandle(handle);
  if (key == nullptr) return kRegInvalidHandle;
  FakeValue* value = FindValue(*key, name);
  if (value == nullptr) return kRegFileNotFound;
  const std::vector<std::uint8_t> valueData = DataAs(*value, Char());
  if (type != nullptr) *type = value->type;
  const std::uint32_t capacity = *dataBytes;
  *dataBytes = static_cast<std::uint32_t>(valueData.size());
  if (data == nullptr) return kRegSuccess;
  if (valueData.size() > capacity) return kRegMoreData;
  if (!valueData.empty()) std::memcpy(data, valueData.data(), valueData.size());
  return kRegSuccess;
}

long FakeRegistry::QueryValueEx(RegKey handle, const std::string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* dataBytes) {
  return Query<char>(handle, FakeWiden(name), type, data, dataBytes);
}

long FakeRegistry::QueryValueExWide(RegKey handle, const std::u16string& name,
                                    std::uint32_t* type, std::uint8_t* data,
                                    std::uint32_t* dataBytes) {
  if (!wideCalls_) return kRegCallNotImplemented;
  return Query<char16_t>(handle, name, type, data, dataBytes);
}

// As on NT: an ANSI name is read into Unicode through the code page, and
// then deletes the value of exactly that name.
// As the real calls: a name ends at its first NUL.
void FakeRegistry::RefuseDeleteTimes(RegKey hive, const std::string& path, int times) {
  keys_[Id(hive, path)].refusedDeletesLeft = times;
}

long FakeRegistry::DeleteValue(RegKey handle, const std::string& name) {
  return Delete(handle, FakeWiden(name.substr(0, name.find('\0'))));
}

long FakeRegistry::DeleteValueWide(RegKey handle, const std::u16string& name) {
  if (!wideCalls_) return kRegCallNotImplemented;
  return Delete(handle, name.substr(0, name.find(u'\0')));
}

long FakeRegistry::DeleteValueCounted(RegKey handle, const std::u16string& name) {
  if (!wideCalls_ || !countedDelete_) return kRegCallNotImplemented;
  return Delete(handle, name);
}

long FakeRegistry::Delete(RegKey handle, const std::u16string& name) {
  ++calls_;
  ++deleteCalls_;
  Key* key = FromHandle(handle);
  if (key == nullptr) return kRegInvalidHandle;
  if (key->refuseDelete) return kRegAccessDenied;
  if (key->refusedDeletesLeft > 0) {
    --key->refusedDeletesLeft;
    return kRegAccessDenied;
  }
  FakeValue* value = FindValue(*key, name);
  if (value == nullptr) return kRegFileNotFound;
  key->values.erase(key->values.begin() + (value - key->values.data()));
  return kRegSuccess;
}

long FakeRegistry::CloseKey(RegKey handle) {
  ++calls_;
  return handles_.erase(handle) == 1 ? kRegSuccess : kRegInvalidHandle;
}

// The bytes a value holds, as the wide calls read them: string data in UTF-16.
long FakeRegistry::ReadValue(RegKey handle, const ExactName& name, std::uint32_t* type,
                             std::vector<std::uint8_t>* data) {
  ++calls_;
  if ((name.IsWide() || name.HoldsNul()) && !wideCalls_) return kRegCallNotImplemented;
  Key* key = FromHandle(handle);
  if (key == nullptr) return kRegInvalidHandle;
  FakeValue* value = FindValue(*key, name.IsWide() ? name.Unicode() : FakeWiden(name.Ansi()));
  if (value == nullptr) return kRegFileNotFound;
  *type = value->type;
  *data = name.IsWide() ? DataAs(*value, char16_t()) : DataAs(*value, char());
  return kRegSuccess;
}

long FakeRegistry::WriteValue(RegKey handle, const ExactName& name, std::uint32_t type,
                              const std::vector<std::uint8_t>& data) {
  ++calls_;
  if (name.IsWide() && !wideCalls_) return kRegCallNotImplemented;
  Key* key = FromHandle(handle);
  if (key == nullptr) return kRegInvalidHandle;
  if (key->refuseWrite) return kRegAccessDenied;
  const std::u16string wide = name.IsWide() ? name.Unicode() : FakeWiden(name.Ansi());
  FakeValue* value = FindValue(*key, wide);
  if (value == nullptr) {
    key->values.push_back({FakeAnsi(wide), wide, type, {}, u"", false, {}, false});
    value = &key->values.back();
  }
  value->type = type;
  value->hasWideText = false;
  value->data = data;
  value->exactWide = data;  // the wide calls give back exactly what they were given
  value->hasExactWide = name.IsWide() && IsStringType(type);
  return kRegSuccess;
}

}  // namespace rw
