#include "core/registry_values.h"

namespace rw {

namespace {

// Opens and closes the key; its result code says why it could not be opened.
long TestKey(Registry& registry, RegKey hive, const std::string& keyPath) {
  RegKey key = 0;
  long result = registry.OpenKey(hive, keyPath, &key);
  if (key != 0) {
    registry.CloseKey(key);
    result = kRegSuccess;
  } else if (result == kRegSuccess) {
    result = kRegInvalidHandle;  // success without a key: treat as not opened
  }
  return result;
}

}  // namespace

bool RegistryKeyExists(Registry& registry, RegKey hive, const std::string& keyPath) {
  return TestKey(registry, hive, keyPath) == kRegSuccess;
}

bool DeleteRegistryValue(Registry& registry, RegKey hive, const std::string& keyPath,
                         const std::string& valueName) {
  const long test = TestKey(registry, hive, keyPath);
  // A missing key holds no value; a key that refuses to open may still hold it.
  if (test != kRegSuccess) return test == kRegFileNotFound;
  RegKey key = 0;
  registry.OpenKey(hive, keyPath, &key);
  if (key == 0) return false;  // vanished or refused between the two opens
  const long result = registry.DeleteValue(key, valueName);
  registry.CloseKey(key);
  return result == kRegSuccess || result == kRegFileNotFound;
}

}  // namespace rw
