#include "ui/dialogs/dialog_window_win32.h"

#include <utility>

#include "res/resource.h"
#include "ui/window/window_class_win32.h"

namespace rw {

namespace {

const char kOwnerClass[] = "RunwardenDialogOwner";

}  // namespace

// Owned windows get no taskbar button; the owner itself is never shown.
HWND DialogWindow::HiddenOwner(HINSTANCE instance) {
  static HWND owner = nullptr;
  if (owner == nullptr) {
    RegisterProgramWindowClass(instance, kOwnerClass, DefWindowProcA);
    owner = CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                            nullptr);
  }
  return owner;
}

void DialogWindow::Open(HINSTANCE instance) {
  const bool wasOpen = IsOpen();
  if (!wasOpen) {
    const DWORD exStyle = frame_ == DialogFrame::kFixedDialog ? WS_EX_DLGMODALFRAME : 0;
    const WindowShape shape = {windowClass_, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                               exStyle, widthTwips_, heightTwips_, HiddenOwner(instance), nullptr};
    if (!CreateCentred(instance, shape)) return;
  }
  ShowWindow(handle(), SW_SHOWNORMAL);
  SetForegroundWindow(handle());
  if (!wasOpen) SetFocus(GetDlgItem(handle(), IDOK));  // OK is first in the tab order
}

bool DialogWindow::HandleDialogKeys(MSG* message) {
  return Contains(message->hwnd) && IsDialogMessageA(handle(), message);
}

RECT DialogWindow::PixelsOf(int left, int top, int width, int height) const {
  return {twips().ToPixelsX(left), twips().ToPixelsY(top), twips().ToPixelsX(width),
          twips().ToPixelsY(height)};
}

HWND DialogWindow::AddLabel(int id, int left, int top, int width, int height,
                            const LabelFont& font, COLORREF colour) {
  const RECT box = PixelsOf(left, top, width, height);
  HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                               box.left, box.top, box.right, box.bottom, handle(), ControlId(id),
                               instance(), nullptr);
  SetOwnFont(label, id, font);
  if (ControlLook* look = LookOf(id)) {
    look->isLabel = true;
    look->colour = colour;
  }
  return label;
}

// Without a free slot the control keeps the dialog's font rather than
// holding one nobody would free.
void DialogWindow::SetOwnFont(HWND control, int id, const LabelFont& font) {
  ControlLook* look = LookOf(id);
  if (look == nullptr) return;
  ScopedFont owned(CreateFontA(twips().FontHeight(font.pointsTimes100), 0, 0, 0, font.weight,
                               font.italic, font.underline, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, font.pitchAndFamily, font.face));
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(owned.get()), FALSE);
  look->font = std::move(owned);  // a font the control had before is deleted here
}

DialogWindow::ControlLook* DialogWindow::FindLook(int id) {
  for (std::size_t i = 0; i < lookCount_; ++i) {
    if (looks_[i].id == id) return &looks_[i];
  }
  return nullptr;
}

DialogWindow::ControlLook* DialogWindow::LookOf(int id) {
  if (ControlLook* found = FindLook(id)) return found;
  if (lookCount_ == looks_.size()) return nullptr;
  ControlLook& look = looks_[lookCount_++];
  look.id = id;
  return &look;
}

HWND DialogWindow::AddButton(int id, const char* caption, int left, int top, int width, int height,
                             bool isDefault) {
  const RECT box = PixelsOf(left, top, width, height);
  HWND button = CreateWindowExA(
      0, "BUTTON", caption,
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), box.left,
      box.top, box.right, box.bottom, handle(), ControlId(id), instance(), nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return button;
}

void DialogWindow::SetText(int id, const std::string& text) {
  SetDlgItemTextA(handle(), id, text.c_str());
}

LRESULT DialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        Close();
      } else {
        OnCommand(LOWORD(wParam));
      }
      return 0;
    case WM_SYSCOLORCHANGE:
      // Passed on as a top-level window must; the labels' colours are read
      // at each paint, so a repaint shows the new scheme.
      for (HWND child = GetWindow(handle(), GW_CHILD); child != nullptr;
           child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageA(child, WM_SYSCOLORCHANGE, wParam, lParam);
        InvalidateRect(child, nullptr, TRUE);
      }
      InvalidateRect(handle(), nullptr, TRUE);
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CTLCOLORSTATIC: {
      const ControlLook* look = FindLook(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
      if (look == nullptr || !look->isLabel) break;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, look->colour == kButtonTextColour ? GetSysColor(COLOR_BTNTEXT) : look->colour);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(handle(), &paint);
      OnPaint(dc);
      EndPaint(handle(), &paint);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(handle(), message, wParam, lParam);
}

void DialogWindow::OnDestroy() {
  for (std::size_t i = 0; i < lookCount_; ++i) looks_[i] = ControlLook();
  lookCount_ = 0;
}

}  // namespace rw
