#pragma once
#include "platform/system_queries.h"

namespace rw {

class Win32SystemQueries : public SystemQueries {
 public:
  bool QueryVersion(OsVersion* version) override;
  bool QueryUserName(char* buffer, std::uint32_t* size) override;
  std::string ErrorText(long code) override;
  std::string AnsiText(const std::u16string& wide) override;
  std::string SortKey(const std::string& ansi) override;
};

}  // namespace rw
