#include "core/user_name.h"

#include <cstring>

namespace rw {

std::string GetCurrentUserName(SystemQueries& system) {
  char buffer[255] = {};
  std::uint32_t size = sizeof buffer;
  if (!system.QueryUserName(buffer, &size) || size == 0) return "";
  // The size counts the NUL; never trust it past the buffer or the text.
  std::size_t length = size - 1;
  if (length > sizeof buffer) length = sizeof buffer;
  const void* nul = std::memchr(buffer, '\0', length);
  if (nul != nullptr) length = static_cast<const char*>(nul) - buffer;
  return std::string(buffer, length);
}

}  // namespace rw
