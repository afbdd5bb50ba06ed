#include "platform/win32/win32_list_control.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "platform/text_cut.h"
#include "platform/win32/check_box_images_win32.h"
#include "platform/win32/wide_calls_win32.h"

namespace rw {

namespace {
// Every state bit above the low word: the state-image index, and so the check
// box, and nothing of selection or focus.
constexpr UINT kCheckStateMask = 0xFFFFF000u;
constexpr UINT kCheckedState = INDEXTOSTATEIMAGEMASK(2);
constexpr UINT kUncheckedState = INDEXTOSTATEIMAGEMASK(1);
// The list's own procedure sees every message, every insert among them: the
// object that serves the check boxes sits in the list's user data, which is
// read without a call to the system (a window property is not, under Wine).
Win32ListControl* OwnerOf(HWND list) {
  return reinterpret_cast<Win32ListControl*>(GetWindowLongPtrA(list, GWLP_USERDATA));
}
// Past the last row: the list appends, without being asked for its count.
constexpr int kAfterLastRow = 0x7FFFFFFF;
// Equal names keep the order in which they were added.
int ByRowId(LPARAM first, LPARAM second) { return first < second ? -1 : (first > second ? 1 : 0); }

}  // namespace

void Win32ListControl::Attach(HWND list) {
  Detach();
  if (Win32ListControl* previous = OwnerOf(list)) previous->Detach();
  list_ = list;
  if (SendMessageA(list_, LVM_GETIMAGELIST, LVSIL_STATE, 0) == 0) {
    SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_STATE,
                 reinterpret_cast<LPARAM>(CreateCheckBoxImages(SystemPictureColours())));
  }
  SetWindowLongPtrA(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  listProcedure_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CheckBoxInput)));
}

void Win32ListControl::Detach() {
  if (list_ == nullptr) return;
  SetWindowLongPtrA(list_, GWLP_USERDATA, 0);
  SetWindowLongPtrA(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProcedure_));
  list_ = nullptr;
  listProcedure_ = nullptr;
}

void Win32ListControl::RedrawCheckBoxes(const PictureColours& colours) {
  HIMAGELIST fresh = CreateCheckBoxImages(colours);
  if (fresh == nullptr) return;  // the old pictures are better than none
  // The list hands back the list it held; it frees only the one it holds at its end.
  auto old = reinterpret_cast<HIMAGELIST>(
      SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(fresh)));
  if (old != nullptr && old != fresh) ImageList_Destroy(old);
  InvalidateRect(list_, nullptr, TRUE);
}

LRESULT CALLBACK Win32ListControl::CheckBoxInput(HWND list, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  Win32ListControl* self = OwnerOf(list);
  if (self == nullptr) return DefWindowProcA(list, message, wParam, lParam);
  const WNDPROC listProcedure = self->listProcedure_;
  if (message == WM_NCDESTROY) {
    self->Detach();  // the list's last message
  } else if (self->ToggleOnInput(message, wParam, lParam)) {
    return 0;
  }
  return CallWindowProcA(listProcedure, list, message, wParam, lParam);
}

LRESULT Win32ListControl::ToList(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (listProcedure_ == nullptr) return 0;  // no list
  return CallWindowProcA(listProcedure_, list_, message, wParam, lParam);
}

bool Win32ListControl::ToggleOnInput(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      LVHITTESTINFO hit = {};
      hit.pt.x = GET_X_LPARAM(lParam);
      hit.pt.y = GET_Y_LPARAM(lParam);
      const int position =
          static_cast<int>(ToList(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
      // A box is toggled and nothing else: selection and focus stay where
      // the user left them, so the list never sees the click.
      // Only the box itself: with full-row selection Wine answers a click
      // elsewhere in the row with LVHT_ONITEM | LVHT_ABOVE, and LVHT_ABOVE
      // shares its bit with LVHT_ONITEMSTATEICON.
      if (position >= 0 && (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON) {
        Toggle(position);
        return true;
      }
      if (!selectsByRowBounds_ || (position >= 0 && (hit.flags & LVHT_ONITEM) != 0)) return false;
      const int row = RowByBounds(hit.pt);
      if (row < 0) return false;  // below the rows: the list clears its selection itself
      SetFocus(list_);
      LVITEMA none = {};
      none.stateMask = LVIS_SELECTED;
      SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
      SetSelected(row, true);
      return true;
    }
    case WM_KEYDOWN: {
      if (wParam != VK_SPACE) return false;
      const int focused = static_cast<int>(
          ToList(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
      if (focused >= 0) Toggle(focused);
      return true;
    }
    case WM_CHAR:
      // The space that toggled a box is no search for a row starting with a blank.
      return wParam == ' ';
    default:
      return false;
  }
}

int Win32ListControl::RowByBounds(POINT point) const {
  if ((GetWindowLongA(list_, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT || Count() == 0) return -1;
  // Rows are of one height, so the first row's place, scrolled or not, gives the row.
  RECT first = {};
  first.left = LVIR_BOUNDS;
  if (!SendMessageA(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first))) return -1;
  const int height = first.bottom - first.top;
  if (height <= 0 || point.y < first.top) return -1;
  const int row = (point.y - first.top) / height;
  if (row >= Count()) return -1;
  RECT bounds = {};
  bounds.left = LVIR_BOUNDS;
  if (!SendMessageA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds))) return -1;
  const bool inside = point.x >= bounds.left && point.x < bounds.right && point.y >= bounds.top &&
                      point.y < bounds.bottom;
  return inside ? row : -1;
}

// The row's text is a callback; its sub-items, never set, are callbacks too,
// so the list keeps nothing of the item but its id.
int Win32ListControl::AddRow(std::uint32_t id) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  item.iItem = kAfterLastRow;
  item.state = kUncheckedState;
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.pszText = LPSTR_TEXTCALLBACKA;
  item.lParam = static_cast<LPARAM>(id);
  const int position = static_cast<int>(ToList(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  return position < 0 ? -1 : position;
}

bool Win32ListControl::AnswerTextRequest(const NMHDR* header) {
  if (header->code != LVN_GETDISPINFOA && header->code != LVN_GETDISPINFOW) return false;
  const Win32ListControl* self = OwnerOf(header->hwndFrom);
  if (self == nullptr || self->texts_ == nullptr) return false;
  if (header->code == LVN_GETDISPINFOA) {
    self->AnswerTextRequest(reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(header)));
  } else {
    self->AnswerTextRequest(reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header)));
  }
  return true;
}

// Into the list's buffer, cut to fit it.
void Win32ListControl::AnswerTextRequest(NMLVDISPINFOA* request) const {
  LVITEMA& item = request->item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  const RowText text = texts_->Text(static_cast<std::uint32_t>(item.lParam), static_cast<ListColumn>(item.iSubItem));
  const std::string shown = text.ansi ? std::string(text.units, text.units + text.length)
                                      : AnsiFromWide(std::u16string(text.units, text.length));
  const std::size_t length = CharacterBoundaryCut(shown, static_cast<std::size_t>(item.cchTextMax - 1),
                                                  [](unsigned char byte) { return IsDBCSLeadByte(byte) != 0; });
  shown.copy(item.pszText, length);
  item.pszText[length] = '\0';
}

// Wide text the list reads where it stands; ANSI text widened into its buffer.
void Win32ListControl::AnswerTextRequest(NMLVDISPINFOW* request) const {
  LVITEMW& item = request->item;
  if ((item.mask & LVIF_TEXT) == 0) return;
  const RowText text = texts_->Text(static_cast<std::uint32_t>(item.lParam), static_cast<ListColumn>(item.iSubItem));
  if (!text.ansi) {
    item.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text.units));
    return;
  }
  if (item.pszText == nullptr || item.cchTextMax <= 0) return;
  const std::u16string wide = WideFromAnsi(std::string(text.units, text.units + text.length));
  const std::size_t length = std::min(wide.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  wide.copy(reinterpret_cast<char16_t*>(item.pszText), length);
  item.pszText[length] = L'\0';
}

int Win32ListControl::Count() const {
  return static_cast<int>(ToList(LVM_GETITEMCOUNT, 0, 0));
}

void Win32ListControl::Clear() { ToList(LVM_DELETEALLITEMS, 0, 0); }

struct Win32ListControl::SortRequest {
  const RowOrder& order;
  bool ascending;
};

int CALLBACK Win32ListControl::CompareRows(LPARAM first, LPARAM second, LPARAM sort) {
  const auto* request = reinterpret_cast<const SortRequest*>(sort);
  const int order = request->order.Compare(static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(second));
  if (order != 0) return request->ascending ? order : -order;
  return ByRowId(first, second);
}

void Win32ListControl::SortRows(const RowOrder& order, bool ascending) {
  SortRequest request{order, ascending};
  ToList(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&request), reinterpret_cast<LPARAM>(&CompareRows));
}

void Win32ListControl::SetSelected(int position, bool selected) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = selected ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
  ToList(LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&item));
  if (selected) ToList(LVM_ENSUREVISIBLE, position, FALSE);
}

bool Win32ListControl::RowId(int position, std::uint32_t* id) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = position;
  if (!ToList(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return false;
  *id = static_cast<std::uint32_t>(item.lParam);
  return true;
}

bool Win32ListControl::IsSelected(int position) const {
  return ToList(LVM_GETITEMSTATE, position, LVIS_SELECTED) != 0;
}

bool Win32ListControl::IsChecked(int position) const {
  const UINT state =
      static_cast<UINT>(ToList(LVM_GETITEMSTATE, position, kCheckStateMask));
  return (state & kCheckedState) != 0;
}

void Win32ListControl::SetChecked(int position, bool checked) {
  LVITEMA item = {};
  item.mask = LVIF_STATE;
  item.state = checked ? kCheckedState : kUncheckedState;
  item.stateMask = kCheckStateMask;
  ToList(LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&item));
}

void Win32ListControl::RemoveRow(int position) {
  ToList(LVM_DELETEITEM, position, 0);
}

void Win32ListControl::SetView(ListViewMode mode) {
  DWORD style = LVS_REPORT;
  switch (mode) {
    case ListViewMode::kLargeIcons: style = LVS_ICON; break;
    case ListViewMode::kSmallIcons: style = LVS_SMALLICON; break;
    case ListViewMode::kList: style = LVS_LIST; break;
    case ListViewMode::kDetails: style = LVS_REPORT; break;
  }
  // comctl32 4.70 has no LVM_SETVIEW: the view is the style's type bits.
  const LONG current = GetWindowLongA(list_, GWL_STYLE);
  SetWindowLongA(list_, GWL_STYLE, static_cast<LONG>((current & ~LVS_TYPEMASK) | style));
  // The control lays its rows out anew but leaves the old view's drawing.
  InvalidateRect(list_, nullptr, TRUE);
}

void Win32ListControl::SetRedraw(bool redraw) {
  ToList(WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
  if (redraw) InvalidateRect(list_, nullptr, TRUE);
}

}  // namespace rw
