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
// A row's text as an ANSI list shows it, and as a Unicode list does.
std::string AnsiTextOf(const RowText& text) {
  return text.ansi ? std::string(text.units, text.units + text.length)
                   : AnsiFromWide(std::u16string(text.units, text.length));
}
std::u16string WideTextOf(const RowText& text) {
  return text.ansi ? WideFromAnsi(std::string(text.units, text.units + text.length))
                   : std::u16string(text.units, text.length);
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
  virtual_ = (GetWindowLongA(list_, GWL_STYLE) & LVS_OWNERDATA) != 0;
  // The virtual form's rows and check boxes are this control's: the list
  // shows as many as it holds and asks it for each box.
  if (virtual_) {
    SendMessageA(list_, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    SendMessageA(list_, LVM_SETITEMCOUNT, rows_.size(), 0);
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

// The virtual form holds the ids and tells the list their count, once. The
// inserted form inserts a row a time, each a callback for its text; its
// sub-items, never set, are callbacks too, so the list keeps nothing of the
// item but its id.
std::size_t Win32ListControl::ShowRows(std::vector<std::uint32_t> ids) {
  if (virtual_) {
    std::vector<HeldRow> rows;
    rows.reserve(ids.size());
    for (const std::uint32_t id : ids) rows.push_back({id, false});
    rows_.swap(rows);
    // The list's selection and focus are by position: none of them is one of these rows'.
    ClearSelectionAndFocus();
    if (!TellCount(0)) Clear();
    return rows_.size();
  }
  Clear();
  std::size_t shown = 0;
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  item.state = kUncheckedState;
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.pszText = LPSTR_TEXTCALLBACKA;
  for (const std::uint32_t id : ids) {
    item.iItem = kAfterLastRow;
    item.lParam = static_cast<LPARAM>(id);
    if (ToList(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) >= 0) ++shown;
  }
  return shown;
}

bool Win32ListControl::AnswerRequest(const NMHDR* header, LRESULT* result) {
  const Win32ListControl* self = OwnerOf(header->hwndFrom);
  if (self == nullptr || self->texts_ == nullptr) return false;
  auto* request = const_cast<NMHDR*>(header);
  switch (header->code) {
    case LVN_GETDISPINFOA:
      self->AnswerRequest(reinterpret_cast<NMLVDISPINFOA*>(request));
      break;
    case LVN_GETDISPINFOW:
      self->AnswerRequest(reinterpret_cast<NMLVDISPINFOW*>(request));
      break;
    // A search by anything but the name finds no row.
    case LVN_ODFINDITEMA: {
      const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(header);
      const bool byName = (find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0 && find->lvfi.psz != nullptr;
      *result = byName ? self->FindName(find->iStart, WideFromAnsi(find->lvfi.psz), true, find->lvfi.flags) : -1;
      return true;
    }
    case LVN_ODFINDITEMW: {
      const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(header);
      const bool byName = (find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0 && find->lvfi.psz != nullptr;
      *result = byName ? self->FindName(find->iStart, FromWide(find->lvfi.psz), false, find->lvfi.flags) : -1;
      return true;
    }
    default:
      return false;
  }
  *result = 0;
  return true;
}

bool Win32ListControl::RequestedId(int position, LPARAM param, std::uint32_t* id) const {
  if (virtual_) return RowId(position, id);
  *id = static_cast<std::uint32_t>(param);
  return true;
}

// The virtual form's check box, as the state image the list draws.
void Win32ListControl::AnswerStateRequest(LVITEMA* item) const {
  if (!virtual_ || (item->mask & LVIF_STATE) == 0 || (item->stateMask & LVIS_STATEIMAGEMASK) == 0) return;
  if (item->iItem < 0 || static_cast<std::size_t>(item->iItem) >= rows_.size()) return;
  item->state = (item->state & ~LVIS_STATEIMAGEMASK) | (rows_[item->iItem].checked ? kCheckedState : kUncheckedState);
}

// Into the list's buffer, cut to fit it.
void Win32ListControl::AnswerRequest(NMLVDISPINFOA* request) const {
  LVITEMA& item = request->item;
  AnswerStateRequest(&item);
  std::uint32_t id = 0;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  if (!RequestedId(item.iItem, item.lParam, &id)) {
    item.pszText[0] = '\0';
    return;
  }
  const RowText text = texts_->Text(id, static_cast<ListColumn>(item.iSubItem));
  const std::string shown = AnsiTextOf(text);
  const std::size_t length = CharacterBoundaryCut(shown, static_cast<std::size_t>(item.cchTextMax - 1),
                                                  [](unsigned char byte) { return IsDBCSLeadByte(byte) != 0; });
  shown.copy(item.pszText, length);
  item.pszText[length] = '\0';
}

// Wide text the list reads where it stands; ANSI text widened into its buffer.
void Win32ListControl::AnswerRequest(NMLVDISPINFOW* request) const {
  LVITEMW& item = request->item;
  // The state fields lie where they lie in the ANSI form.
  AnswerStateRequest(reinterpret_cast<LVITEMA*>(&item));
  if ((item.mask & LVIF_TEXT) == 0) return;
  std::uint32_t id = 0;
  if (!RequestedId(item.iItem, item.lParam, &id)) {
    if (item.pszText != nullptr && item.cchTextMax > 0) item.pszText[0] = L'\0';
    return;
  }
  const RowText text = texts_->Text(id, static_cast<ListColumn>(item.iSubItem));
  if (!text.ansi) {
    item.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text.units));
    return;
  }
  if (item.pszText == nullptr || item.cchTextMax <= 0) return;
  const std::u16string wide = WideTextOf(text);
  const std::size_t length = std::min(wide.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  wide.copy(reinterpret_cast<char16_t*>(item.pszText), length);
  item.pszText[length] = L'\0';
}

namespace {

// One unit in capitals: by the system where it can, else the Latin letters.
char16_t Capital(char16_t unit) {
  using CharUpperBuffWFunction = DWORD(WINAPI*)(LPWSTR, DWORD);
  static RuntimeFunction<CharUpperBuffWFunction> charUpperBuffW("USER32.DLL", "CharUpperBuffW");
  wchar_t wide = static_cast<wchar_t>(unit);
  if (charUpperBuffW.get() != nullptr && charUpperBuffW.get()(&wide, 1) == 1) return static_cast<char16_t>(wide);
  const bool small = (unit >= u'a' && unit <= u'z') || (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7);
  return small ? static_cast<char16_t>(unit - 0x20) : unit;
}

bool StartsWithIgnoringCase(const std::u16string& text, const std::u16string& start, bool whole) {
  if (start.size() > text.size() || (whole && start.size() != text.size())) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    if (text[i] != start[i] && Capital(text[i]) != Capital(start[i])) return false;
  }
  return true;
}

}  // namespace

// As the list finds a name among rows it holds: from |start| (for typed
// letters the row after the focused one, or the focused one while the user
// goes on typing) on to the last row, then, with LVFI_WRAP, from the top.
int Win32ListControl::FindName(int start, const std::u16string& typed, bool ansi, UINT flags) const {
  const int count = Count();
  if (count == 0 || typed.empty()) return -1;
  if (start < 0 || start >= count) start = 0;
  const int steps = (flags & LVFI_WRAP) != 0 ? count : count - start;
  for (int step = 0; step < steps; ++step) {
    const int position = (start + step) % count;
    const RowText name = texts_->Text(rows_[position].id, kColumnName);
    // An ANSI list finds what it shows: the name through the code page.
    const std::u16string shown = ansi ? WideFromAnsi(AnsiTextOf(name)) : WideTextOf(name);
    if (StartsWithIgnoringCase(shown, typed, (flags & LVFI_PARTIAL) == 0)) return position;
  }
  return -1;
}

int Win32ListControl::Count() const {
  if (virtual_) return static_cast<int>(rows_.size());
  return static_cast<int>(ToList(LVM_GETITEMCOUNT, 0, 0));
}

void Win32ListControl::Clear() {
  if (!virtual_) {
    ToList(LVM_DELETEALLITEMS, 0, 0);
    return;
  }
  // Given back, not only emptied: a load short of memory needs what they held.
  std::vector<HeldRow>().swap(rows_);
  // While drawing is held back the list keeps its count, which the rows
  // shown next most often have again; it has none by the time it draws.
  if (!held_) TellCount(0);
}

// While drawing is held back, the list is told a new count only once it
// cannot draw: told its count, Wine's list view sets its scroll bars, and
// draws the vertical one twice at once.
bool Win32ListControl::TellCount(WPARAM flags) {
  if (ToList(LVM_GETITEMCOUNT, 0, 0) == static_cast<LRESULT>(rows_.size())) return true;
  if (held_ && !listHeld_) {
    ToList(WM_SETREDRAW, FALSE, 0);
    listHeld_ = true;
  }
  return ToList(LVM_SETITEMCOUNT, rows_.size(), static_cast<LPARAM>(flags)) != 0;
}

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
  if (virtual_) {
    SortHeldRows(order, ascending);
    return;
  }
  SortRequest request{order, ascending};
  ToList(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&request), reinterpret_cast<LPARAM>(&CompareRows));
}

// The selection and the focus go with their rows, as the inserted form's
// list moves them itself; the list holds them by position only.
void Win32ListControl::SortHeldRows(const RowOrder& order, bool ascending) {
  const int selected = static_cast<int>(ToList(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  const int focused = static_cast<int>(ToList(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  const int count = Count();
  const std::uint32_t selectedId = selected >= 0 && selected < count ? rows_[selected].id : 0;
  const std::uint32_t focusedId = focused >= 0 && focused < count ? rows_[focused].id : 0;
  SortByOrder(&rows_, order, ascending, [](const HeldRow& row) { return row.id; });
  ClearSelectionAndFocus();
  for (int position = 0; position < count; ++position) {
    LVITEMA state = {};
    if (selected >= 0 && rows_[position].id == selectedId) state.stateMask |= LVIS_SELECTED;
    if (focused >= 0 && rows_[position].id == focusedId) state.stateMask |= LVIS_FOCUSED;
    state.state = state.stateMask;
    if (state.stateMask != 0) ToList(LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&state));
  }
  InvalidateRect(list_, nullptr, TRUE);
}

// Row by row: the list's own form for all rows (-1) visits every row of a
// virtual list. The list selects one row at most.
void Win32ListControl::ClearSelectionAndFocus() {
  LVITEMA none = {};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  for (const UINT which : {LVNI_SELECTED, LVNI_FOCUSED}) {
    const int position = static_cast<int>(ToList(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which));
    if (position >= 0) ToList(LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&none));
  }
}

void Win32ListControl::SetSelected(int position, bool selected) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = selected ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
  ToList(LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&item));
  if (selected) ToList(LVM_ENSUREVISIBLE, position, FALSE);
}

bool Win32ListControl::RowId(int position, std::uint32_t* id) const {
  if (virtual_) {
    if (position < 0 || position >= Count()) return false;
    *id = rows_[position].id;
    return true;
  }
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
  if (virtual_) return position >= 0 && position < Count() && rows_[position].checked;
  const UINT state =
      static_cast<UINT>(ToList(LVM_GETITEMSTATE, position, kCheckStateMask));
  return (state & kCheckedState) != 0;
}

void Win32ListControl::SetChecked(int position, bool checked) {
  if (virtual_) {
    if (position < 0 || position >= Count()) return;
    rows_[position].checked = checked;
    if (!held_) ToList(LVM_REDRAWITEMS, position, position);  // else drawn with the rest
    return;
  }
  LVITEMA item = {};
  item.mask = LVIF_STATE;
  item.state = checked ? kCheckedState : kUncheckedState;
  item.stateMask = kCheckStateMask;
  ToList(LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&item));
}

void Win32ListControl::RemoveRows(const std::vector<int>& positions) {
  if (!virtual_) {
    for (const int position : positions) ToList(LVM_DELETEITEM, position, 0);
    return;
  }
  // Each row stays or goes in one sweep, which needs no memory, and the
  // list hears the new count once. The lowest position still to come is
  // the last one given.
  std::size_t next = positions.size();
  std::size_t kept = 0;
  for (std::size_t position = 0; position < rows_.size(); ++position) {
    while (next > 0 && positions[next - 1] < static_cast<int>(position)) --next;
    if (next > 0 && positions[next - 1] == static_cast<int>(position)) continue;
    rows_[kept++] = rows_[position];
  }
  rows_.resize(kept);
  // The selection is by position, which now shows other rows.
  ClearSelectionAndFocus();
  TellCount(LVSICF_NOSCROLL);
  InvalidateRect(list_, nullptr, TRUE);
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

// Drawing again, the list sets its scroll bars, and Wine's draws the
// vertical one twice there, each time at once. Hidden from drawing for that
// moment, the list is then drawn once, whole, its frame and scroll bars too.
// Hiding validates what was due, the header's too: the children are drawn
// again when one of them was due.
//
// The virtual form holds the drawing back itself: its rows change only in
// their texts and check boxes, which the list asks for when it draws, and
// in their count, which the list is told while it cannot draw. When the
// count stayed, the rows are drawn again, and the frame and scroll bars as
// they were are not.
void Win32ListControl::SetRedraw(bool redraw) {
  if (virtual_) {
    if (!redraw) {
      held_ = true;
      return;
    }
    TellCount(0);  // rows cleared and none shown since
    held_ = false;
    if (!listHeld_) {
      InvalidateRect(list_, nullptr, TRUE);
      return;
    }
    listHeld_ = false;
  }
  if (!redraw || (GetWindowLongA(list_, GWL_STYLE) & WS_VISIBLE) == 0) {  // a hidden list stays hidden
    ToList(WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    return;
  }
  bool childDue = false;
  for (HWND child = GetWindow(list_, GW_CHILD); child != nullptr && !childDue; child = GetWindow(child, GW_HWNDNEXT)) {
    childDue = GetUpdateRect(child, nullptr, FALSE) != FALSE;
  }
  DefWindowProcA(list_, WM_SETREDRAW, FALSE, 0);
  ToList(WM_SETREDRAW, TRUE, 0);
  DefWindowProcA(list_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | (childDue ? RDW_ALLCHILDREN : 0));
}

}  // namespace rw
