#include "core/buffer_text.h"

#include <algorithm>
#include <cstring>

namespace rw {

std::string TextUpToFirstNul(const char* buffer, std::size_t capacity, std::size_t length) {
  length = std::min(length, capacity);
  const void* nul = std::memchr(buffer, '\0', length);
  if (nul != nullptr) length = static_cast<std::size_t>(static_cast<const char*>(nul) - buffer);
  return std::string(buffer, length);
}

std::u16string WideTextUpToFirstNul(const std::vector<std::uint8_t>& data, std::uint32_t length) {
  std::u16string text;
  WideTextUpToFirstNul(data, length, &text);
  return text;
}

void WideTextUpToFirstNul(const std::vector<std::uint8_t>& data, std::uint32_t length, std::u16string* text) {
  length = std::min<std::uint32_t>(length, static_cast<std::uint32_t>(data.size()));
  const std::uint8_t* bytes = data.data();
  std::uint32_t end = 0;
  while (end + 1 < length && (bytes[end] | bytes[end + 1]) != 0) end += 2;
  // Little-endian UTF-16, as the platform's own units: copied whole.
  text->resize(end / 2);
  if (end != 0) std::memcpy(&(*text)[0], bytes, end);
}

}  // namespace rw
