#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/list_control.h"
#include "platform/win32/picture_colours_win32.h"

namespace rw {

// A report-view list control, in one of two forms, as the list was created:
// - virtual (LVS_OWNERDATA, comctl32 4.70 and later): the list holds nothing
//   of its rows but their count, selection and focus; the rows' order, their
//   items' ids and their check boxes are held here, and the list asks for a
//   row's texts and its check box by position when it draws or is read.
// - inserted (comctl32 4.00): a row is its item's id, in its lParam, so a
//   row's item survives every sort; the check boxes are the list's own state
//   images, and its texts callbacks asked by id.
// Either way the owner of the list passes the list's notifications on to
// AnswerRequest, and a row's texts are asked of the list's RowTexts. A
// sub-item never set costs the list nothing, where one set to a callback
// costs it as much as one set to a text.
//
// The check boxes are state images (1 unchecked, 2 checked), toggled by a
// click on the box or the space bar: the same on every version of the common
// controls, also those without LVS_EX_CHECKBOXES.
class Win32ListControl : public ListControl {
 public:
  Win32ListControl() = default;
  Win32ListControl(const Win32ListControl&) = delete;
  Win32ListControl& operator=(const Win32ListControl&) = delete;
  ~Win32ListControl() override { Detach(); }

  // Takes over a list view: gives it the check box pictures (the list owns
  // and frees them) and its mouse and keyboard handling of the boxes; a
  // list of style LVS_OWNERDATA is served in the virtual form. A control
  // attached to the list before lets go of it first.
  void Attach(HWND list);
  // Hands the list back its own input handling; the pictures stay.
  void Detach();
  // Draws the check boxes anew in |colours|, after the system's scheme changed.
  void RedrawCheckBoxes(const PictureColours& colours);
  HWND handle() const { return list_; }
  // Where the list itself selects only by the Name (comctl32 4.00 has no
  // full-row selection), a click anywhere in a row selects that row.
  void SetSelectsByRowBounds(bool bounds) { selectsByRowBounds_ = bounds; }
  void SetRowTexts(const RowTexts& texts) override { texts_ = &texts; }
  bool IsVirtual() const { return virtual_; }
  // Answers a list's request for a row's texts or check box, or, in the
  // virtual form, for the row a typed name starts, when |header| is one of
  // an attached list: true when it was, with what the notification returns
  // in |*result|.
  static bool AnswerRequest(const NMHDR* header, LRESULT* result);

  std::size_t ShowRows(std::vector<std::uint32_t> ids) override;
  bool RowId(int position, std::uint32_t* id) const override;
  int Count() const override;
  void Clear() override;
  void SortRows(const RowOrder& order, bool ascending) override;
  void SetSelected(int position, bool selected) override;
  bool IsSelected(int position) const override;
  bool IsChecked(int position) const override;
  void SetChecked(int position, bool checked) override;
  void RemoveRows(const std::vector<int>& positions) override;
  void SetView(ListViewMode mode) override;
  void SetRedraw(bool redraw) override;

 private:
  struct SortRequest;
  static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM sort);
  static LRESULT CALLBACK CheckBoxInput(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
  // True when the message was a click or key used here, which the list must not see.
  bool ToggleOnInput(UINT message, WPARAM wParam, LPARAM lParam);
  // The row whose whole width, all columns, holds |point| in report view; -1 for none.
  int RowByBounds(POINT point) const;
  void Toggle(int position) { SetChecked(position, !IsChecked(position)); }
  // A row of the virtual form: its item and its check box.
  struct HeldRow {
    std::uint32_t id;
    bool checked;
  };
  // The id of the item the request is for, by its position or its lParam.
  bool RequestedId(int position, LPARAM param, std::uint32_t* id) const;
  void AnswerRequest(NMLVDISPINFOA* request) const;
  void AnswerRequest(NMLVDISPINFOW* request) const;
  void AnswerStateRequest(LVITEMA* item) const;
  // The first row from |start| on whose name is |typed|, or with
  // LVFI_PARTIAL in |flags| starts so, without regard to case; -1 for none.
  int FindName(int start, const std::u16string& typed, bool ansi, UINT flags) const;
  void SortHeldRows(const RowOrder& order, bool ascending);
  void ClearSelectionAndFocus();
  // Tells the list the count of the rows held, when it differs; false when
  // the list refused it.
  bool TellCount(WPARAM flags);
  // Straight to the list's own procedure: the rows the program adds, reads
  // and removes need nothing of the check-box input, and a load sends
  // several messages a row.
  LRESULT ToList(UINT message, WPARAM wParam, LPARAM lParam) const;

  HWND list_ = nullptr;
  WNDPROC listProcedure_ = nullptr;  // the list view's own, which the input goes on to
  const RowTexts* texts_ = nullptr;
  bool selectsByRowBounds_ = false;
  bool virtual_ = false;
  std::vector<HeldRow> rows_;  // the virtual form's rows, in their order
  bool held_ = false;          // the virtual form's drawing is held back
  bool listHeld_ = false;      // and the list's own too, for a new count
};

}  // namespace rw
