#pragma once
#include <windows.h>

#include "platform/win32/scoped_handles.h"

namespace rw {

// Toolbar1 with its nine buttons and the pictures of imlToolbarIcons. The
// pictures are one bitmap given to the toolbar with TB_ADDBITMAP, which every
// version of the common controls takes; the toolbar draws from it, so it
// lives until the toolbar window is destroyed.
class MainToolbar {
 public:
  MainToolbar() = default;
  MainToolbar(const MainToolbar&) = delete;
  MainToolbar& operator=(const MainToolbar&) = delete;

  // Flat buttons where the common controls can draw them; raised otherwise.
  void Create(HWND parent, HINSTANCE instance, int id, bool flat);
  HWND handle() const { return toolbar_; }
  // The toolbar window is gone: its pictures go too.
  void Destroyed() {
    toolbar_ = nullptr;
    pictures_.reset();
  }

 private:
  HWND toolbar_ = nullptr;
  ScopedBitmap pictures_;
};

// Answers a toolbar tooltip's request for its text; true when it was one.
bool AnswerToolbarTooltip(NMHDR* header);

}  // namespace rw
