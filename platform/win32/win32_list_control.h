#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/list_control.h"

namespace rw {

// A report-view list control. Each row carries an id in its lParam that
// names its Name text, so sorting needs only LVM_SORTITEMS.
//
// The check boxes are the list's own state images (1 unchecked, 2 checked),
// toggled by a click on the box or the space bar: the same on every version
// of the common controls, also those without LVS_EX_CHECKBOXES.
class Win32ListControl : public ListControl {
 public:
  Win32ListControl() = default;
  Win32ListControl(const Win32ListControl&) = delete;
  Win32ListControl& operator=(const Win32ListControl&) = delete;
  ~Win32ListControl() override { Detach(); }

  // Takes over a list view: gives it the check box pictures (the list owns
  // and frees them) and its mouse and keyboard handling of the boxes. A
  // control attached to the list before lets go of it first.
  void Attach(HWND list);
  // Hands the list back its own input handling; the pictures stay.
  void Detach();
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
  static LRESULT CALLBACK CheckBoxInput(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
  // True when the message toggled a check box and the list must not see it.
  bool ToggleOnInput(UINT message, WPARAM wParam, LPARAM lParam);
  void Toggle(int position) { SetChecked(position, !IsChecked(position)); }
  void SetSubItemText(int position, int column, const std::string& text);
  // Straight to the list's own procedure: the rows the program adds, reads
  // and removes need nothing of the check-box input, and a load sends
  // several messages a row.
  LRESULT ToList(UINT message, WPARAM wParam, LPARAM lParam) const;

  HWND list_ = nullptr;
  WNDPROC listProcedure_ = nullptr;  // the list view's own, which the input goes on to
  std::vector<std::string> names_;  // by row id
  bool sortAscending_ = true;
};

}  // namespace rw
