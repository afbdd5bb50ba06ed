#pragma once
// What the collection needs of the window it fills: the list, the first
// status panel and the View menu's sort marks.
#include <string>

#include "core/startup_item.h"

namespace rw {

class StartupListSink {
 public:
  virtual ~StartupListSink() = default;
  // Adds the item as a new, unchecked row at the end; the sink keeps it.
  virtual void AppendRow(StartupItem item) = 0;
  // Sorts by Name ascending and leaves the list in sorted mode.
  virtual void SortAscending() = 0;
  // Selects the row now at the top; no effect on an empty list.
  virtual void SelectFirstRow() = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  // Checks "Sort Ascending" and unchecks "Sort Descending".
  virtual void MarkAscendingSort() = 0;
};

}  // namespace rw
