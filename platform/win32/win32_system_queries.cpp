#include "platform/win32/win32_system_queries.h"

#include <windows.h>

#include "platform/win32/wide_calls_win32.h"

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

std::string Win32SystemQueries::ErrorText(long code) {
  char text[512] = {};
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
  std::string sentence(text, length < sizeof text ? length : 0);
  while (!sentence.empty() && (sentence.back() == '\n' || sentence.back() == '\r' ||
                               sentence.back() == ' ')) {
    sentence.pop_back();
  }
  return sentence;
}

std::string Win32SystemQueries::AnsiText(const std::u16string& wide) { return AnsiFromWide(wide); }

// An empty text is passed with its NUL, which sorts as nothing, since the
// call takes no empty text.
std::string Win32SystemQueries::SortKey(const std::string& ansi) {
  const auto mapInto = [&ansi](char* key, int bytes) {
    return LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, ansi.c_str(),
                        ansi.empty() ? 1 : static_cast<int>(ansi.size()), key, bytes);
  };
  char buffer[512];
  int length = mapInto(buffer, sizeof buffer);
  if (length > 0) return std::string(buffer, static_cast<std::size_t>(length - 1));  // less its NUL
  length = mapInto(nullptr, 0);
  if (length <= 0) return std::string();
  std::string key(static_cast<std::size_t>(length), '\0');
  length = mapInto(&key[0], length);
  key.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return key;
}

}  // namespace rw
