#include "ui/main/frm_main_window.h"

#include <commctrl.h>

#include "res/resource.h"
#include "ui/main/main_columns.h"
#include "ui/main/twips.h"

namespace rw {

namespace {

const char kWindowClass[] = "RunwardenMain";
constexpr UINT_PTR kLoadTimerId = 1;
constexpr UINT kLoadTimerMilliseconds = 500;
constexpr int kClientWidthTwips = 9375;
constexpr int kClientHeightTwips = 5490;

int ScreenDpi(int axis) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, axis);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int TwipsX(int twips) { return TwipsToPixels(twips, ScreenDpi(LOGPIXELSX)); }
int TwipsY(int twips) { return TwipsToPixels(twips, ScreenDpi(LOGPIXELSY)); }

bool RegisterMainClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSA windowClass = {};
  if (GetClassInfoA(instance, kWindowClass, &windowClass)) return true;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_RUNWARDEN));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

}  // namespace

bool FrmMainWindow::Create(HINSTANCE instance, int showCommand) {
  if (!RegisterMainClass(instance, &WindowProc)) return false;
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT frame = {0, 0, TwipsX(kClientWidthTwips), TwipsY(kClientHeightTwips)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_ = CreateWindowExA(0, kWindowClass, kCreatedCaption, style, left, top, width, height,
                            nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;

  ACCEL refresh = {FVIRTKEY, VK_F5, IDM_VIEW_REFRESH};
  shortcuts_ = CreateAcceleratorTableA(&refresh, 1);
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  return true;
}

bool FrmMainWindow::TranslateShortcut(MSG* message) {
  return shortcuts_ != nullptr && TranslateAcceleratorA(window_, shortcuts_, message) != 0;
}

void FrmMainWindow::SetCaption(const std::string& caption) {
  SetWindowTextA(window_, caption.c_str());
}

void FrmMainWindow::SetLoadTimerEnabled(bool enabled) {
  if (enabled) {
    SetTimer(window_, kLoadTimerId, kLoadTimerMilliseconds, nullptr);
  } else {
    KillTimer(window_, kLoadTimerId);
  }
}

void FrmMainWindow::CreateList() {
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
                              0, 0, 0, 0, window_,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_LISTVIEW1)),
                              reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE)),
                              nullptr);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  int index = 0;
  for (const ListColumnSpec& spec : kMainListColumns) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(spec.caption);
    column.cx = TwipsX(spec.widthTwips);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&column));
  }
  list_.Attach(list);
}

void FrmMainWindow::FitList() {
  RECT client;
  GetClientRect(window_, &client);
  MoveWindow(list_.handle(), 0, 0, client.right, client.bottom, TRUE);
}

LRESULT CALLBACK FrmMainWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FrmMainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FrmMainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT FrmMainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateList();
      FitList();
      logic_.Form_Load();
      return 0;
    case WM_SIZE:
      FitList();
      return 0;
    case WM_SETFOCUS:
      SetFocus(list_.handle());
      return 0;
    case WM_TIMER:
      if (wParam == kLoadTimerId) logic_.Timer1_Timer();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDM_VIEW_REFRESH) logic_.mnuViewRefresh_Click();
      return 0;
    case WM_DESTROY:
      if (shortcuts_ != nullptr) DestroyAcceleratorTable(shortcuts_);
      shortcuts_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}

}  // namespace rw
