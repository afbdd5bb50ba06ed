#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/list_control.h"

namespace rw {

// A report-view list control. Each row carries an id in its lParam that
// names its Name text, so sorting needs only comctl32 4.70's LVM_SORTITEMS.
class Win32ListControl : public ListControl {
 public:
  void Attach(HWND list) { list_ = list; }
  HWND handle() const { return list_; }

  int AddRow(const std::string& name, const std::string& location,
             const std::string& information) override;
  int Count() const override;
  void Clear() override;
  void SortByName(bool ascending) override;
  void SetSelected(int position, bool selected) override;
  bool IsSelected(int position) const override;
  std::string Text(int position, ListColumn column) const override;
  bool IsChecked(int position) const override;
  void SetChecked(int position, bool checked) override;
  void RemoveRow(int position) override;
  void SetView(ListViewMode mode) override;
  void SetRedraw(bool redraw) override;

 private:
  static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM self);
  void SetSubItemText(int position, int column, const std::string& text);

  HWND list_ = nullptr;
  std::vector<std::string> names_;  // by row id
  bool sortAscending_ = true;
};

}  // namespace rw
