#pragma once
// Case folding of the ASCII letters only, as Windows compares file extensions
// and registry names in the stand-ins; other characters stay as they are.
#include <string>

namespace rw {

inline std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace rw
