#include "core/registry_values.h"

#include "platform/scoped_reg_key.h"

namespace rw {

namespace {

// Opens the key into |key|; the result code says why it could not be opened.
long OpenKey(Registry& registry, RegKey hive, const std::string& keyPath, ScopedRegKey* key) {
  const long result = registry.OpenKey(hive, keyPath, key->receive());
  if (key->valid()) return kRegSuccess;
  return result == kRegSuccess ? kRegInvalidHandle : result;  // success without a key: not opened
}

}  // namespace

bool RegistryKeyExists(Registry& registry, RegKey hive, const std::string& keyPath) {
  ScopedRegKey key(registry);
  return OpenKey(registry, hive, keyPath, &key) == kRegSuccess;
}

long DeleteRegistryValue(Registry& registry, RegKey hive, const std::string& keyPath,
                         const ExactName& valueName) {
  {
    ScopedRegKey test(registry);
    const long opened = OpenKey(registry, hive, keyPath, &test);
    // A missing key holds no value; a key that refuses to open may still hold it.
    if (opened == kRegFileNotFound) return kRegSuccess;
    if (opened != kRegSuccess) return opened;
  }
  ScopedRegKey key(registry);
  const long opened = OpenKey(registry, hive, keyPath, &key);
  if (opened != kRegSuccess) return opened;  // vanished or refused between the two opens
  const long result = valueName.IsWide() ? registry.DeleteValueWide(key.get(), valueName.Unicode())
                                         : registry.DeleteValue(key.get(), valueName.Ansi());
  return result == kRegFileNotFound ? kRegSuccess : result;
}

}  // namespace rw
