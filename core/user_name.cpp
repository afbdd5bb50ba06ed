#include "core/user_name.h"

#include "core/buffer_text.h"

namespace rw {

std::string GetCurrentUserName(SystemQueries& system) {
  char buffer[255] = {};
  std::uint32_t size = sizeof buffer;
  if (!system.QueryUserName(buffer, &size) || size == 0) return "";
  // The size counts the NUL.
  return TextUpToFirstNul(buffer, sizeof buffer, size - 1);
}

}  // namespace rw
