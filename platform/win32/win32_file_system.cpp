#include "platform/win32/win32_file_system.h"

#include <algorithm>
#include <utility>

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

// The calls that list a folder, in one name form: ANSI, imported; or wide,
// looked up at run time.
struct AnsiListing {
  using Char = char;
  using FindData = WIN32_FIND_DATAA;
  HANDLE FindFirst(const std::string& pattern, FindData* found) const {
    return FindFirstFileA(pattern.c_str(), found);
  }
  BOOL FindNext(HANDLE search, FindData* found) const { return FindNextFileA(search, found); }
  ExactName TypeName(const std::string& path) const {
    SHFILEINFOA info = {};
    if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME) == 0) return ExactName();
    return ExactName(std::string(info.szTypeName));
  }
  static ExactName Exact(std::string text) { return ExactName(std::move(text)); }
};

struct WideListing {
  using Char = char16_t;
  using FindData = WIN32_FIND_DATAW;
  HANDLE(WINAPI* findFirst)(LPCWSTR, LPWIN32_FIND_DATAW);
  BOOL(WINAPI* findNext)(HANDLE, LPWIN32_FIND_DATAW);
  DWORD_PTR(WINAPI* fileInfo)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT);  // may be missing
  HANDLE FindFirst(const std::u16string& pattern, FindData* found) const {
    return findFirst(AsWide(pattern), found);
  }
  BOOL FindNext(HANDLE search, FindData* found) const { return findNext(search, found); }
  ExactName TypeName(const std::u16string& path) const {
    SHFILEINFOW info = {};
    if (fileInfo == nullptr || fileInfo(AsWide(path), 0, &info, sizeof info, SHGFI_TYPENAME) == 0) {
      return ExactName();
    }
    return ExactName::Wide(FromWide(info.szTypeName));
  }
  static ExactName Exact(std::u16string text) { return ExactName::Wide(std::move(text)); }
};

// The files directly in |folder|, with their type descriptions. The shell
// describes files by their extension: one listing asks once per extension
// it could describe, and keeps nothing past the listing, so a Refresh sees a
// type registered or changed since. 0, or the error that stopped the listing.
template <class Listing>
long ListWith(const Listing& calls, const std::basic_string<typename Listing::Char>& folder,
              std::vector<FolderFile>* files) {
  using Text = std::basic_string<typename Listing::Char>;
  typename Listing::FindData found;
  ScopedFindHandle search(calls.FindFirst(folder + static_cast<typename Listing::Char>('*'), &found));
  if (!search.valid()) {
    // No file matched: the folder is there, and empty. A missing folder
    // answers ERROR_PATH_NOT_FOUND.
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : LastError();
  }
  std::vector<std::pair<Text, ExactName>> types;  // by extension; a folder holds few kinds
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    Text name(reinterpret_cast<const typename Listing::Char*>(found.cFileName));
    Text path = folder + name;
    const Text extension = LowerExtension(name);
    auto known = std::find_if(types.begin(), types.end(),
                              [&](const std::pair<Text, ExactName>& type) { return type.first == extension; });
    ExactName type = known != types.end() ? known->second : calls.TypeName(path);
    if (known == types.end() && type != ExactName()) types.emplace_back(extension, type);  // failures are asked again
    files->push_back({Listing::Exact(std::move(name)), std::move(type), Listing::Exact(std::move(path))});
  } while (calls.FindNext(search.get(), &found));
  const DWORD error = GetLastError();
  return error == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : LastError();
}

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

// The calls that read and make a whole file, in one name form: ANSI,
// imported; or wide, looked up at run time.
template <typename Char>
struct WholeFileCalls {
  HANDLE(WINAPI* createFile)(const Char*, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
  DWORD(WINAPI* getAttributes)(const Char*);
  BOOL(WINAPI* setAttributes)(const Char*, DWORD);
  BOOL(WINAPI* createDirectory)(const Char*, LPSECURITY_ATTRIBUTES);
  BOOL(WINAPI* deleteFile)(const Char*);
};

WholeFileCalls<char> AnsiFileCalls() {
  return {CreateFileA, GetFileAttributesA, SetFileAttributesA, CreateDirectoryA, DeleteFileA};
}

std::wstring WidePath(const std::u16string& path) { return std::wstring(path.begin(), path.end()); }

std::uint64_t FromFileTime(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}
FILETIME ToFileTime(std::uint64_t time) {
  return {static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
}

// A backslash byte may be the second half of a double-byte character in an
// ANSI path; never in a wide one.
bool IsLeadByte(char unit) { return IsDBCSLeadByte(static_cast<BYTE>(unit)) != FALSE; }
bool IsLeadByte(wchar_t) { return false; }

template <typename Char>
long ReadWhole(const WholeFileCalls<Char>& calls, const std::basic_string<Char>& path,
               std::size_t maxBytes, FileContents* contents) {
  ScopedFile file(calls.createFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastError();
  DWORD high = 0;
  SetLastError(NO_ERROR);  // 0xFFFFFFFF is also the low part of a real size
  const DWORD low = GetFileSize(file.get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return LastError();
  const std::uint64_t size = (static_cast<std::uint64_t>(high) << 32) | low;
  if (size > maxBytes) return kErrorFileTooLarge;
  FileContents read;
  read.bytes.resize(static_cast<std::size_t>(size));
  std::size_t done = 0;
  while (done < read.bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), read.bytes.data() + done, static_cast<DWORD>(read.bytes.size() - done), &got,
                  nullptr)) {
      return LastError();
    }
    if (got == 0) break;  // the file has become shorter since
    done += got;
  }
  read.bytes.resize(done);
  FILETIME creation = {}, lastWrite = {};
  if (!GetFileTime(file.get(), &creation, nullptr, &lastWrite)) return LastError();
  read.attributes = calls.getAttributes(path.c_str());
  if (read.attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  read.creationTime = FromFileTime(creation);
  read.lastWriteTime = FromFileTime(lastWrite);
  *contents = std::move(read);
  return ERROR_SUCCESS;
}

// Makes each folder above |path|; one that is there or cannot be made is
// left for the file's own creation to report.
template <typename Char>
void MakeFoldersAbove(const WholeFileCalls<Char>& calls, const std::basic_string<Char>& path) {
  for (std::size_t at = 0; at < path.size(); ++at) {
    if (IsLeadByte(path[at])) {
      ++at;
    } else if (at > 0 && (path[at] == Char('\\') || path[at] == Char('/'))) {
      calls.createDirectory(path.substr(0, at).c_str(), nullptr);
    }
  }
}

long WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &wrote, nullptr)) {
      return LastError();
    }
    if (wrote == 0) return ERROR_WRITE_FAULT;
    done += wrote;
  }
  return ERROR_SUCCESS;
}

// Sets the times that were read; a time never read (0) is left as the system set it.
long SetTimes(HANDLE file, const FileContents& contents) {
  const FILETIME creation = ToFileTime(contents.creationTime);
  const FILETIME lastWrite = ToFileTime(contents.lastWriteTime);
  if (SetFileTime(file, contents.creationTime != 0 ? &creation : nullptr, nullptr,
                  contents.lastWriteTime != 0 ? &lastWrite : nullptr)) {
    return ERROR_SUCCESS;
  }
  return LastError();
}

// The file made anew, whole, or not at all: a file that is there already is
// left untouched (CREATE_NEW), and one that cannot be made complete, with its
// times and attributes, is deleted again.
template <typename Char>
long CreateWhole(const WholeFileCalls<Char>& calls, const std::basic_string<Char>& path,
                 const FileContents& contents) {
  const auto create = [&] {
    return calls.createFile(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  ScopedFile file(create());
  if (!file.valid() && GetLastError() == ERROR_PATH_NOT_FOUND) {
    MakeFoldersAbove(calls, path);
    file.reset(create());
  }
  if (!file.valid()) return LastError();
  long result = WriteAll(file.get(), contents.bytes);
  // Before closing: the last write would set the time otherwise.
  if (result == ERROR_SUCCESS) result = SetTimes(file.get(), contents);
  file.reset();
  // After closing: a read-only file could not have been written.
  const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                     FILE_ATTRIBUTE_ARCHIVE;
  const DWORD attributes = (contents.attributes & kept) != 0 ? contents.attributes & kept : FILE_ATTRIBUTE_NORMAL;
  if (result == ERROR_SUCCESS && !calls.setAttributes(path.c_str(), attributes)) result = LastError();
  if (result != ERROR_SUCCESS) calls.deleteFile(path.c_str());
  return result;
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

long Win32FileSystem::ListFiles(const ExactName& folder, std::vector<FolderFile>* files) {
  files->clear();
  // In Unicode wherever the system can: an ANSI listing gives names the code
  // page cannot hold as other names, which may belong to other files.
  const WideListing wide{findFirstFileW_.get(), findNextFileW_.get(), shGetFileInfoW_.get()};
  if (wide.findFirst != nullptr && wide.findNext != nullptr) {
    const long listed =
        ListWith(wide, folder.IsWide() ? folder.Unicode() : WideFromAnsi(folder.Ansi()), files);
    if (listed != ERROR_CALL_NOT_IMPLEMENTED || !files->empty()) return listed;
  }
  return ListWith(AnsiListing(), folder.IsWide() ? AnsiFromWide(folder.Unicode()) : folder.Ansi(), files);
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

long Win32FileSystem::ReadWholeFile(const ExactName& path, std::size_t maxBytes, FileContents* contents) {
  if (!path.IsWide()) return ReadWhole(AnsiFileCalls(), path.Ansi(), maxBytes, contents);
  const WholeFileCalls<wchar_t> wide{createFileW_.get(), getFileAttributesW_.get(), nullptr, nullptr, nullptr};
  if (wide.createFile == nullptr || wide.getAttributes == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
  return ReadWhole(wide, WidePath(path.Unicode()), maxBytes, contents);
}

long Win32FileSystem::CreateWholeFile(const ExactName& path, const FileContents& contents) {
  if (!path.IsWide()) return CreateWhole(AnsiFileCalls(), path.Ansi(), contents);
  const WholeFileCalls<wchar_t> wide{createFileW_.get(), getFileAttributesW_.get(), setFileAttributesW_.get(),
                                     createDirectoryW_.get(), deleteFileW_.get()};
  if (wide.createFile == nullptr || wide.setAttributes == nullptr || wide.createDirectory == nullptr ||
      wide.deleteFile == nullptr) {
    return ERROR_CALL_NOT_IMPLEMENTED;
  }
  return CreateWhole(wide, WidePath(path.Unicode()), contents);
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
  // The path exactly, where the shell can tell it so (Windows 2000, ME and
  // Wine): as Windows 95/98, Wine's shell builds its item lists in ANSI,
  // which may name another, real folder.
  if (const auto folderPath = shGetFolderPathW_.get()) {
    wchar_t wide[MAX_PATH + 1] = {};
    if (SUCCEEDED(folderPath(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, wide)) && wide[0] != L'\0') {
      *folder = ExactName::Wide(FromWide(wide));
      return true;
    }
  }
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
