#pragma once
#include <windows.h>

#include "platform/message_box.h"

namespace rw {

// Message boxes owned by one program window, which it disables while the box
// is up. The owner is read from the window's own handle at each box, so a
// window that is gone owns nothing; without a window the box has no owner.
class Win32MessageBoxes : public MessageBoxes {
 public:
  Win32MessageBoxes() = default;
  explicit Win32MessageBoxes(const HWND* owner) : owner_(owner) {}
  Win32MessageBoxes(const Win32MessageBoxes&) = delete;
  Win32MessageBoxes& operator=(const Win32MessageBoxes&) = delete;

  int Show(const std::string& text, const std::string& title, unsigned style) override {
    HWND owner = owner_ != nullptr ? *owner_ : nullptr;
    if (owner != nullptr && !IsWindow(owner)) owner = nullptr;
    return MessageBoxA(owner, text.c_str(), title.c_str(), style);
  }

 private:
  const HWND* owner_ = nullptr;
};

}  // namespace rw
