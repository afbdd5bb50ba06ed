#pragma once
#include <windows.h>

#include "platform/system_queries.h"
#include "platform/win32/wide_calls_win32.h"

namespace rw {

class Win32SystemQueries : public SystemQueries {
 public:
  bool QueryVersion(OsVersion* version) override;
  bool QueryUserName(char* buffer, std::uint32_t* size) override;
  std::string ErrorText(long code) override;
  std::string AnsiText(const std::u16string& wide) override;
  std::string SortKey(const std::string& ansi) override;
  std::u16string WideText(const std::string& ansi) override;
  std::string SortKeyWide(const std::u16string& wide) override;
  int SortKeyInto(const char16_t* units, std::size_t length, bool wide, char* key,
                  std::size_t bytes) noexcept override;

 private:
  using LCMapStringWFunction = int(WINAPI*)(LCID, DWORD, LPCWSTR, int, LPWSTR, int);
  // Looked up at once: background jobs make keys with it too.
  const LCMapStringWFunction lcMapStringW_ = LookUpFunction<LCMapStringWFunction>("KERNEL32.DLL", "LCMapStringW");
};

}  // namespace rw
