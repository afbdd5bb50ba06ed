#pragma once
#include <windows.h>

#include "platform/win32/scoped_handles.h"

namespace rw {

// The main window's toolbar: the nine buttons of kToolbarButtons with the
// pictures of kToolbarPictures. The pictures are one bitmap given to the
// toolbar with TB_ADDBITMAP, which every version of the common controls
// takes; the toolbar draws from it, so it lives until the toolbar window is
// destroyed.
class MainToolbar {
 public:
  MainToolbar() = default;
  MainToolbar(const MainToolbar&) = delete;
  MainToolbar& operator=(const MainToolbar&) = delete;

  // Flat buttons where the common controls can draw them; raised otherwise.
  // The pictures' background is |face|, the system's button face.
  void Create(HWND parent, HINSTANCE instance, int id, bool flat, COLORREF face);
  HWND handle() const { return toolbar_; }
  // After a change of the system's colours: the same toolbar, in the same
  // place and visibility, with pictures on the new |face|. The common
  // controls of Windows 95 cannot replace a toolbar's bitmap, so the toolbar
  // window is made anew.
  void Rebuild(COLORREF face);
  // The toolbar window is gone: its pictures go too.
  void Destroyed() {
    toolbar_ = nullptr;
    pictures_.reset();
  }

 private:
  HWND toolbar_ = nullptr;
  ScopedBitmap pictures_;
  HINSTANCE instance_ = nullptr;
  int id_ = 0;
  bool flat_ = false;
};

// Answers a toolbar tooltip's request for its text; true when it was one.
bool AnswerToolbarTooltip(NMHDR* header);

}  // namespace rw
