#pragma once
// The main window's list: rows of three texts, addressed by position from 0
// in display order. Each row carries its caller's key for the entry it shows,
// so commands act on the entry, never on text read back from the list.
#include <cstdint>
#include <string>

namespace rw {

enum ListColumn { kColumnName = 0, kColumnLocation = 1, kColumnInformation = 2 };

// The list's four views, as the toolbar's View buttons choose them.
enum class ListViewMode { kLargeIcons = 0, kSmallIcons = 1, kList = 2, kDetails = 3 };

class ListControl {
 public:
  virtual ~ListControl() = default;
  // Adds an unchecked, unselected row at the end; returns its position.
  virtual int AddRow(const std::string& name, const std::string& location,
                     const std::string& information, std::uint32_t key) = 0;
  // The key the row was added with.
  virtual std::uint32_t Key(int position) const = 0;
  virtual int Count() const = 0;
  virtual void Clear() = 0;
  // Orders the rows by Name with the platform's case-insensitive collation;
  // rows that compare equal keep their order.
  virtual void SortByName(bool ascending) = 0;
  virtual void SetSelected(int position, bool selected) = 0;
  virtual bool IsSelected(int position) const = 0;
  // The whole text, however long.
  virtual std::string Text(int position, ListColumn column) const = 0;
  // The row's check box; a position without a row is ignored.
  virtual bool IsChecked(int position) const = 0;
  virtual void SetChecked(int position, bool checked) = 0;
  virtual void RemoveRow(int position) = 0;
  virtual void SetView(ListViewMode mode) = 0;
  // Holds back drawing during a long change; drawing again repaints the list whole.
  virtual void SetRedraw(bool redraw) = 0;
};

}  // namespace rw
