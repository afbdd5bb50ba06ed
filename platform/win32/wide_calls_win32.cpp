#include "platform/win32/wide_calls_win32.h"

namespace rw {

std::u16string WideFromAnsi(const std::string& ansi) {
  if (ansi.empty()) return std::u16string();
  const int length =
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  if (length <= 0) return std::u16string();
  std::u16string wide(static_cast<std::size_t>(length), u'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                      reinterpret_cast<wchar_t*>(&wide[0]), length);
  return wide;
}

std::string AnsiFromWide(const std::u16string& wide) {
  if (wide.empty()) return std::string();
  const auto* units = reinterpret_cast<const wchar_t*>(wide.data());
  const int count = static_cast<int>(wide.size());
  // One call for the usual name or path: no code page takes more than three
  // bytes for a UTF-16 unit.
  char shortText[512];
  if (wide.size() <= sizeof shortText / 3) {
    const int written = WideCharToMultiByte(CP_ACP, 0, units, count, shortText, sizeof shortText,
                                            nullptr, nullptr);
    if (written > 0) return std::string(shortText, static_cast<std::size_t>(written));
  }
  const int length = WideCharToMultiByte(CP_ACP, 0, units, count, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string ansi(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, units, count, &ansi[0], length, nullptr, nullptr);
  return ansi;
}

}  // namespace rw
