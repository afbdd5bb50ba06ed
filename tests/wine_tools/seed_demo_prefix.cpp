// Fills a Wine prefix with a startup set like a Windows 98 machine's: values in
// both Run keys, and shortcuts and another file in the Startup folders the
// shell names, where Wine really starts them.
//   seed_demo_prefix              the prefix's own Startup folders
//   seed_demo_prefix --autostart  first moves them as a German Windows in
//                                 C:\WIN95 and D:\WINNT40 would have them
//   seed_demo_prefix --unicode    adds entries whose names lie outside the ANSI
//                                 code page: a Greek and a Chinese program's
//                                 values, and a text file named like a shortcut
//                                 in fullwidth letters
//   seed_demo_prefix --deny-user-run   closes the user's Run key to everyone
//                                 (an empty DACL); --allow-user-run opens it again
//   seed_demo_prefix --nul-names  adds values whose names hold a NUL to the user's
//                                 Run key; --user-run-names prints its names
//   seed_demo_prefix --lookalikes adds entries beside their best-fit ANSI twins,
//                                 a text file named like a shortcut in other
//                                 letters, and moves the user's folder to
//                                 "startup \u03A9" beside a real "startup O"
// Prints the user's and the all-users folder, one a line.
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/wine/wine_test_support.h"

using namespace rw::wine;

namespace {

const char kUserAutostart[] = "C:\\WIN95\\Startmen\xfc\\Programme\\Autostart";
const char kCommonAutostart[] = "C:\\WINNT40\\Profiles\\All Users\\Startmen\xfc\\Programme\\Autostart";

// The folder the shell names, with a backslash at the end; "" when it names none.
std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE)) return "";
  return std::string(path) + "\\";
}

// Values and files that read alike through the ANSI code page, in a user's
// Startup folder whose own name lies outside it.
bool SeedLookalikes() {
  const HKEY cu = HKEY_CURRENT_USER;
  bool ok = SetStringValueWide(cu, kRunKey, L"Tool \x03A9", std::wstring(L"c:\\\x03C9mega\\tool.exe"));
  ok &= SetStringValue(cu, kRunKey, "Tool O", "c:\\plain\\tool.exe");
  ok &= SetStringValueWide(cu, kRunKey, L"\x5DE5\x5177", std::string("c:\\tools\\cjk.exe"));
  ok &= SetStringValue(cu, kRunKey, "??", "c:\\tools\\question.exe");
  const std::wstring root = L"C:\\users\\Public\\";
  const std::wstring omega = root + L"startup \x03A9\\";
  const std::wstring twin = root + L"startup O\\";
  for (const std::wstring& folder : {omega, twin}) {
    ok &= CreateDirectoryW(folder.c_str(), nullptr) != FALSE || GetLastError() == ERROR_ALREADY_EXISTS;
  }
  ok &= MakeShortcutWide(omega + L"\x03A9mega.lnk", "c:\\windows\\notepad.exe");
  ok &= MakeShortcutWide(omega + L"Omega.lnk", "c:\\windows\\notepad.exe");
  ok &= WriteTextFileWide(omega + L"evil.\xFF4C\xFF4E\xFF4B", "not a shell link");
  ok &= MakeShortcutWide(twin + L"Twin.lnk", "c:\\windows\\notepad.exe");
  const std::wstring folder = omega.substr(0, omega.size() - 1);
  HKEY key = nullptr;
  ok &= RegCreateKeyExA(cu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0,
                        nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS;
  if (key != nullptr) {
    ok &= RegSetValueExW(key, L"Startup", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                         static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(key);
  }
  return ok;
}

// Gives the user's Run key an empty DACL, which lets nobody read it, or none,
// which lets everybody.
bool SetUserRunAccess(bool allowed) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
  ACL empty;
  SECURITY_DESCRIPTOR security;
  bool ok = InitializeAcl(&empty, sizeof empty, ACL_REVISION) &&
            InitializeSecurityDescriptor(&security, SECURITY_DESCRIPTOR_REVISION) &&
            SetSecurityDescriptorDacl(&security, TRUE, allowed ? nullptr : &empty, FALSE);
  ok = ok && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &security) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

}  // namespace

// Values whose names hold a NUL, set through the native call, beside the
// value each would read as up to its NUL: "Evil" and the default value.
bool SeedNulNames() {
  bool ok = true;
  for (const std::wstring& name : {std::wstring(L"Evil"), std::wstring(L"Evil\0Hidden", 11),
                                   std::wstring(L"\0Lead", 5), std::wstring()}) {
    const std::wstring data = name.empty() ? L"default.exe" : name == L"Evil" ? L"evil.exe"
                              : name[0] == L'\0'                               ? L"lead.exe"
                                                                             : L"hidden.exe";
    ok &= SetStringValueWide(HKEY_CURRENT_USER, kRunKey, name, data);
  }
  return ok;
}

// The names of the user's Run key as the registry counts them, one a line,
// each NUL written as "\0".
int PrintUserRunNames() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 1;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumValueW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    std::string line;
    for (DWORD i = 0; i < length; ++i) line += name[i] == L'\0' ? std::string("\\0") : std::string(1, static_cast<char>(name[i]));
    std::printf("%s\n", line.c_str());
  }
  RegCloseKey(key);
  return 0;
}

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--nul-names") == 0) return SeedNulNames() ? 0 : 1;
  if (argc > 1 && std::strcmp(argv[1], "--user-run-names") == 0) return PrintUserRunNames();
  if (argc > 1 && (std::strcmp(argv[1], "--deny-user-run") == 0 || std::strcmp(argv[1], "--allow-user-run") == 0)) {
    return SetUserRunAccess(std::strcmp(argv[1], "--allow-user-run") == 0) ? 0 : 1;
  }
  const HKEY lm = HKEY_LOCAL_MACHINE;
  const HKEY cu = HKEY_CURRENT_USER;
  bool ok = true;
  const bool lookalikes = argc > 1 && std::strcmp(argv[1], "--lookalikes") == 0;
  if (argc > 1 && std::strcmp(argv[1], "--autostart") == 0) {
    ok &= MakeFolders(kUserAutostart) && MakeFolders(kCommonAutostart);
    ok &= SetShellStartupFolder(cu, "Startup", kUserAutostart);
    ok &= SetShellStartupFolder(lm, "Common Startup", kCommonAutostart);
  }
  ok &= SetStringValue(lm, kRunKey, "ScanRegistry", "C:\\WINDOWS\\scanregw.exe /autorun");
  ok &= SetStringValue(lm, kRunKey, "SystemTray", "SysTray.Exe");
  ok &= SetStringValue(lm, kRunKey, "LoadPowerProfile",
                       "Rundll32.exe powrprof.dll,LoadCurrentPwrScheme");
  ok &= SetStringValue(lm, kRunKey, "TaskMonitor", "C:\\WINDOWS\\taskmon.exe");
  ok &= SetStringValue(cu, kRunKey, "Notes Reminder",
                       "\"C:\\Program Files\\Notes\\notes.exe\" /min /reminders");
  ok &= SetStringValue(cu, kRunKey, "WeatherBug", "%windir%\\weather\\weather.exe -tray",
                       REG_EXPAND_SZ);
  ok &= SetStringValue(cu, kRunKey, "MSMSGS", "\"C:\\Program Files\\Messenger\\msmsgs.exe\" /background");
  const std::string own = ShellFolder(CSIDL_STARTUP);
  ok &= !own.empty();
  ok &= MakeShortcut(own + "Office Startup.lnk", "c:\\windows\\notepad.exe", "/p startup.txt");
  ok &= WriteTextFile(own + "desktop.ini", "[.ShellClassInfo]\r\nLocalizedResourceName=Startup\r\n");
  // The folder of all users, which the Windows NT family starts too.
  const std::string allUsers = ShellFolder(CSIDL_COMMON_STARTUP);
  ok &= !allUsers.empty();
  ok &= MakeShortcut(allUsers + "Virus Scan.lnk", "c:\\windows\\notepad.exe", "/scan");
  if (argc > 1 && std::strcmp(argv[1], "--unicode") == 0) {
    ok &= SetStringValueWide(cu, kRunKey, L"\x03A3\x03CD\x03BD\x03BF\x03C8\x03B7",
                             std::wstring(L"\"C:\\Program Files\\\x03A3\x03CD\x03BD\x03BF\x03C8\x03B7\\synopsis.exe\" /tray"));
    ok &= SetStringValueWide(cu, kRunKey, L"\x5DE5\x5177", std::wstring(L"\"C:\\Program Files\\\x5DE5\x5177\\tool.exe\" /q"));
    wchar_t startup[MAX_PATH] = {};
    ok &= SHGetSpecialFolderPathW(nullptr, startup, CSIDL_STARTUP, TRUE) != FALSE;
    ok &= WriteTextFileWide(std::wstring(startup) + L"\\evil.\xFF4C\xFF4E\xFF4B", "not a shell link");
  }
  if (lookalikes) ok &= SeedLookalikes();
  std::printf("%s\n%s\n", own.c_str(), allUsers.c_str());
  if (!ok) std::fprintf(stderr, "seeding failed\n");
  return ok ? 0 : 1;
}
