#include "ui/main/frm_main_window.h"

#include <commctrl.h>

#include "platform/win32/file_version_win32.h"
#include "res/resource.h"
#include "ui/window/bound_window_win32.h"
#include "ui/main/main_columns.h"
#include "ui/main/main_menu_win32.h"
#include "ui/main/main_toolbar.h"
#include "ui/main/main_toolbar_win32.h"
#include "ui/window/program_lifetime_win32.h"

namespace rw {

namespace {

const char kWindowClass[] = "RunwardenMain";
constexpr UINT_PTR kLoadTimerId = 1;
constexpr UINT kLoadTimerMilliseconds = 500;
constexpr UINT_PTR kClockTimerId = 2;
constexpr UINT kClockTimerMilliseconds = 1000;
constexpr int kClientWidthTwips = 9375;
constexpr int kClientHeightTwips = 5490;

}  // namespace

bool FrmMainWindow::Create(HINSTANCE instance, int showCommand) {
  if (!RegisterProgramWindowClass(instance, kWindowClass, &BoundWindowProc<FrmMainWindow>)) {
    return false;
  }
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  ScopedMenu menuBar(BuildMainMenuBar());
  RECT frame = {0, 0, twips_.ToPixelsX(kClientWidthTwips), twips_.ToPixelsY(kClientHeightTwips)};
  AdjustWindowRectEx(&frame, style, TRUE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_ = CreateWindowExA(0, kWindowClass, kCreatedCaption, style, left, top, width, height,
                            nullptr, menuBar.get(), instance, this);
  if (window_ == nullptr) return false;
  menuBar.release();  // the window's now, destroyed with it
  shortcuts_.reset(CreateMainShortcuts());
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  return true;
}

bool FrmMainWindow::TranslateKeys(MSG* message) {
  if (about_.HandleDialogKeys(message) || legend_.HandleDialogKeys(message)) return true;
  const bool inMainWindow = window_ != nullptr && (message->hwnd == window_ || IsChild(window_, message->hwnd));
  return inMainWindow && shortcuts_.valid() &&
         TranslateAcceleratorA(window_, shortcuts_.get(), message) != 0;
}

void FrmMainWindow::ShowAboutDialog() {
  about_.Open(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE)));
}

void FrmMainWindow::ShowLegendDialog() {
  legend_.Open(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE)));
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

bool FrmMainWindow::IsMenuChecked(int menuId) const {
  return (GetMenuState(GetMenu(window_), menuId, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void FrmMainWindow::SetMenuChecked(int menuId, bool checked) {
  CheckMenuItem(GetMenu(window_), menuId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool FrmMainWindow::IsShown(HWND control) {
  return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void FrmMainWindow::SetToolbarVisible(bool visible) {
  ShowWindow(toolbar_.handle(), visible ? SW_SHOW : SW_HIDE);
}

void FrmMainWindow::SetStatusBarVisible(bool visible) {
  ShowWindow(statusBar_.handle(), visible ? SW_SHOW : SW_HIDE);
}

int FrmMainWindow::ClientWidthTwips() const {
  RECT client;
  GetClientRect(window_, &client);
  return twips_.ToTwipsX(client.right);
}

int FrmMainWindow::ClientHeightTwips() const {
  RECT client;
  GetClientRect(window_, &client);
  return twips_.ToTwipsY(client.bottom);
}

void FrmMainWindow::MoveList(const TwipsRect& place) {
  MoveWindow(list_.handle(), twips_.ToPixelsX(place.left), twips_.ToPixelsY(place.top),
             twips_.ToPixelsX(place.width), twips_.ToPixelsY(place.height), TRUE);
}

// The dialogs and the main window close as their close boxes close them; the
// last window to go ends the program.
void FrmMainWindow::EndProgram() {
  about_.Close();
  legend_.Close();
  if (window_ != nullptr) DestroyWindow(window_);
}

void FrmMainWindow::CreateList(HINSTANCE instance) {
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                              0, 0, 0, 0, window_, ControlId(IDC_LISTVIEW1), instance, nullptr);
  if (controls_.fullRowSelect) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  }
  list_.SetSelectsByRowBounds(!controls_.fullRowSelect);
  int index = 0;
  for (const ListColumnSpec& definition : kMainListColumns) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.pszText = const_cast<char*>(definition.caption);
    column.cx = twips_.ToPixelsX(definition.widthTwips);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&column));
  }
  list_.Attach(list);
}

// The toolbar spans the top and the status bar the bottom, at their fixed
// heights; the list is placed between them by LayoutMainWindow.
void FrmMainWindow::PlaceBars() {
  RECT client;
  GetClientRect(window_, &client);
  const int statusHeight = twips_.ToPixelsY(kStatusBarHeightTwips);
  MoveWindow(toolbar_.handle(), 0, 0, client.right, twips_.ToPixelsY(kToolbarHeightTwips), TRUE);
  MoveWindow(statusBar_.handle(), 0, client.bottom - statusHeight, client.right, statusHeight, TRUE);
  const std::array<int, 3> widths = StatusPanelWidths(twips_.ToTwipsX(client.right));
  const int first = twips_.ToPixelsX(widths[0]);
  const int second = first + twips_.ToPixelsX(widths[1]);
  statusBar_.SetPanelRightEdges(first, second, second + twips_.ToPixelsX(widths[2]));
}

void FrmMainWindow::OnCreate() {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
  FileVersion commonControls;  // 0.0 when unreadable: only what 4.00 has
  if (HMODULE library = GetModuleHandleA("COMCTL32.DLL")) ReadModuleVersion(library, &commonControls);
  controls_ = FeaturesOfCommonControls(commonControls.major, commonControls.minor);
  // Created in their tab order: status bar, toolbar, list.
  statusBar_.Create(window_, instance, IDC_STATUSBAR1);
  toolbar_.Create(window_, instance, IDC_TOOLBAR1, controls_.flatToolbar, colours_().buttonFace);
  CreateList(instance);
  PlaceBars();
  SetTimer(window_, kClockTimerId, kClockTimerMilliseconds, nullptr);
  logic_.Form_Load();
}

// Only a top-level window hears of a new colour scheme: the common controls
// learn it from here, and the pictures drawn once are drawn again.
void FrmMainWindow::OnColoursChanged(WPARAM wParam, LPARAM lParam) {
  SendMessageA(list_.handle(), WM_SYSCOLORCHANGE, wParam, lParam);
  SendMessageA(statusBar_.handle(), WM_SYSCOLORCHANGE, wParam, lParam);
  const PictureColours colours = colours_();
  list_.RedrawCheckBoxes(colours);
  toolbar_.Rebuild(colours.buttonFace);
  SendMessageA(toolbar_.handle(), WM_SYSCOLORCHANGE, wParam, lParam);
  InvalidateRect(window_, nullptr, TRUE);
  InvalidateRect(statusBar_.handle(), nullptr, TRUE);
}

void FrmMainWindow::OnCommand(int id) {
  switch (id) {
    case IDM_EXIT: logic_.mnuExit_Click(); break;
    case IDM_VIEW_REFRESH: logic_.mnuViewRefresh_Click(); break;
    case IDM_VIEW_STATUS_BAR: logic_.mnuViewStatusBar_Click(); break;
    case IDM_VIEW_TOOLBAR: logic_.mnuViewToolbar_Click(); break;
    case IDM_VIEW_ASCENDING: logic_.mnuViewAscending_Click(); break;
    case IDM_VIEW_DESCENDING: logic_.mnuViewDescending_Click(); break;
    case IDM_VIEW_CHECK_ALL: logic_.mnuViewCheckAll_Click(); break;
    case IDM_VIEW_UNCHECK_ALL: logic_.mnuViewUncheckAll_Click(); break;
    case IDM_DELETE_CHECKED_ITEMS: logic_.mnuDeleteCheckedItems_Click(); break;
    case IDM_ABOUT: logic_.mnuAbout_Click(); break;
    case IDM_INFO_LEGEND: logic_.mnuInfoLegend_Click(); break;
    default:
      if (const char* key = ToolbarKeyForCommand(id)) logic_.Toolbar1_ButtonClick(key);
      break;
  }
}

LRESULT FrmMainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      ProgramWindowOpened();
      OnCreate();
      return 0;
    case WM_SIZE:
      PlaceBars();
      logic_.LayoutMainWindow();
      return 0;
    case WM_SETFOCUS:
      SetFocus(list_.handle());
      return 0;
    case WM_TIMER:
      if (wParam == kLoadTimerId) logic_.Timer1_Timer();
      if (wParam == kClockTimerId) statusBar_.RefreshClock();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      OnColoursChanged(wParam, lParam);
      return 0;
    case WM_NOTIFY:
      if (AnswerToolbarTooltip(reinterpret_cast<NMHDR*>(lParam))) return 0;
      break;
    case WM_NCDESTROY: {
      // The last message: the controls are gone, so what they used goes too.
      HWND closing = window_;
      KillTimer(closing, kClockTimerId);
      shortcuts_.reset();
      toolbar_.Destroyed();
      SetWindowLongPtrA(closing, GWLP_USERDATA, 0);
      window_ = nullptr;
      ProgramWindowClosed();  // the program goes on while a dialog is open
      return DefWindowProcA(closing, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace rw
