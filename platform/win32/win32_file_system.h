#pragma once
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "platform/file_system.h"
#include "platform/win32/wide_calls_win32.h"

namespace rw {

// Files through the ANSI kernel32 and shell32 calls, and through the wide
// ones wherever the system implements them, so every name is reached exactly.
class Win32FileSystem : public FileSystem {
 public:
  long ListFiles(const ExactName& folder, std::vector<FolderFile>* files) override;
  long RemoveFile(const ExactName& path) override;
  long ReadWholeFile(const ExactName& path, std::size_t maxBytes, FileContents* contents) override;
  long CreateWholeFile(const ExactName& path, const FileContents& contents) override;
  bool FileExists(const std::string& path) override;
  bool NormalFileExists(const std::string& path) override;
  bool ShellStartupFolder(StartupFolderKind kind, ExactName* folder) override;

 private:
  using FindFirstFileWFunction = HANDLE(WINAPI*)(LPCWSTR, LPWIN32_FIND_DATAW);
  using FindNextFileWFunction = BOOL(WINAPI*)(HANDLE, LPWIN32_FIND_DATAW);
  using SHGetFileInfoWFunction = DWORD_PTR(WINAPI*)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT);
  using GetFileAttributesWFunction = DWORD(WINAPI*)(LPCWSTR);
  using SetFileAttributesWFunction = BOOL(WINAPI*)(LPCWSTR, DWORD);
  using DeleteFileWFunction = BOOL(WINAPI*)(LPCWSTR);
  using CreateFileWFunction = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                              HANDLE);
  using CreateDirectoryWFunction = BOOL(WINAPI*)(LPCWSTR, LPSECURITY_ATTRIBUTES);
  using SHGetPathFromIDListWFunction = BOOL(WINAPI*)(LPCITEMIDLIST, LPWSTR);
  using SHGetFolderPathWFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  RuntimeFunction<FindFirstFileWFunction> findFirstFileW_{"KERNEL32.DLL", "FindFirstFileW"};
  RuntimeFunction<FindNextFileWFunction> findNextFileW_{"KERNEL32.DLL", "FindNextFileW"};
  RuntimeFunction<GetFileAttributesWFunction> getFileAttributesW_{"KERNEL32.DLL",
                                                                  "GetFileAttributesW"};
  RuntimeFunction<SetFileAttributesWFunction> setFileAttributesW_{"KERNEL32.DLL",
                                                                  "SetFileAttributesW"};
  RuntimeFunction<DeleteFileWFunction> deleteFileW_{"KERNEL32.DLL", "DeleteFileW"};
  RuntimeFunction<CreateFileWFunction> createFileW_{"KERNEL32.DLL", "CreateFileW"};
  RuntimeFunction<CreateDirectoryWFunction> createDirectoryW_{"KERNEL32.DLL", "CreateDirectoryW"};
  RuntimeFunction<SHGetFileInfoWFunction> shGetFileInfoW_{"SHELL32.DLL", "SHGetFileInfoW"};
  RuntimeFunction<SHGetPathFromIDListWFunction> shGetPathFromIDListW_{"SHELL32.DLL",
                                                                      "SHGetPathFromIDListW"};
  RuntimeFunction<SHGetFolderPathWFunction> shGetFolderPathW_{"SHELL32.DLL", "SHGetFolderPathW"};
};

}  // namespace rw
