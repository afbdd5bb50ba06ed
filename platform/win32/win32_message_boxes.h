#pragma once
#include <windows.h>

#include "platform/message_box.h"

namespace rw {

class Win32MessageBoxes : public MessageBoxes {
 public:
  // Boxes are owned by this window (none before the main window exists).
  void SetOwner(HWND owner) { owner_ = owner; }
  int Show(const std::string& text, const std::string& title, unsigned style) override {
    return MessageBoxA(owner_, text.c_str(), title.c_str(), style);
  }

 private:
  HWND owner_ = nullptr;
};

}  // namespace rw
