#include "platform/win32/win32_system_queries.h"

#include <windows.h>

namespace rw {

bool Win32SystemQueries::QueryVersion(OsVersion* version) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;  // 148: the form every version knows
  if (!GetVersionExA(&info)) return false;
  version->majorVersion = info.dwMajorVersion;
  version->minorVersion = info.dwMinorVersion;
  version->platformId = info.dwPlatformId;
  return true;
}

bool Win32SystemQueries::QueryUserName(char* buffer, std::uint32_t* size) {
  DWORD length = *size;
  const BOOL ok = GetUserNameA(buffer, &length);
  *size = length;
  return ok != FALSE;
}

}  // namespace rw
