// Fills a Wine prefix with a startup set like a Windows 98 machine's: values in
// both Run keys and a Startup folder with a real shortcut and another file.
// Used once, when the demo prefix is made.
#include <cstdio>
#include <string>

#include "tests/wine/wine_test_support.h"

using namespace rw::wine;

int main() {
  const char kFolder[] = "c:\\windows\\start menu\\programs\\startup\\";
  const HKEY lm = HKEY_LOCAL_MACHINE;
  const HKEY cu = HKEY_CURRENT_USER;
  bool ok = true;
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
  ok &= MakeFolders(kFolder);
  ok &= MakeShortcut(std::string(kFolder) + "Office Startup.lnk", "c:\\windows\\notepad.exe",
                     "/p startup.txt");
  ok &= WriteTextFile(std::string(kFolder) + "desktop.ini",
                      "[.ShellClassInfo]\r\nLocalizedResourceName=Startup\r\n");
  // The Windows NT 4.0 folders, for a run with the per-app version nt40.
  const std::string allUsers = "c:\\winnt\\profiles\\all users\\start menu\\programs\\startup\\";
  ok &= MakeFolders(allUsers);
  ok &= MakeShortcut(allUsers + "Virus Scan.lnk", "c:\\windows\\notepad.exe", "/scan");
  char user[256] = {};
  DWORD size = sizeof user;
  if (GetUserNameA(user, &size)) {
    const std::string own = std::string("c:\\winnt\\profiles\\") + user + "\\start menu\\programs\\startup\\";
    ok &= MakeFolders(own);
    ok &= MakeShortcut(own + "My Agenda.lnk", "c:\\windows\\notepad.exe", "agenda.txt");
  }
  std::printf(ok ? "seeded\n" : "seeding failed\n");
  return ok ? 0 : 1;
}
