#pragma once
#include <windows.h>

#include <string>

namespace rw {

// The main window's status bar: three sunken panels, the first for the
// load's state, the last two showing today's date and the time in the user's
// formats, kept current by RefreshClock.
class MainStatusBar {
 public:
  void Create(HWND parent, HINSTANCE instance, int id);
  HWND handle() const { return bar_; }
  void SetPanelRightEdges(int first, int second, int third);
  void SetText(int panel, const std::string& text);
  void RefreshClock();

 private:
  HWND bar_ = nullptr;
  std::string date_;
  std::string time_;
};

}  // namespace rw
