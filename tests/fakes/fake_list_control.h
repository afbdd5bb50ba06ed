#pragma once
// A list that keeps its rows in memory, as a user would see them: each row's
// texts are asked of the list's RowTexts when the row is added, as the real
// list asks when it draws (an entry's texts never change).
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/list_control.h"
#include "tests/fakes/fake_code_page.h"

namespace rw {

class FakeListControl : public ListControl {
 public:
  struct Row {
    std::array<std::string, 3> texts;        // as the ANSI list shows them
    std::array<std::u16string, 3> unicode;   // as the Unicode list shows them
    bool selected = false;
    bool checked = false;
    std::uint32_t id = 0;
  };
  std::vector<Row> rows;
  int sortCalls = 0;
  ListViewMode view = ListViewMode::kDetails;
  bool redraw = true;
  const RowTexts* texts = nullptr;

  void SetRowTexts(const RowTexts& rowTexts) override { texts = &rowTexts; }
  // Adds a row at the end, as showing the rows adds each.
  virtual bool AddRow(std::uint32_t id) {
    Row row;
    row.id = id;
    for (int column = kColumnName; column <= kColumnInformation; ++column) {
      const RowText text = texts->Text(id, static_cast<ListColumn>(column));
      const std::u16string units(text.units, text.length);
      row.texts[column] = text.ansi ? std::string(units.begin(), units.end()) : FakeAnsi(units);
      row.unicode[column] = units;  // the stand-ins' code page widens each byte to its unit
    }
    rows.push_back(row);
    return true;
  }
  std::size_t ShowRows(std::vector<std::uint32_t> ids) override {
    rows.clear();
    std::size_t shown = 0;
    for (const std::uint32_t id : ids) shown += AddRow(id) ? 1 : 0;
    return shown;
  }
  bool RowId(int position, std::uint32_t* id) const override {
    if (position < 0 || position >= Count()) return false;
    *id = rows[position].id;
    return true;
  }
  int Count() const override { return static_cast<int>(rows.size()); }
  void Clear() override { rows.clear(); }
  // Rows the order finds equal keep the order they were added in, either way.
  void SortRows(const RowOrder& order, bool ascending) override {
    ++sortCalls;
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
      const int byOrder = order.Compare(a.id, b.id);
      if (byOrder != 0) return ascending ? byOrder < 0 : byOrder > 0;
      return a.id < b.id;
    });
  }
  void SetSelected(int position, bool selected) override { rows.at(position).selected = selected; }
  bool IsSelected(int position) const override { return rows.at(position).selected; }
  bool IsChecked(int position) const override { return rows.at(position).checked; }
  void SetChecked(int position, bool checked) override {
    if (position >= 0 && position < Count()) rows[position].checked = checked;
  }
  void RemoveRows(const std::vector<int>& positions) override {
    for (const int position : positions) RemoveRow(position);
  }
  virtual void RemoveRow(int position) { rows.erase(rows.begin() + position); }
  void SetView(ListViewMode mode) override { view = mode; }
  void SetRedraw(bool on) override { redraw = on; }
};

}  // namespace rw
