#include "platform/win32/win32_system_queries.h"

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

std::u16string Win32SystemQueries::WideText(const std::string& ansi) { return WideFromAnsi(ansi); }

namespace {

// The key of a text, less its NUL, from a call that maps |units| units of
// Char into a buffer of bytes. An empty text is passed with its NUL, which
// sorts as nothing, since the calls take no empty text.
template <typename Char, typename MapInto>
std::string KeyOf(const std::basic_string<Char>& text, MapInto mapInto) {
  const int units = text.empty() ? 1 : static_cast<int>(text.size());
  char buffer[512];
  int length = mapInto(text.c_str(), units, buffer, sizeof buffer);
  if (length > 0) return std::string(buffer, static_cast<std::size_t>(length - 1));
  length = mapInto(text.c_str(), units, nullptr, 0);
  if (length <= 0) return std::string();
  std::string key(static_cast<std::size_t>(length), '\0');
  length = mapInto(text.c_str(), units, &key[0], length);
  key.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
  return key;
}

constexpr DWORD kSortKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

// The sort key calls, each into a buffer of bytes: the key's length with its
// NUL, or 0. The wide one is looked up at run time and may be missing.
int MapSortKeyA(const char* text, int units, char* key, int bytes) {
  return LCMapStringA(LOCALE_USER_DEFAULT, kSortKeyFlags, text, units, key, bytes);
}

template <typename MapStringW>
int MapSortKeyW(MapStringW mapString, const char16_t* text, int units, char* key, int bytes) {
  if (mapString == nullptr) return 0;
  return mapString(LOCALE_USER_DEFAULT, kSortKeyFlags, reinterpret_cast<LPCWSTR>(text), units,
                   reinterpret_cast<LPWSTR>(key), bytes);
}

}  // namespace

std::string Win32SystemQueries::SortKey(const std::string& ansi) { return KeyOf(ansi, MapSortKeyA); }

// A sort key is bytes, whichever form of the call makes it.
std::string Win32SystemQueries::SortKeyWide(const std::u16string& wide) {
  const auto mapString = lcMapStringW_;  // missing: no key, as for any key not made
  return KeyOf(wide, [mapString](const char16_t* text, int units, char* key, int bytes) {
    return MapSortKeyW(mapString, text, units, key, bytes);
  });
}

int Win32SystemQueries::SortKeyInto(const char16_t* units, std::size_t length, bool wide, char* key,
                                    std::size_t bytes) noexcept {
  static const char16_t kNul = u'\0';
  if (length == 0) {  // passed with its NUL, as above
    units = &kNul;
    length = 1;
  }
  const int room = bytes < 0x7FFFFFFF ? static_cast<int>(bytes) : 0x7FFFFFFF;
  if (length > 0x7FFFFFFF || room == 0) return -1;
  int made = 0;
  if (wide) {
    made = MapSortKeyW(lcMapStringW_, units, static_cast<int>(length), key, room);
  } else {
    char ansi[512];  // a longer name is keyed by the caller
    if (length > sizeof ansi) return -1;
    for (std::size_t i = 0; i < length; ++i) ansi[i] = static_cast<char>(units[i]);
    made = MapSortKeyA(ansi, static_cast<int>(length), key, room);
  }
  return made > 0 ? made - 1 : -1;
}

}  // namespace rw
