#pragma once
// A list that keeps its rows in memory, as a user would see them.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/list_control.h"
#include "tests/fakes/windows_collation.h"

namespace rw {

class FakeListControl : public ListControl {
 public:
  struct Row {
    std::array<std::string, 3> texts;
    bool selected = false;
    bool checked = false;
    std::uint32_t key = 0;
  };
  std::vector<Row> rows;
  int sortCalls = 0;
  ListViewMode view = ListViewMode::kDetails;

  int AddRow(const std::string& name, const std::string& location,
             const std::string& information, std::uint32_t key) override {
    rows.push_back({{name, location, information}, false, false, key});
    return static_cast<int>(rows.size()) - 1;
  }
  std::uint32_t Key(int position) const override { return rows.at(position).key; }
  int Count() const override { return static_cast<int>(rows.size()); }
  void Clear() override { rows.clear(); }
  void SortByName(bool ascending) override {
    ++sortCalls;
    // Windows' order of names; equal names keep their order either way.
    std::stable_sort(rows.begin(), rows.end(), [ascending](const Row& a, const Row& b) {
      const int order = CompareNames(a.texts[0], b.texts[0]);
      return ascending ? order < 0 : order > 0;
    });
  }
  void SetSelected(int position, bool selected) override { rows.at(position).selected = selected; }
  bool IsSelected(int position) const override { return rows.at(position).selected; }
  std::string Text(int position, ListColumn column) const override {
    return rows.at(position).texts[column];
  }
  bool IsChecked(int position) const override { return rows.at(position).checked; }
  void SetChecked(int position, bool checked) override {
    if (position >= 0 && position < Count()) rows[position].checked = checked;
  }
  void RemoveRow(int position) override { rows.erase(rows.begin() + position); }
  void SetView(ListViewMode mode) override { view = mode; }
  void SetRedraw(bool on) override { redraw = on; }
  bool redraw = true;
};

}  // namespace rw
