#include "core/windows_version.h"

namespace rw {

const char kAppTitle[] = "Windows Runwarden";

std::string GetWindowsVersionName(SystemQueries& system) {
  // A failed query leaves the record zero-filled, which names no version.
  OsVersion version;
  system.QueryVersion(&version);
  const bool onNtPlatform = version.platformId == kPlatformWin32NT;
  switch (version.majorVersion) {
    case 3:
      return onNtPlatform ? "Windows NT 3.x" : "Windows 3.x";
    case 4:
      if (onNtPlatform) return "Windows NT 4.0";
      return version.minorVersion == 0 ? "Windows 95" : "Windows 98";
    case 5:
      return "Windows 2000";
    default:
      return "Unknown Windows Version";
  }
}

std::string RefusalMessage(const std::string& versionName) {
  return "You appear to be running '" + versionName +
         "'.  This application will only work with Windows 95, 98 or NT.";
}

WindowsFamily CheckWindowsVersion(const Platform& platform) {
  const std::string name = GetWindowsVersionName(platform.system);
  if (name == "Windows 95" || name == "Windows 98") return WindowsFamily::kWin9x;
  if (name == "Windows NT 4.0") return WindowsFamily::kNT;
  platform.messages.Show(RefusalMessage(name), kAppTitle, kMbOk | kMbIconStop);
  return WindowsFamily::kNone;
}

}  // namespace rw
