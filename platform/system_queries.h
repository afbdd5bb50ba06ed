#pragma once
// Version and user queries.
#include <cstddef>
#include <cstdint>
#include <string>

namespace rw {

constexpr std::uint32_t kPlatformWin32Windows = 1;
constexpr std::uint32_t kPlatformWin32NT = 2;

struct OsVersion {
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::uint32_t platformId = 0;
};

class SystemQueries {
 public:
  virtual ~SystemQueries() = default;
  // GetVersionExA: fills *version and returns true, or returns false and
  // leaves *version untouched.
  virtual bool QueryVersion(OsVersion* version) = 0;
  // GetUserNameA: buffer of *size bytes; on success *size holds the number of
  // characters written including the NUL.
  virtual bool QueryUserName(char* buffer, std::uint32_t* size) = 0;
  // FormatMessageA: the system's own sentence for an error code, without the
  // line break it ends with; "" when the system has none.
  virtual std::string ErrorText(long code) = 0;
  // WideCharToMultiByte to the ANSI code page: a Unicode name as the ANSI
  // list shows it, characters the code page lacks replaced as the system does.
  virtual std::string AnsiText(const std::u16string& wide) = 0;
  // MultiByteToWideChar from the ANSI code page: ANSI text in Unicode, as
  // the system's own calls would read it.
  virtual std::u16string WideText(const std::string& ansi) = 0;
  // LCMapStringA(LCMAP_SORTKEY | NORM_IGNORECASE) in the user's locale, less
  // its NUL: two keys compared byte by byte, unsigned, order their texts as
  // CompareStringA orders them. Empty when the system makes none.
  virtual std::string SortKey(const std::string& ansi) = 0;
  // The same of Unicode text, through LCMapStringW; empty where the system
  // makes none (Windows 95/98 do not).
  virtual std::string SortKeyWide(const std::u16string& wide) = 0;
  // The key SortKeyWide (|wide|) or SortKey (ANSI text, one byte a unit)
  // makes of |length| units, written into |key|, |bytes| long: the key's
  // length less its NUL, or -1 where the system makes none or it does not
  // fit. Throws nothing and allocates nothing: background jobs call it.
  virtual int SortKeyInto(const char16_t* units, std::size_t length, bool wide, char* key,
                          std::size_t bytes) noexcept = 0;
};

}  // namespace rw
