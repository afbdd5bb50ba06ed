#include "core/startup_sources.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include "core/buffer_text.h"
#include "core/report_words.h"
#include "core/user_name.h"
#include "platform/scoped_reg_key.h"

namespace rw {

const char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kWin9xStartupFolder[] = "c:\\windows\\start menu\\programs\\startup\\";
const char kNtAllUsersStartupFolder[] = "c:\\winnt\\profiles\\all users\\start menu\\programs\\startup\\";

std::string NtUserStartupFolder(const std::string& userName) {
  return "c:\\winnt\\profiles\\" + userName + "\\start menu\\programs\\startup\\";
}

namespace {

// The smallest buffers; they grow to fit.
constexpr std::uint32_t kMinNameChars = 100;
constexpr std::uint32_t kMinDataBytes = 100;
// Registry value names never exceed 16383 characters.
constexpr std::uint32_t kMaxNameChars = 16384;
// Explorer's record of the shell folders, and the most of a path we read there.
const char kShellFoldersKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::size_t kMaxShellFolderBytes = 1024;
// A value that keeps changing under us is given up after this many tries.
constexpr int kMaxGrowthsPerValue = 16;
// Growing without a size from the platform stops here.
constexpr std::size_t kMaxBlindDataBytes = 16u << 20;

// ---- Run keys ----

// The hive of a Run key's items.
RegKey HiveOf(ItemSource source) {
  return source == ItemSource::kMachineRun ? kHkeyLocalMachine : kHkeyCurrentUser;
}

// The Run key of |source| in the words of the list and of the registry.
std::u16string RunKeyWords(ItemSource source) {
  const bool machine = source == ItemSource::kMachineRun;
  std::u16string words = machine ? SourceTag::kMachineRun : SourceTag::kUserRun;
  words += machine ? u" (HKEY_LOCAL_MACHINE\\" : u" (HKEY_CURRENT_USER\\";
  for (const char* letter = kRunKeyPath; *letter != '\0'; ++letter) words += static_cast<char16_t>(*letter);
  return words + u")";
}

// Opens for the usual access, or read-only for a user who may not write the
// key: its items are listed either way. Not valid when it cannot be
// opened; |*error| then says why.
ScopedRegKey OpenRunKey(Registry& registry, RegKey hive, long* error) {
  ScopedRegKey key(registry);
  if (registry.OpenKeyEx(hive, kRunKeyPath, kRunKeyAccess, key.receive()) == kRegSuccess &&
      key.valid()) {
    return key;
  }
  *error = registry.OpenKeyEx(hive, kRunKeyPath, kKeyRead, key.receive());
  if (*error == kRegSuccess && key.valid()) return key;
  if (*error == kRegSuccess) *error = kRegInvalidHandle;  // success without a key: not opened
  key.reset();  // a key handed out with a failure is still closed
  return key;
}

// Registry data as the ANSI calls give it, up to its first NUL.
std::string AnsiTextOf(const std::vector<std::uint8_t>& data, std::uint32_t length) {
  return TextUpToFirstNul(reinterpret_cast<const char*>(data.data()), data.size(), length);
}

// After "more data": the data buffer grows to the size the platform asked
// for; when that already fitted, the name was too long.
template <typename Char>
void GrowBuffers(std::uint32_t wantedDataBytes, std::vector<Char>* name,
                 std::vector<std::uint8_t>* data) {
  if (wantedDataBytes >= data->size()) {
    data->resize(static_cast<std::size_t>(wantedDataBytes) + 1);
  } else if (name->size() <= kMaxNameChars) {
    name->resize(std::min<std::size_t>(name->size() * 2, kMaxNameChars + 1));
  } else if (data->size() < kMaxBlindDataBytes) {
    data->resize(data->size() * 2);  // a platform that does not say how much it needs
  }
}

// One enumeration call, in the name form its buffer asks for.
long EnumValueAs(Registry& registry, RegKey key, std::uint32_t index, char* name,
                 std::uint32_t* nameChars, std::uint32_t* type, std::uint8_t* data,
                 std::uint32_t* dataBytes) {
  return registry.EnumValue(key, index, name, nameChars, type, data, dataBytes);
}
long EnumValueAs(Registry& registry, RegKey key, std::uint32_t index, char16_t* name,
                 std::uint32_t* nameChars, std::uint32_t* type, std::uint8_t* data,
                 std::uint32_t* dataBytes) {
  return registry.EnumValueWide(key, index, name, nameChars, type, data, dataBytes);
}

bool IsStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// The item of a value read through the wide calls. The Location shows string
// data up to its first NUL, in UTF-16, and other data as its bytes, as the
// ANSI call gives them. The usual item is made straight from the buffers.
StartupItem ValueItem(ItemSource source, const std::vector<char16_t>& name, std::uint32_t nameChars,
                      std::uint32_t type, const std::vector<std::uint8_t>& data, std::uint32_t dataBytes,
                      std::u16string* wideData) {
  if (!IsStringType(type)) {
    return StartupItem(source, ExactName::Wide(std::u16string(name.data(), nameChars)),
                       ExactName(AnsiTextOf(data, dataBytes)));
  }
  WideTextUpToFirstNul(data, dataBytes, wideData);
  return StartupItem(source, name.data(), nameChars, *wideData);
}

// The item of a value read through the ANSI calls: all its texts as they give them.
StartupItem ValueItem(ItemSource source, const std::vector<char>& name, std::uint32_t nameChars, std::uint32_t,
                      const std::vector<std::uint8_t>& data, std::uint32_t dataBytes, std::u16string*) {
  return StartupItem(source, ExactName(std::string(name.data(), nameChars)), ExactName(AnsiTextOf(data, dataBytes)));
}

// Collects each value of the Run key of |source|, in the registry's order,
// through the calls of one name form, counting what it reads and gives up.
// Returns the result that ended the walk.
template <typename Char>
long ReadRunKeyValues(Registry& registry, RegKey key, ItemSource source, StartupItemCollector& items,
                      SourceFailure* reading) {
  std::uint32_t maxNameChars = 0;
  std::uint32_t maxDataBytes = 0;
  if (registry.QueryValueLimits(key, &maxNameChars, &maxDataBytes) != kRegSuccess) {
    maxNameChars = maxDataBytes = 0;
  }
  std::vector<Char> name(std::max(kMinNameChars, std::min(maxNameChars, kMaxNameChars) + 1));
  std::vector<std::uint8_t> data(std::max(kMinDataBytes, maxDataBytes + 1));

  std::u16string wideData;  // string data read through the wide calls, its memory used again
  std::uint32_t index = 0;
  int growths = 0;
  for (;;) {
    auto nameChars = static_cast<std::uint32_t>(name.size());
    auto dataBytes = static_cast<std::uint32_t>(data.size());
    std::uint32_t type = kRegNone;
    const long result =
        EnumValueAs(registry, key, index, name.data(), &nameChars, &type, data.data(), &dataBytes);
    if (result == kRegMoreData) {
      // The value outgrew the key's own limits since we asked: grow and retry it.
      if (++growths > kMaxGrowthsPerValue) {
        ++reading->valuesSkipped;
        ++index;
        growths = 0;
        continue;
      }
      GrowBuffers(dataBytes, &name, &data);
      continue;
    }
    if (result != kRegSuccess) return result;  // no more items, or a key we cannot read on

    nameChars = std::min(nameChars, static_cast<std::uint32_t>(name.size()));
    dataBytes = std::min<std::uint32_t>(dataBytes, static_cast<std::uint32_t>(data.size()));
    items.Collect(ValueItem(source, name, nameChars, type, data, dataBytes, &wideData));
    ++reading->itemsRead;
    ++index;
    growths = 0;
  }
}

// Reads the Run key of |source| into |items|, counting in |reading|; false
// when there is nothing to report of it.
bool ReadRunKey(Registry& registry, ItemSource source, StartupItemCollector& items, SourceFailure* reading) {
  const ScopedRegKey runKey = OpenRunKey(registry, HiveOf(source), &reading->error);
  if (runKey.valid()) {
    // Names are read in Unicode wherever the registry keeps them so (NT, and
    // Wine whatever version it reports): the ANSI name may have lost characters
    // and name another value. Windows 95/98 answer the wide call with "not
    // implemented"; their names are ANSI, and so exact as the ANSI call gives them.
    reading->error = ReadRunKeyValues<char16_t>(registry, runKey.get(), source, items, reading);
    if (reading->error == kRegCallNotImplemented) {
      reading->error = ReadRunKeyValues<char>(registry, runKey.get(), source, items, reading);
    }
    if (reading->error == kRegNoMoreItems) reading->error = 0;
  } else if (reading->error == kRegFileNotFound) {
    return false;  // no such key: no items
  }
  return reading->error != 0 || reading->valuesSkipped != 0;
}

// Opens the key into |key|; the result code says why it could not be opened.
long OpenKey(Registry& registry, RegKey hive, const std::string& keyPath, ScopedRegKey* key) {
  const long result = registry.OpenKey(hive, keyPath, key->receive());
  if (key->valid()) return kRegSuccess;
  return result == kRegSuccess ? kRegInvalidHandle : result;  // success without a key: not opened
}

// ---- Startup folders ----

// A shell link is a file whose exact name ends in ".lnk", in ASCII letters of
// either case: "Shortcut" whatever language the platform describes it in. A
// look-alike in other letters is another type of file.
bool IsShellLink(const ExactName& name) {
  static const char16_t kExtension[] = u".lnk";
  const std::u16string& units = name.Units();
  if (units.size() < 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    const char16_t unit = units[units.size() - 4 + i];
    const char16_t lower = unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
    if (lower != kExtension[i]) return false;
  }
  return true;
}

// A folder's path ending in a backslash, in the form the system gave it.
ExactName WithBackslash(ExactName path) {
  std::u16string units = path.Units();
  if (units.empty() || units.back() != u'\\') units.push_back(u'\\');
  return ExactName::Like(path, std::move(units));
}

// Explorer's record of the folder, for a shell that names none: read in
// Unicode where the registry can, since a path the code page cannot hold would
// read as another folder's. An empty name when there is none.
ExactName ShellFoldersEntry(Registry& registry, RegKey hive, const char* valueName) {
  ScopedRegKey key(registry);
  if (registry.OpenKeyEx(hive, kShellFoldersKeyPath, kKeyRead, key.receive()) != kRegSuccess ||
      !key.valid()) {
    key.reset();
    return ExactName();
  }
  std::vector<std::uint8_t> data(kMaxShellFolderBytes);
  auto length = static_cast<std::uint32_t>(data.size());
  std::uint32_t type = kRegNone;
  const std::string ansiName = valueName;
  const long wide = registry.QueryValueExWide(key.get(), std::u16string(ansiName.begin(), ansiName.end()),
                                              &type, data.data(), &length);
  if (wide == kRegSuccess && IsStringType(type)) {
    return ExactName::Wide(WideTextUpToFirstNul(data, length));
  }
  if (wide != kRegCallNotImplemented) return ExactName();
  length = static_cast<std::uint32_t>(data.size());
  if (registry.QueryValueEx(key.get(), valueName, &type, data.data(), &length) != kRegSuccess ||
      !IsStringType(type)) {
    return ExactName();
  }
  return ExactName(AnsiTextOf(data, length));
}

// The folder Windows starts the files of: where the shell says; failing that,
// where Explorer recorded it; failing that, the default install's folder.
ExactName FindStartupFolder(const Platform& platform, StartupFolderKind kind, RegKey hive,
                            const char* shellFoldersValue, const std::string& fallback) {
  ExactName shellPath;
  if (platform.files.ShellStartupFolder(kind, &shellPath) && !shellPath.empty()) {
    return WithBackslash(std::move(shellPath));
  }
  ExactName recorded = ShellFoldersEntry(platform.registry, hive, shellFoldersValue);
  return WithBackslash(recorded.empty() ? ExactName(fallback) : std::move(recorded));
}

// The type a file other than a shell link shows. A shell that looks types up
// by the best-fit ANSI name calls a look-alike such as "evil.\uFF4C\uFF4E\uFF4B"
// a shortcut; it is none, so it is described by its extension, as Windows
// describes a type it does not know.
ExactName TypeOfOtherFile(const FolderFile& file) {
  if (file.type.Units() != SourceTag::kShortcut) return file.type;  // ASCII: the same in either form
  const std::u16string& name = file.name.Units();
  return ExactName::Like(file.name, name.substr(name.find_last_of(u'.') + 1) + u" File");
}

// Reads the files of |folder| into |items|, counting in |reading|; false
// when there is nothing to report of it.
bool ReadFolder(const Platform& platform, const ExactName& folder, StartupItemCollector& items,
                SourceFailure* reading) {
  std::vector<FolderFile> listing;
  reading->error = platform.files.ListFiles(folder, &listing);
  // No folder, no files. A folder that goes while it is listed is no missing
  // folder: what was listed is kept, and the rest reported.
  const bool missing = reading->error == kErrorFileNotFound || reading->error == kErrorPathNotFound;
  if (missing && listing.empty()) return false;
  for (const FolderFile& file : listing) {
    const bool shellLink = IsShellLink(file.name);
    if (shellLink) {
      items.Collect(StartupItem(ItemSource::kStartupShortcut, file.name, file.path));
    } else {
      items.Collect(StartupItem(ItemSource::kStartupOtherFile, file.name, file.path, TypeOfOtherFile(file)));
    }
    ++reading->itemsRead;
    if (file.type == ExactName() && !shellLink) ++reading->untypedFiles;
  }
  return reading->error != 0 || reading->untypedFiles != 0;
}

// Reads one source. A failure that cuts it short, lack of memory among
// them, ends that source only: it is named with the reason, and the load
// goes on to the next, which may well be read.
template <class Read, class Name>
void ReadSource(Read read, Name name, LoadProblems* problems) {
  SourceFailure reading;
  try {
    if (!read(&reading)) return;
  } catch (const std::bad_alloc&) {
    reading.error = kErrorNotEnoughMemory;
  } catch (...) {
    reading.error = kErrorUnexpected;
  }
  reading.source = name();
  problems->sources.push_back(std::move(reading));
}

std::u16string FolderWords(const Platform& platform, const ExactName& folder) {
  return folder.IsWide() ? folder.Unicode() : platform.system.WideText(folder.Ansi());
}

// A folder of the load, found and read; named in the words of its path, or
// of its kind when even finding it failed.
void ReadStartupFolder(const Platform& platform, const ExactName* folder, StartupItemCollector& items,
                       LoadProblems* problems) {
  ReadSource([&](SourceFailure* reading) { return ReadFolder(platform, *folder, items, reading); },
             [&] { return FolderWords(platform, *folder); }, problems);
}

// Deletes the value by its exact name through the one call that takes it
// whole: RegDeleteValueW and RegDeleteValueA read a name up to its first NUL,
// and would delete another value, or the key's default one.
long DeleteExactValue(Registry& registry, RegKey key, const ExactName& name) {
  if (!name.HoldsNul()) {
    return name.IsWide() ? registry.DeleteValueWide(key, name.Unicode()) : registry.DeleteValue(key, name.Ansi());
  }
  if (!name.IsWide()) return kErrorNameNotAddressable;
  const long result = registry.DeleteValueCounted(key, name.Unicode());
  return result == kRegCallNotImplemented ? kErrorNameNotAddressable : result;
}

bool IsValue(const StartupItem& item) {
  return item.source() == ItemSource::kMachineRun || item.source() == ItemSource::kUserRun;
}

}  // namespace

void ReadStartupItems(const Platform& platform, WindowsFamily family, StartupItemCollector& items,
                      LoadProblems* problems) {
  for (const ItemSource source : {ItemSource::kMachineRun, ItemSource::kUserRun}) {
    ReadSource([&](SourceFailure* reading) { return ReadRunKey(platform.registry, source, items, reading); },
               [&] { return RunKeyWords(source); }, problems);
  }
  if (family == WindowsFamily::kWin9x) {
    ExactName folder;
    ReadSource(
        [&](SourceFailure*) {
          folder = FindStartupFolder(platform, StartupFolderKind::kUser, kHkeyCurrentUser, "Startup",
                                     kWin9xStartupFolder);
          return false;
        },
        [] { return std::u16string(u"The Startup folder"); }, problems);
    if (!folder.empty()) ReadStartupFolder(platform, &folder, items, problems);
  } else if (family == WindowsFamily::kNT) {
    ExactName allUsers;
    ExactName own;
    ReadSource(
        [&](SourceFailure*) {
          allUsers = FindStartupFolder(platform, StartupFolderKind::kAllUsers, kHkeyLocalMachine,
                                       "Common Startup", kNtAllUsersStartupFolder);
          return false;
        },
        [] { return std::u16string(u"The All Users Startup folder"); }, problems);
    ReadSource(
        [&](SourceFailure*) {
          own = FindStartupFolder(platform, StartupFolderKind::kUser, kHkeyCurrentUser, "Startup",
                                  NtUserStartupFolder(GetCurrentUserName(platform.system)));
          return false;
        },
        [] { return std::u16string(u"The Startup folder"); }, problems);
    if (!allUsers.empty()) ReadStartupFolder(platform, &allUsers, items, problems);
    if (!own.empty() && own != allUsers) ReadStartupFolder(platform, &own, items, problems);
  }
}

long DeleteStartupItem(const Platform& platform, const StartupItem& item) {
  switch (item.source()) {
    case ItemSource::kMachineRun:
    case ItemSource::kUserRun:
      return DeleteRegistryValue(platform.registry, HiveOf(item.source()), kRunKeyPath, item.Identity());
    case ItemSource::kStartupShortcut:
      return platform.files.RemoveFile(item.Identity());
    case ItemSource::kStartupOtherFile:
      break;
  }
  return kErrorAccessDenied;
}

long DeleteRegistryValue(Registry& registry, RegKey hive, const std::string& keyPath,
                         const ExactName& valueName) {
  ScopedRegKey key(registry);
  const long opened = OpenKey(registry, hive, keyPath, &key);
  // A missing key holds no value.
  if (opened == kRegFileNotFound) return kRegSuccess;
  if (opened != kRegSuccess) return opened;
  const long result = DeleteExactValue(registry, key.get(), valueName);
  return result == kRegFileNotFound ? kRegSuccess : result;
}

RegKey RunKeyOfPass::Get(Registry& registry, RegKey hive, long* error) {
  if (error_ == -1 && create_) {
    error_ = registry.CreateKey(hive, kRunKeyPath, key_.receive());
  } else if (error_ == -1) {
    error_ = OpenKey(registry, hive, kRunKeyPath, &key_);
  }
  *error = error_;
  return error_ == kRegSuccess ? key_.get() : 0;
}

long ReadStartupItemExactly(const Platform& platform, RunKeyOfPass& runKey, const StartupItem& item,
                            std::size_t maxBytes, TakenItem* taken) {
  if (!IsValue(item)) return platform.files.ReadWholeFile(item.Identity(), maxBytes, &taken->contents);
  long error = 0;
  const RegKey key = runKey.Get(platform.registry, HiveOf(item.source()), &error);
  if (key == 0) return error;
  const ExactName name = item.Identity();
  if (name.HoldsNul() && !name.IsWide()) return kErrorNameNotAddressable;
  error = platform.registry.ReadValue(key, name, &taken->type, &taken->contents.bytes);
  if (error == kRegSuccess && taken->contents.bytes.size() > maxBytes) {
    taken->contents.bytes = std::vector<std::uint8_t>();
    return kErrorFileTooLarge;
  }
  return error;
}

long DeleteStartupItemInPass(const Platform& platform, RunKeyOfPass& runKey, const StartupItem& item) {
  if (!IsValue(item)) return DeleteStartupItem(platform, item);
  long error = 0;
  const RegKey key = runKey.Get(platform.registry, HiveOf(item.source()), &error);
  if (key == 0) return error == kRegFileNotFound ? kRegSuccess : error;  // no key, no value
  const long result = DeleteExactValue(platform.registry, key, item.Identity());
  return result == kRegFileNotFound ? kRegSuccess : result;
}

long PutBackStartupItem(const Platform& platform, RunKeyOfPass& runKey, const TakenItem& taken) {
  const ExactName where = taken.item.Identity();
  if (!IsValue(taken.item)) return platform.files.CreateWholeFile(where, taken.contents);
  long error = 0;
  const RegKey key = runKey.Get(platform.registry, HiveOf(taken.item.source()), &error);
  if (key == 0) return error;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> present;
  error = platform.registry.ReadValue(key, where, &type, &present);
  if (error == kRegSuccess) return kRegFileExists;  // appeared again: never overwritten
  if (error != kRegFileNotFound) return error;
  return platform.registry.WriteValue(key, where, taken.type, taken.contents.bytes);
}

}  // namespace rw
