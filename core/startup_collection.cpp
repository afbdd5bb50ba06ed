#include "core/startup_collection.h"

#include <algorithm>
#include <cstring>
#include <vector>

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

// The smallest buffers, as the program always used; they grow to fit.
constexpr std::uint32_t kMinNameChars = 100;
constexpr std::uint32_t kMinDataBytes = 100;
// Registry value names never exceed 16383 characters.
constexpr std::uint32_t kMaxNameChars = 16384;
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

std::string TextUpToFirstNul(const std::vector<std::uint8_t>& data, std::uint32_t length) {
  length = std::min<std::uint32_t>(length, static_cast<std::uint32_t>(data.size()));
  const auto* bytes = reinterpret_cast<const char*>(data.data());
  const void* nul = std::memchr(bytes, '\0', length);
  if (nul != nullptr) length = static_cast<std::uint32_t>(static_cast<const char*>(nul) - bytes);
  return std::string(bytes, length);
}

// After "more data": the data buffer grows to the size the platform asked
// for; when that already fitted, the name was too long.
void GrowBuffers(std::uint32_t wantedDataBytes, std::vector<char>* name,
                 std::vector<std::uint8_t>* data) {
  if (wantedDataBytes >= data->size()) {
    data->resize(static_cast<std::size_t>(wantedDataBytes) + 1);
  } else if (name->size() <= kMaxNameChars) {
    name->resize(std::min<std::size_t>(name->size() * 2, kMaxNameChars + 1));
  } else if (data->size() < kMaxBlindDataBytes) {
    data->resize(data->size() * 2);  // a platform that does not say how much it needs
  }
}

void AppendRunKeyValues(Registry& registry, RegKey hive, const char* tag,
                        StartupListSink& sink) {
  const ScopedRegKey runKey = OpenRunKey(registry, hive);
  if (!runKey.valid()) return;
  const RegKey key = runKey.get();

  std::uint32_t maxNameChars = 0;
  std::uint32_t maxDataBytes = 0;
  if (registry.QueryValueLimits(key, &maxNameChars, &maxDataBytes) != kRegSuccess) {
    maxNameChars = maxDataBytes = 0;
  }
  std::vector<char> name(std::max(kMinNameChars, std::min(maxNameChars, kMaxNameChars) + 1));
  std::vector<std::uint8_t> data(std::max(kMinDataBytes, maxDataBytes + 1));

  std::uint32_t index = 0;
  int growths = 0;
  for (;;) {
    auto nameChars = static_cast<std::uint32_t>(name.size());
    auto dataBytes = static_cast<std::uint32_t>(data.size());
    std::uint32_t type = kRegNone;
    const long result =
        registry.EnumValue(key, index, name.data(), &nameChars, &type, data.data(), &dataBytes);
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
    if (result != kRegSuccess) break;  // no more items, or a key we cannot read on

    nameChars = std::min(nameChars, static_cast<std::uint32_t>(name.size()));
    sink.AppendRow({std::string(name.data(), nameChars), TextUpToFirstNul(data, dataBytes), tag});
    ++index;
    growths = 0;
  }
}

// Shell links are "Shortcut" whatever language the platform describes them in:
// deletion recognises shortcuts by that text.
std::string InformationFor(const FolderFile& file) {
  const std::string& name = file.name;
  if (name.size() >= 4 && AsciiLower(name.substr(name.size() - 4)) == ".lnk") {
    return SourceTag::kShortcut;
  }
  return file.type;
}

void AppendFolderFiles(FileSystem& files, const std::string& folder, StartupListSink& sink) {
  std::vector<FolderFile> listing;
  if (!files.ListFiles(folder, &listing)) return;  // a missing folder adds nothing
  for (const FolderFile& file : listing) {
    sink.AppendRow({file.name, folder + file.name, InformationFor(file)});
  }
}

}  // namespace

void AppendStartupItems(const Platform& platform, StartupListSink& sink) {
  AppendRunKeyValues(platform.registry, kHkeyLocalMachine, SourceTag::kMachineRun, sink);
  AppendRunKeyValues(platform.registry, kHkeyCurrentUser, SourceTag::kUserRun, sink);
  if (IsWin9x) {
    AppendFolderFiles(platform.files, kWin9xStartupFolder, sink);
  } else if (IsWinNT) {
    AppendFolderFiles(platform.files, kNtAllUsersStartupFolder, sink);
    AppendFolderFiles(platform.files, NtUserStartupFolder(GetCurrentUserName(platform.system)),
                      sink);
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
