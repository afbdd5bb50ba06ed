#include "tests/fakes/fake_file_system.h"

#include <algorithm>

#include "tests/fakes/fake_code_page.h"

namespace rw {

namespace {
constexpr long kErrorCallNotImplemented = 120;

std::u16string Key(const std::u16string& folder) { return FakeLowerAscii(folder); }
std::u16string Key(const std::string& folder) { return FakeLowerAscii(FakeWiden(folder)); }
std::u16string WideOf(const ExactName& name) {
  return name.IsWide() ? name.Unicode() : FakeWiden(name.Ansi());
}
}  // namespace

void FakeFileSystem::Split(const std::u16string& path, std::u16string* folder,
                           std::u16string* name) {
  const std::size_t slash = path.find_last_of(u'\\');
  *folder = slash == std::u16string::npos ? u"" : path.substr(0, slash + 1);
  *name = slash == std::u16string::npos ? path : path.substr(slash + 1);
}

void FakeFileSystem::AddFolder(const std::string& folder) { folders_[Key(folder)]; }

void FakeFileSystem::AddFile(const std::string& folder, const std::string& name,
                             const std::string& type, bool readOnly) {
  folders_[Key(folder)].push_back({FakeWiden(name), type, readOnly, false, false, {}});
}

void FakeFileSystem::AddFileWide(const std::u16string& folder, const std::u16string& name,
                                 const std::string& type) {
  folders_[Key(folder)].push_back({name, type, false, false, false, {}});
}

const std::vector<FakeFileSystem::File>* FakeFileSystem::FolderFiles(
    const std::u16string& folder) const {
  auto it = folders_.find(Key(folder));
  return it == folders_.end() ? nullptr : &it->second;
}

FakeFileSystem::File* FakeFileSystem::FindFile(const std::u16string& path) {
  std::u16string folder, name;
  Split(path, &folder, &name);
  auto it = folders_.find(Key(folder));
  if (it == folders_.end()) return nullptr;
  for (File& file : it->second) {
    if (FakeLowerAscii(file.name) == FakeLowerAscii(name)) return &file;
  }
  return nullptr;
}

void FakeFileSystem::MakeUndeletable(const std::string& path) {
  File* file = FindFile(FakeWiden(path));
  if (file != nullptr) file->undeletable = true;
}

void FakeFileSystem::MakeHidden(const std::string& path) {
  File* file = FindFile(FakeWiden(path));
  if (file != nullptr) file->hiddenOrSystem = true;
}

bool FakeFileSystem::NormalFileExists(const std::string& path) {
  const File* file = FindFile(FakeWiden(path));
  return file != nullptr && !file->hiddenOrSystem;
}

void FakeFileSystem::FailListing(const std::string& folder, std::size_t afterFiles, long error) {
  AddFolder(folder);
  listingFailures_[Key(folder)] = {afterFiles, error};
}

std::vector<std::string> FakeFileSystem::FileNames(const std::string& folder) const {
  std::vector<std::string> names;
  if (const auto* files = FolderFiles(FakeWiden(folder))) {
    for (const File& file : *files) names.push_back(FakeAnsi(file.name));
  }
  return names;
}

bool FakeFileSystem::HasFileWide(const std::u16string& folder, const std::u16string& name) const {
  const auto* files = FolderFiles(folder);
  return files != nullptr && std::any_of(files->begin(), files->end(), [&](const File& file) {
           return FakeLowerAscii(file.name) == FakeLowerAscii(name);
         });
}

long FakeFileSystem::ListFiles(const ExactName& folder, std::vector<FolderFile>* files) {
  files->clear();
  const std::u16string wideFolder = WideOf(folder);
  listed_.push_back(FakeAnsi(wideFolder));
  const auto* found = FolderFiles(wideFolder);
  if (found == nullptr) return kErrorPathNotFound;
  const auto failure = listingFailures_.find(Key(wideFolder));
  for (const File& file : *found) {
    if (failure != listingFailures_.end() && files->size() == failure->second.first) return failure->second.second;
    // The ANSI calls give names through the code page; the wide ones exactly.
    if (wideCalls_) {
      files->push_back({ExactName::Wide(file.name), ExactName(file.type), ExactName::Wide(wideFolder + file.name)});
    } else {
      files->push_back({FakeAnsi(file.name), file.type, FakeAnsi(wideFolder + file.name)});
    }
  }
  return failure != listingFailures_.end() && files->size() == failure->second.first ? failure->second.second : 0;
}

long FakeFileSystem::RemoveFile(const ExactName& path) {
  if (path.IsWide() && !wideCalls_) return kErrorCallNotImplemented;
  std::u16string folder, name;
  Split(WideOf(path), &folder, &name);
  auto it = folders_.find(Key(folder));
  if (it == folders_.end()) return kErrorPathNotFound;
  auto& files = it->second;
  auto file = std::find_if(files.begin(), files.end(), [&](const File& f) {
    return FakeLowerAscii(f.name) == FakeLowerAscii(name);
  });
  if (file == files.end()) return kErrorFileNotFound;
  if (file->undeletable) return kErrorAccessDenied;
  files.erase(file);
  return kFileRemoved;
}

namespace {
constexpr std::uint32_t kReadOnly = 0x1;
}  // namespace

const FileContents* FakeFileSystem::Contents(const std::u16string& path) {
  File* file = FindFile(path);
  if (file == nullptr) return nullptr;
  file->contents.attributes = (file->contents.attributes & ~kReadOnly) | (file->readOnly ? kReadOnly : 0);
  return &file->contents;
}

void FakeFileSystem::SetContents(const std::u16string& path, const FileContents& contents) {
  if (File* file = FindFile(path)) {
    file->contents = contents;
    file->readOnly = (contents.attributes & kReadOnly) != 0;
  }
}

long FakeFileSystem::ReadWholeFile(const ExactName& path, std::size_t maxBytes, FileContents* contents) {
  if (path.IsWide() && !wideCalls_) return kErrorCallNotImplemented;
  const FileContents* found = Contents(WideOf(path));
  if (found == nullptr) return kErrorFileNotFound;
  if (found->bytes.size() > maxBytes) return kErrorFileTooLarge;
  *contents = *found;
  return 0;
}

long FakeFileSystem::CreateWholeFile(const ExactName& path, const FileContents& contents) {
  if (path.IsWide() && !wideCalls_) return kErrorCallNotImplemented;
  if (createError_ != 0) return createError_;
  const std::u16string wide = WideOf(path);
  if (FindFile(wide) != nullptr) return kErrorFileExists;
  std::u16string folder, name;
  Split(wide, &folder, &name);
  const bool link = name.size() >= 4 && FakeLowerAscii(name.substr(name.size() - 4)) == u".lnk";
  folders_[Key(folder)].push_back({name, link ? "Shortcut" : "File", false, false, false, {}});
  SetContents(wide, contents);
  return 0;
}

bool FakeFileSystem::FileExists(const std::string& path) {
  if (FindFile(FakeWiden(path)) != nullptr) return true;
  return folders_.count(Key(path)) != 0 || folders_.count(Key(path + "\\")) != 0;
}

bool FakeFileSystem::ShellStartupFolder(StartupFolderKind kind, ExactName* folder) {
  auto it = shellFolders.find(kind);
  if (it == shellFolders.end()) return false;
  *folder = it->second;
  return true;
}

}  // namespace rw
