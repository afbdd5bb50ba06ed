#include "platform/win32/win32_file_system.h"

#include <windows.h>
#include <shellapi.h>

#include <map>

#include "platform/win32/scoped_handles.h"

namespace rw {

namespace {
// The failed call's error code; never 0, which would read as success.
long LastError() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? static_cast<long>(error) : static_cast<long>(ERROR_GEN_FAILURE);
}

std::string LowerExtension(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return "";
  std::string extension = name.substr(dot);
  CharLowerBuffA(&extension[0], static_cast<DWORD>(extension.size()));
  return extension;
}

// The shell describes files by their extension: one listing asks once per
// extension. Nothing is kept past the listing, so a Refresh sees a type
// registered or changed since.
class TypeDescriptions {
 public:
  std::string Of(const std::string& path, const std::string& name) {
    const std::string extension = LowerExtension(name);
    auto known = byExtension_.find(extension);
    if (known != byExtension_.end()) return known->second;
    SHFILEINFOA info = {};
    std::string type;
    if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME) != 0) {
      type = info.szTypeName;
    }
    byExtension_[extension] = type;
    return type;
  }

 private:
  std::map<std::string, std::string> byExtension_;
};
}  // namespace

bool Win32FileSystem::ListFiles(const std::string& folder, std::vector<FolderFile>* files) {
  files->clear();
  WIN32_FIND_DATAA found;
  ScopedFindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
  if (!search.valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;  // empty, but there
  TypeDescriptions types;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::string name = found.cFileName;
    files->push_back({name, types.Of(folder + name, name)});
  } while (FindNextFileA(search.get(), &found));
  return true;
}

long Win32FileSystem::RemoveFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (readOnly) SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  if (DeleteFileA(path.c_str())) return kFileRemoved;
  const long error = LastError();  // before restoring the attributes overwrites it
  if (readOnly) SetFileAttributesA(path.c_str(), attributes);  // leave it as it was
  return error;
}

bool Win32FileSystem::FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace rw

namespace rw {

bool Win32FileSystem::NormalFileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & excluded) == 0;
}

}  // namespace rw
