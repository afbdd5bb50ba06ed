#pragma once
// The stand-ins' ANSI code page: Latin-1, with the best-fit replacements the
// real conversion makes ("Ω" reads as "O") and "?" for everything else. The
// stand-ins keep names in Unicode, as NT and Wine do.
#include <string>

namespace rw {

inline std::u16string FakeWiden(const std::string& ansi) {
  std::u16string wide;
  for (const char c : ansi) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return wide;
}

inline std::string FakeAnsi(const std::u16string& wide) {
  std::string ansi;
  for (const char16_t unit : wide) {
    if (unit < 0x100) {
      ansi.push_back(static_cast<char>(unit));
    } else if (unit == u'\u03A9') {
      ansi.push_back('O');  // Greek capital omega: best fit
    } else {
      ansi.push_back('?');
    }
  }
  return ansi;
}

inline std::u16string FakeLowerAscii(std::u16string text) {
  for (char16_t& unit : text) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
  }
  return text;
}

}  // namespace rw
