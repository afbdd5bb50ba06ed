// Fills a Wine prefix with a startup set like a Windows 98 machine's: values in
// both Run keys, and shortcuts and another file in the Startup folders the
// shell names, where Wine really starts them.
//   seed_demo_prefix              the prefix's own Startup folders
//   seed_demo_prefix --autostart  first moves them as a German Windows in
//                                 C:\WIN95 and D:\WINNT40 would have them
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

}  // namespace

int main(int argc, char** argv) {
  const HKEY lm = HKEY_LOCAL_MACHINE;
  const HKEY cu = HKEY_CURRENT_USER;
  bool ok = true;
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
  std::printf("%s\n%s\n", own.c_str(), allUsers.c_str());
  if (!ok) std::fprintf(stderr, "seeding failed\n");
  return ok ? 0 : 1;
}
