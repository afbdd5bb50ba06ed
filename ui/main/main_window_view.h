#pragma once
// What the main window's logic needs of the window itself, apart from the list.
#include <string>

namespace rw {

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  // The one-shot load timer.
  virtual void SetLoadTimerEnabled(bool enabled) = 0;
  // First status panel.
  virtual void SetStatusText(const std::string& text) = 0;
  // Check marks of "Sort Ascending" and "Sort Descending".
  virtual void SetSortMarks(bool ascending, bool descending) = 0;
};

}  // namespace rw
