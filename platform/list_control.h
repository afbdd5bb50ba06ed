#pragma once
// The main window's list: rows addressed by position from 0 in display
// order. A row is its item's id and nothing more: the list keeps no text of
// its own and asks its owner for a row's texts when it draws them, so what a
// row shows is always its item, and commands act on the item, never on
// text read back from the list.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace rw {

enum ListColumn { kColumnName = 0, kColumnLocation = 1, kColumnInformation = 2 };

// The list's four views, as the toolbar's View buttons choose them.
enum class ListViewMode { kLargeIcons = 0, kSmallIcons = 1, kList = 2, kDetails = 3 };

// One text of a row, NUL-terminated: UTF-16, or ANSI bytes one per unit.
struct RowText {
  const char16_t* units;
  std::size_t length;
  bool ansi;
};

// What the rows show, by id.
class RowTexts {
 public:
  virtual ~RowTexts() = default;
  virtual RowText Text(std::uint32_t id, ListColumn column) const = 0;
};

// The order of two rows, by id: <0, 0 or >0.
class RowOrder {
 public:
  virtual ~RowOrder() = default;
  virtual int Compare(std::uint32_t first, std::uint32_t second) const = 0;
};

class ListControl {
 public:
  virtual ~ListControl() = default;
  // Where the rows' texts come from; it must outlive the rows.
  virtual void SetRowTexts(const RowTexts& texts) = 0;
  // Replaces every row by an unchecked, unselected row for each of |ids|,
  // in that order; returns how many it shows: the first ones, all when the
  // list refused none.
  virtual std::size_t ShowRows(std::vector<std::uint32_t> ids) = 0;
  // The id the row was added with; false when the list cannot tell.
  virtual bool RowId(int position, std::uint32_t* id) const = 0;
  virtual int Count() const = 0;
  virtual void Clear() = 0;
  // Orders the rows by |order|, reversed when descending; rows it finds equal
  // keep the order they were added in, either way.
  virtual void SortRows(const RowOrder& order, bool ascending) = 0;
  virtual void SetSelected(int position, bool selected) = 0;
  virtual bool IsSelected(int position) const = 0;
  // The row's check box; a position without a row is ignored.
  virtual bool IsChecked(int position) const = 0;
  virtual void SetChecked(int position, bool checked) = 0;
  // Removes the rows at |positions|, each a position as the rows stood
  // before, from the bottom up.
  virtual void RemoveRows(const std::vector<int>& positions) = 0;
  virtual void SetView(ListViewMode mode) = 0;
  // Holds back drawing during a long change; drawing again repaints the list whole.
  virtual void SetRedraw(bool redraw) = 0;
};

// Orders |rows| by the ids |idOf| gives, as ListControl::SortRows orders a
// list: by |order|, reversed when descending, and rows it finds equal by
// their ids, the order of their items' reading, either way.
template <class Row, class IdOf>
void SortByOrder(std::vector<Row>* rows, const RowOrder& order, bool ascending, IdOf idOf) {
  std::stable_sort(rows->begin(), rows->end(), [&](const Row& first, const Row& second) {
    const std::uint32_t a = idOf(first);
    const std::uint32_t b = idOf(second);
    const int byOrder = order.Compare(a, b);
    if (byOrder != 0) return ascending ? byOrder < 0 : byOrder > 0;
    return a < b;
  });
}

}  // namespace rw
