#pragma once
#include <windows.h>

namespace rw {

// Toolbar1 with its nine buttons and the pictures of imlToolbarIcons. The
// pictures are one bitmap given to the toolbar with TB_ADDBITMAP, which every
// version of the common controls takes; the toolbar draws from it, so it
// lives as long as this object, which outlives the toolbar window.
class MainToolbar {
 public:
  MainToolbar() = default;
  MainToolbar(const MainToolbar&) = delete;
  MainToolbar& operator=(const MainToolbar&) = delete;
  ~MainToolbar();

  // Flat buttons where the common controls can draw them; raised otherwise.
  void Create(HWND parent, HINSTANCE instance, int id, bool flat);
  HWND handle() const { return toolbar_; }

 private:
  HWND toolbar_ = nullptr;
  HBITMAP pictures_ = nullptr;
};

// Answers a toolbar tooltip's request for its text; true when it was one.
bool AnswerToolbarTooltip(NMHDR* header);

}  // namespace rw
