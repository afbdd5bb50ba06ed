#pragma once
// Text from a buffer the system filled, up to its first NUL: never past the
// length it reported, nor past the buffer, whatever the length says.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rw {

// ANSI text from the first |length| bytes of a buffer of |capacity| bytes.
std::string TextUpToFirstNul(const char* buffer, std::size_t capacity, std::size_t length);

// UTF-16 string data, as the wide calls give it, from its first |length| bytes.
std::u16string WideTextUpToFirstNul(const std::vector<std::uint8_t>& data, std::uint32_t length);
// The same into |text|, whose memory is used again.
void WideTextUpToFirstNul(const std::vector<std::uint8_t>& data, std::uint32_t length, std::u16string* text);

}  // namespace rw
