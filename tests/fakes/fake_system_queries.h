#pragma once
#include <cstring>
#include <map>
#include <string>

#include "platform/system_queries.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/windows_collation.h"

namespace rw {

// Reports a configured version and user name, or fails as told.
class FakeSystemQueries : public SystemQueries {
 public:
  OsVersion version{4, 10, kPlatformWin32Windows};
  bool versionFails = false;
  std::string userName = "jsmith";
  bool userNameFails = false;
  int userNameCalls = 0;

  bool QueryVersion(OsVersion* out) override {
    if (versionFails) return false;
    *out = version;
    return true;
  }
  bool QueryUserName(char* buffer, std::uint32_t* size) override {
    ++userNameCalls;
    if (userNameFails || userName.size() + 1 > *size) return false;
    std::memcpy(buffer, userName.c_str(), userName.size() + 1);
    *size = static_cast<std::uint32_t>(userName.size() + 1);
    return true;
  }
  // The texts of an English Windows for the codes the tests use.
  std::map<long, std::string> errorTexts{{2, "The system cannot find the file specified."},
                                         {3, "The system cannot find the path specified."},
                                         {5, "Access is denied."},
                                         {8, "Not enough storage is available to process this command."}};
  std::string ErrorText(long code) override {
    auto text = errorTexts.find(code);
    return text == errorTexts.end() ? "" : text->second;
  }
  std::string AnsiText(const std::u16string& wide) override { return FakeAnsi(wide); }
  std::string SortKey(const std::string& ansi) override { return FlatCollationKey(ansi); }
  std::u16string WideText(const std::string& ansi) override { return FakeWiden(ansi); }
  std::string SortKeyWide(const std::u16string& wide) override { return FlatCollationKeyWide(wide); }
  // Through the calls above, so that a test's own keys are made here too.
  int SortKeyInto(const char16_t* units, std::size_t length, bool wide, char* key,
                  std::size_t bytes) noexcept override {
    std::string made;
    try {
      made = wide ? SortKeyWide(std::u16string(units, length)) : SortKey(std::string(units, units + length));
    } catch (...) {
      return -1;
    }
    if ((made.empty() && length != 0) || made.size() + 1 > bytes) return -1;
    std::memcpy(key, made.data(), made.size());
    key[made.size()] = '\0';
    return static_cast<int>(made.size());
  }
};

}  // namespace rw
