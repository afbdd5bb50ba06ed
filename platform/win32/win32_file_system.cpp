#include "platform/win32/win32_file_system.h"


#include <map>

#include "platform/win32/scoped_handles.h"

namespace rw {

namespace {
// The failed call's error code; never 0, which would read as success.
long LastError() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? static_cast<long>(error) : static_cast<long>(ERROR_GEN_FAILURE);
}

// The extension, lower-cased in ASCII: enough to tell one type from another.
template <typename Char>
std::basic_string<Char> LowerExtension(const std::basic_string<Char>& name) {
  const std::size_t dot = name.find_last_of(Char('.'));
  if (dot == std::basic_string<Char>::npos) return {};
  std::basic_string<Char> extension = name.substr(dot);
  for (Char& c : extension) {
    if (c >= Char('A') && c <= Char('Z')) c = static_cast<Char>(c - Char('A') + Char('a'));
  }
  return extension;
}

// The shell describes files by their extension: one listing asks once per
// extension. Nothing is kept past the listing, so a Refresh sees a type
// registered or changed since.
template <typename Char>
class TypeDescriptions {
 public:
  template <typename Describe>
  std::string Of(const std::basic_string<Char>& name, Describe describe) {
    const std::basic_string<Char> extension = LowerExtension(name);
    auto known = byExtension_.find(extension);
    if (known != byExtension_.end()) return known->second;
    std::string type = describe();
    byExtension_[extension] = type;
    return type;
  }

 private:
  std::map<std::basic_string<Char>, std::string> byExtension_;
};

// Deletes a file, also a read-only one, through one form of the file calls;
// a file that stays keeps its attributes.
template <typename Char, typename GetAttributes, typename SetAttributes, typename Delete>
long RemoveEvenReadOnly(const Char* path, GetAttributes getAttributes,
                        SetAttributes setAttributes, Delete deleteFile) {
  const DWORD attributes = getAttributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (readOnly) setAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
  if (deleteFile(path)) return kFileRemoved;
  const long error = LastError();  // before restoring the attributes overwrites it
  if (readOnly) setAttributes(path, attributes);
  return error;
}

// An item list the shell handed out, given back to the shell's allocator.
class ScopedItemIdList {
 public:
  ScopedItemIdList() = default;
  ~ScopedItemIdList() {
    IMalloc* allocator = nullptr;
    if (list_ != nullptr && SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
      allocator->Free(list_);
      allocator->Release();
    }
  }
  ScopedItemIdList(const ScopedItemIdList&) = delete;
  ScopedItemIdList& operator=(const ScopedItemIdList&) = delete;
  LPITEMIDLIST* receive() { return &list_; }
  LPCITEMIDLIST get() const { return list_; }

 private:
  LPITEMIDLIST list_ = nullptr;
};
}  // namespace

bool Win32FileSystem::ListFiles(const ExactName& folder, std::vector<FolderFile>* files) {
  files->clear();
  // In Unicode wherever the system can: an ANSI listing gives names the code
  // page cannot hold as other names, which may belong to other files.
  const std::u16string wideFolder = folder.IsWide() ? folder.Unicode() : WideFromAnsi(folder.Ansi());
  const long wide = ListFilesWide(wideFolder, files);
  if (wide == ERROR_SUCCESS) return true;
  if (wide != ERROR_CALL_NOT_IMPLEMENTED) return false;
  return ListFilesAnsi(folder.IsWide() ? AnsiFromWide(folder.Unicode()) : folder.Ansi(), files);
}

long Win32FileSystem::ListFilesWide(const std::u16string& folder, std::vector<FolderFile>* files) {
  const auto findFirst = findFirstFileW_.get();
  const auto findNext = findNextFileW_.get();
  if (findFirst == nullptr || findNext == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
  WIN32_FIND_DATAW found;
  ScopedFindHandle search(findFirst(AsWide(folder + u"*"), &found));
  if (!search.valid()) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : static_cast<long>(error);  // empty, but there
  }
  TypeDescriptions<char16_t> types;
  const auto getFileInfo = shGetFileInfoW_.get();
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::u16string name = FromWide(found.cFileName);
    const std::u16string path = folder + name;
    const std::string type = types.Of(name, [&]() -> std::string {
      SHFILEINFOW info = {};
      if (getFileInfo == nullptr || getFileInfo(AsWide(path), 0, &info, sizeof info,
                                                SHGFI_TYPENAME) == 0) {
        return "";
      }
      return AnsiFromWide(FromWide(info.szTypeName));
    });
    files->push_back({AnsiFromWide(name), type, ExactName::Wide(path)});
  } while (findNext(search.get(), &found));
  return ERROR_SUCCESS;
}

bool Win32FileSystem::ListFilesAnsi(const std::string& folder, std::vector<FolderFile>* files) {
  WIN32_FIND_DATAA found;
  ScopedFindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
  if (!search.valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;  // empty, but there
  TypeDescriptions<char> types;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::string name = found.cFileName;
    const std::string path = folder + name;
    const std::string type = types.Of(name, [&]() -> std::string {
      SHFILEINFOA info = {};
      if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME) == 0) return "";
      return info.szTypeName;
    });
    files->push_back({name, type, ExactName(path)});
  } while (FindNextFileA(search.get(), &found));
  return true;
}

long Win32FileSystem::RemoveFile(const ExactName& path) {
  if (!path.IsWide()) {
    return RemoveEvenReadOnly(path.Ansi().c_str(), GetFileAttributesA, SetFileAttributesA,
                              DeleteFileA);
  }
  // A Unicode path is deleted by its Unicode name or not at all.
  const auto getAttributes = getFileAttributesW_.get();
  const auto setAttributes = setFileAttributesW_.get();
  const auto deleteFile = deleteFileW_.get();
  if (getAttributes == nullptr || setAttributes == nullptr || deleteFile == nullptr) {
    return ERROR_CALL_NOT_IMPLEMENTED;
  }
  return RemoveEvenReadOnly(AsWide(path.Unicode()), getAttributes, setAttributes, deleteFile);
}

bool Win32FileSystem::FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::NormalFileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & excluded) == 0;
}

bool Win32FileSystem::ShellStartupFolder(StartupFolderKind kind, ExactName* folder) {
  const int csidl = kind == StartupFolderKind::kUser ? CSIDL_STARTUP : CSIDL_COMMON_STARTUP;
  ScopedItemIdList items;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, items.receive())) ||
      items.get() == nullptr) {
    return false;
  }
  // In Unicode where the shell can: a user's name in the path may be one the
  // code page cannot hold.
  if (const auto pathFromList = shGetPathFromIDListW_.get()) {
    wchar_t wide[MAX_PATH + 1] = {};
    if (pathFromList(items.get(), wide) && wide[0] != L'\0') {
      *folder = ExactName::Wide(FromWide(wide));
      return true;
    }
  }
  char ansi[MAX_PATH + 1] = {};
  if (!SHGetPathFromIDListA(items.get(), ansi) || ansi[0] == '\0') return false;
  *folder = ExactName(std::string(ansi));
  return true;
}

}  // namespace rw
