#pragma once
// What the main window's logic needs of the window itself, apart from the list.
#include <string>

#include "ui/main/main_window_layout.h"

namespace rw {

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  // The one-shot load timer.
  virtual void SetLoadTimerEnabled(bool enabled) = 0;
  // First status panel.
  virtual void SetStatusText(const std::string& text) = 0;
  // Check marks of menu items, by command id.
  virtual bool IsMenuChecked(int menuId) const = 0;
  virtual void SetMenuChecked(int menuId, bool checked) = 0;
  // Greys a menu entry, or makes it usable again.
  virtual void SetMenuEnabled(int menuId, bool enabled) = 0;
  virtual bool IsToolbarVisible() const = 0;
  virtual void SetToolbarVisible(bool visible) = 0;
  virtual bool IsStatusBarVisible() const = 0;
  virtual void SetStatusBarVisible(bool visible) = 0;
  // The whole client area, bars included.
  virtual int ClientWidthTwips() const = 0;
  virtual int ClientHeightTwips() const = 0;
  virtual void MoveList(const TwipsRect& place) = 0;
  // Ends the program at once, with every window it has open.
  virtual void EndProgram() = 0;
  // Opens the dialog, or brings the open one to the front.
  virtual void ShowAboutDialog() = 0;
  virtual void ShowLegendDialog() = 0;
};

}  // namespace rw
