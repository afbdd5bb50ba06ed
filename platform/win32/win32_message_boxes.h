#pragma once
#include <windows.h>

#include "platform/message_box.h"
#include "platform/win32/wide_calls_win32.h"

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
    return MessageBoxA(Owner(), text.c_str(), title.c_str(), style);
  }
  // MessageBoxW is one of the few wide calls Windows 95 implements too; a
  // system without it shows the text as the ANSI code page holds it.
  int ShowUnicode(const std::u16string& text, const std::string& title, unsigned style) override {
    if (const auto showWide = messageBoxW_.get()) {
      const int answer = showWide(Owner(), AsWide(text), AsWide(WideFromAnsi(title)), style);
      if (answer != 0) return answer;
    }
    return MessageBoxA(Owner(), AnsiFromWide(text).c_str(), title.c_str(), style);
  }

 private:
  HWND Owner() const {
    HWND owner = owner_ != nullptr ? *owner_ : nullptr;
    return owner != nullptr && IsWindow(owner) ? owner : nullptr;
  }

  using MessageBoxWFunction = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
  const HWND* owner_ = nullptr;
  RuntimeFunction<MessageBoxWFunction> messageBoxW_{"USER32.DLL", "MessageBoxW"};
};

}  // namespace rw
