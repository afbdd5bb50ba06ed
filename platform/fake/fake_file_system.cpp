#include "platform/fake/fake_file_system.h"

#include <algorithm>

#include "platform/ascii_case.h"

namespace rw {

namespace {
constexpr long kErrorPathNotFound = 3;
}  // namespace

std::string FakeFileSystem::Lower(const std::string& text) { return AsciiLower(text); }

void FakeFileSystem::Split(const std::string& path, std::string* folder, std::string* name) {
  const std::size_t slash = path.find_last_of('\\');
  *folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  *name = slash == std::string::npos ? path : path.substr(slash + 1);
}

void FakeFileSystem::AddFolder(const std::string& folder) { folders_[Lower(folder)]; }

void FakeFileSystem::AddFile(const std::string& folder, const std::string& name,
                             const std::string& type, bool readOnly) {
  folders_[Lower(folder)].push_back({name, type, readOnly, false, false});
}

FakeFileSystem::File* FakeFileSystem::FindFile(const std::string& path) {
  std::string folder, name;
  Split(path, &folder, &name);
  auto it = folders_.find(Lower(folder));
  if (it == folders_.end()) return nullptr;
  for (File& file : it->second) {
    if (Lower(file.name) == Lower(name)) return &file;
  }
  return nullptr;
}

void FakeFileSystem::MakeUndeletable(const std::string& path) {
  File* file = FindFile(path);
  if (file != nullptr) file->undeletable = true;
}

void FakeFileSystem::MakeHidden(const std::string& path) {
  File* file = FindFile(path);
  if (file != nullptr) file->hiddenOrSystem = true;
}

bool FakeFileSystem::NormalFileExists(const std::string& path) {
  const File* file = FindFile(path);
  return file != nullptr && !file->hiddenOrSystem;
}

void FakeFileSystem::FailListing(const std::string& folder) {
  AddFolder(folder);
  unreadable_.insert(Lower(folder));
}

std::vector<std::string> FakeFileSystem::FileNames(const std::string& folder) const {
  std::vector<std::string> names;
  auto it = folders_.find(Lower(folder));
  if (it != folders_.end()) {
    for (const File& file : it->second) names.push_back(file.name);
  }
  return names;
}

bool FakeFileSystem::ListFiles(const std::string& folder, std::vector<FolderFile>* files) {
  files->clear();
  listed_.push_back(folder);
  auto it = folders_.find(Lower(folder));
  if (it == folders_.end() || unreadable_.count(Lower(folder)) != 0) return false;
  for (const File& file : it->second) files->push_back({file.name, file.type});
  return true;
}

long FakeFileSystem::RemoveFile(const std::string& path) {
  std::string folder, name;
  Split(path, &folder, &name);
  auto it = folders_.find(Lower(folder));
  if (it == folders_.end()) return kErrorPathNotFound;
  auto& files = it->second;
  auto file = std::find_if(files.begin(), files.end(),
                           [&](const File& f) { return Lower(f.name) == Lower(name); });
  if (file == files.end()) return kErrorFileNotFound;
  if (file->undeletable) return kErrorAccessDenied;
  files.erase(file);
  return kFileRemoved;
}

bool FakeFileSystem::FileExists(const std::string& path) {
  if (FindFile(path) != nullptr) return true;
  return folders_.count(Lower(path)) != 0 || folders_.count(Lower(path + "\\")) != 0;
}

}  // namespace rw
