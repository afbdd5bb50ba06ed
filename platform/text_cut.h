#pragma once
// ANSI text cut to a buffer's size on a character boundary: in a double-byte
// code page a cut between a lead byte and its trail byte leaves a lone lead
// byte, which the system reads together with whatever follows it.
#include <cstddef>
#include <string>

namespace rw {

// The length of the longest start of |text| that fits in |limit| bytes and
// ends where a character ends; |isLeadByte| tells the first byte of a
// two-byte character (IsDBCSLeadByte).
template <class IsLeadByte>
std::size_t CharacterBoundaryCut(const std::string& text, std::size_t limit, IsLeadByte isLeadByte) {
  if (text.size() <= limit) return text.size();
  std::size_t end = 0;
  for (;;) {
    const std::size_t step = isLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > limit) return end;
    end += step;
  }
}

}  // namespace rw
