#pragma once
// Modal message boxes.
#include <string>

namespace rw {

// Buttons, icons and answers (the Win32 values).
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconStop = 0x10;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconWarning = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and returns the button the user chose.
  virtual int Show(const std::string& text, const std::string& title, unsigned style) = 0;
  // The same with a text in Unicode, shown as it is where the system can.
  virtual int ShowUnicode(const std::u16string& text, const std::string& title, unsigned style) = 0;
};

}  // namespace rw
