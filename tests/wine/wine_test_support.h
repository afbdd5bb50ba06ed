#pragma once
// Helpers that set up real registry values and files for the Windows-side
// tests and for seeding a demo prefix. They write directly with the Win32 API,
// never through the code under test.
#include <windows.h>

#include <string>
#include <vector>

namespace rw::wine {

extern const char kRunKey[];

// Empties (and creates) the Run key of |hive|.
bool ClearRunKey(HKEY hive);
bool SetRawValue(HKEY hive, const std::string& path, const std::string& name, DWORD type,
                 const std::vector<BYTE>& data);
// A string value with its NUL stored, as programs write them.
bool SetStringValue(HKEY hive, const std::string& path, const std::string& name,
                    const std::string& text, DWORD type = REG_SZ);
bool ValueExists(HKEY hive, const std::string& path, const std::string& name);
// The same with a name the ANSI code page may not hold, or one that holds a
// NUL: set and found through the native calls, which take counted names.
bool SetStringValueWide(HKEY hive, const std::string& path, const std::wstring& name,
                        const std::string& text);
bool SetStringValueWide(HKEY hive, const std::string& path, const std::wstring& name,
                        const std::wstring& text);
bool ValueExistsWide(HKEY hive, const std::string& path, const std::wstring& name);
// A value's type and bytes exactly as given or kept, through the native
// calls: no NUL added, whatever the name.
bool SetExactValue(HKEY hive, const std::string& path, const std::wstring& name, DWORD type,
                   const std::vector<BYTE>& data);
bool ReadExactValue(HKEY hive, const std::string& path, const std::wstring& name, DWORD* type,
                    std::vector<BYTE>* data);
// Where the shell finds a Startup folder ("Startup" under HKCU, "Common
// Startup" under HKLM), as a Windows installed elsewhere or in another
// language has it; |folder| "" removes the setting. Explorer's own record of
// the folder is removed, so it cannot stand in for the shell.
bool SetShellStartupFolder(HKEY hive, const char* valueName, const std::string& folder);
// Deletes |path| (a key without subkeys) if it exists.
void RemoveKey(HKEY hive, const std::string& path);

// Creates every missing folder along |path|.
bool MakeFolders(const std::string& path);
// Deletes a folder with everything in it; true when it is gone.
bool RemoveTree(const std::string& path);
bool WriteTextFile(const std::string& path, const std::string& text, DWORD attributes = 0);
bool FileExistsWide(const std::wstring& path);
bool WriteTextFileWide(const std::wstring& path, const std::string& text);
// A report list view with three columns, as the main window's list is made,
// in a hidden window of its own; |style| adds to WS_CHILD | WS_CLIPCHILDREN |
// LVS_REPORT.
// Attaching a Win32ListControl gives it its check boxes; the host window
// hands the list's notifications to |notify| (the rows' text requests), in
// Unicode when |unicode| says so.
HWND CreateTestListView(DWORD style, bool (*notify)(const NMHDR*, LRESULT*) = nullptr, bool unicode = false);

// What a list's row shows in a column, read back as the user sees it,
// through LVM_GETITEMTEXTA, or W for the Unicode text.
std::string ListText(HWND list, int position, int column);
std::u16string ListTextUnicode(HWND list, int position, int column);

// A real shell link made through the shell's link interface.
bool MakeShortcut(const std::string& linkPath, const std::string& target,
                  const std::string& arguments);
bool MakeShortcutWide(const std::wstring& linkPath, const std::string& target);

}  // namespace rw::wine
