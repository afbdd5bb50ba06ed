#include "core/startup_collection.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/buffer_text.h"
#include "core/user_name.h"
#include "core/windows_version.h"
#include "platform/ascii_case.h"
#include "platform/scoped_reg_key.h"

namespace rw {

const char RunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
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

// Opens for the usual access, or read-only for a user who may not write the
// key: its entries are listed either way. Not valid when it cannot be opened.
ScopedRegKey OpenRunKey(Registry& registry, RegKey hive) {
  ScopedRegKey key(registry);
  if (registry.OpenKeyEx(hive, RunKeyPath, kRunKeyAccess, key.receive()) == kRegSuccess &&
      key.valid()) {
    return key;
  }
  if (registry.OpenKeyEx(hive, RunKeyPath, kKeyRead, key.receive()) == kRegSuccess && key.valid()) {
    return key;
  }
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

// Calls |onValue(name, type, data, dataBytes)| for each value of |key|, in the
// registry's order. Returns the result that ended the walk.
template <typename Char, typename OnValue>
long EnumerateValues(Registry& registry, RegKey key, OnValue onValue) {
  std::uint32_t maxNameChars = 0;
  std::uint32_t maxDataBytes = 0;
  if (registry.QueryValueLimits(key, &maxNameChars, &maxDataBytes) != kRegSuccess) {
    maxNameChars = maxDataBytes = 0;
  }
  std::vector<Char> name(std::max(kMinNameChars, std::min(maxNameChars, kMaxNameChars) + 1));
  std::vector<std::uint8_t> data(std::max(kMinDataBytes, maxDataBytes + 1));

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
        ++index;
        growths = 0;
        continue;
      }
      GrowBuffers(dataBytes, &name, &data);
      continue;
    }
    if (result != kRegSuccess) return result;  // no more items, or a key we cannot read on

    nameChars = std::min(nameChars, static_cast<std::uint32_t>(name.size()));
    onValue(std::basic_string<Char>(name.data(), nameChars), type, data,
            std::min<std::uint32_t>(dataBytes, static_cast<std::uint32_t>(data.size())));
    ++index;
    growths = 0;
  }
}

bool IsStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// Wide string data is UTF-16, cut at its first NUL and shown in ANSI as the
// ANSI call would have given it; other data is the same bytes either way.
std::string LocationFromWideData(SystemQueries& system, std::uint32_t type,
                                 const std::vector<std::uint8_t>& data, std::uint32_t length) {
  if (!IsStringType(type)) return AnsiTextOf(data, length);
  return system.AnsiText(WideTextUpToFirstNul(data, length));
}

void AppendRunKeyValues(const Platform& platform, RegKey hive, const char* tag,
                        EntrySource source, StartupListSink& sink) {
  Registry& registry = platform.registry;
  const ScopedRegKey runKey = OpenRunKey(registry, hive);
  if (!runKey.valid()) return;

  // Names are read in Unicode wherever the registry keeps them so (NT, and
  // Wine whatever version it reports): the ANSI name may have lost characters
  // and name another value. Windows 95/98 answer the wide call with "not
  // implemented"; their names are ANSI, and so exact as the ANSI call gives them.
  const long wideEnd = EnumerateValues<char16_t>(
      registry, runKey.get(),
      [&](std::u16string name, std::uint32_t type, const std::vector<std::uint8_t>& data,
          std::uint32_t length) {
        // A braced list is evaluated in order: the name is shown before it moves.
        sink.AppendRow({platform.system.AnsiText(name),
                        LocationFromWideData(platform.system, type, data, length), tag, source,
                        ExactName::Wide(std::move(name))});
      });
  if (wideEnd != kRegCallNotImplemented) return;
  EnumerateValues<char>(
      registry, runKey.get(),
      [&](std::string name, std::uint32_t, const std::vector<std::uint8_t>& data,
          std::uint32_t length) {
        sink.AppendRow({name, AnsiTextOf(data, length), tag, source, ExactName(std::move(name))});
      });
}

// Shell links are "Shortcut" whatever language the platform describes them in.
bool IsShellLink(const std::string& name) {
  return name.size() >= 4 && AsciiLower(name.substr(name.size() - 4)) == ".lnk";
}

// A Startup folder: exactly as the file system names it, and as the list shows it.
struct StartupFolder {
  ExactName path;     // ends in a backslash
  std::string shown;  // ends in a backslash
};

StartupFolder FolderFromPath(SystemQueries& system, ExactName path) {
  if (path.IsWide()) {
    std::u16string wide = path.Unicode();
    if (wide.empty() || wide.back() != u'\\') wide.push_back(u'\\');
    return {ExactName::Wide(wide), system.AnsiText(wide)};
  }
  std::string ansi = path.Ansi();
  if (ansi.empty() || ansi.back() != '\\') ansi.push_back('\\');
  return {ExactName(ansi), ansi};
}

// Explorer's record of the folder, for a shell that names none: read in
// Unicode where the registry can, since a path the code page cannot hold would
// read as another folder's. An empty name when there is none.
ExactName ShellFoldersEntry(const Platform& platform, RegKey hive, const char* valueName) {
  Registry& registry = platform.registry;
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

bool IsEmpty(const ExactName& name) {
  return name.IsWide() ? name.Unicode().empty() : name.Ansi().empty();
}

// The folder Windows starts the files of: where the shell says; failing that,
// where Explorer recorded it; failing that, the default install's folder.
StartupFolder FindStartupFolder(const Platform& platform, StartupFolderKind kind, RegKey hive,
                                const char* shellFoldersValue, const std::string& fallback) {
  ExactName shellPath;
  if (platform.files.ShellStartupFolder(kind, &shellPath) && !IsEmpty(shellPath)) {
    return FolderFromPath(platform.system, shellPath);
  }
  const ExactName recorded = ShellFoldersEntry(platform, hive, shellFoldersValue);
  return FolderFromPath(platform.system, IsEmpty(recorded) ? ExactName(fallback) : recorded);
}

void AppendFolderFiles(FileSystem& files, const StartupFolder& folder, StartupListSink& sink) {
  std::vector<FolderFile> listing;
  if (!files.ListFiles(folder.path, &listing)) return;  // a missing folder adds nothing
  for (const FolderFile& file : listing) {
    const bool shortcut = IsShellLink(file.name);
    sink.AppendRow({file.name, folder.shown + file.name, shortcut ? SourceTag::kShortcut : file.type,
                    shortcut ? EntrySource::kStartupShortcut : EntrySource::kStartupOtherFile,
                    file.path});
  }
}

}  // namespace

void AppendStartupItems(const Platform& platform, StartupListSink& sink) {
  AppendRunKeyValues(platform, kHkeyLocalMachine, SourceTag::kMachineRun,
                     EntrySource::kMachineRun, sink);
  AppendRunKeyValues(platform, kHkeyCurrentUser, SourceTag::kUserRun, EntrySource::kUserRun,
                     sink);
  if (IsWin9x) {
    AppendFolderFiles(platform.files,
                      FindStartupFolder(platform, StartupFolderKind::kUser, kHkeyCurrentUser,
                                        "Startup", kWin9xStartupFolder),
                      sink);
  } else if (IsWinNT) {
    const StartupFolder allUsers =
        FindStartupFolder(platform, StartupFolderKind::kAllUsers, kHkeyLocalMachine,
                          "Common Startup", kNtAllUsersStartupFolder);
    const StartupFolder own = FindStartupFolder(
        platform, StartupFolderKind::kUser, kHkeyCurrentUser, "Startup",
        NtUserStartupFolder(GetCurrentUserName(platform.system)));
    AppendFolderFiles(platform.files, allUsers, sink);
    if (own.path != allUsers.path) AppendFolderFiles(platform.files, own, sink);
  }
}

void FinishStartupList(StartupListSink& sink) {
  sink.SortAscending();
  sink.SelectFirstRow();
  sink.SetStatusText("Ready");
  sink.MarkAscendingSort();
}

void LoadStartupItems(const Platform& platform, StartupListSink& sink) {
  AppendStartupItems(platform, sink);
  FinishStartupList(sink);
}

}  // namespace rw
