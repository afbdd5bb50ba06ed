#include "ui/main/main_window_win32.h"

#include <commctrl.h>
#include <shlwapi.h>

#include "platform/win32/file_version_win32.h"
#include "platform/win32/wide_calls_win32.h"
#include "res/resource.h"
#include "ui/main/main_columns.h"
#include "ui/main/main_menu_win32.h"
#include "ui/main/main_toolbar.h"
#include "ui/main/main_toolbar_win32.h"
#include "ui/window/window_class_win32.h"

namespace rw {

namespace {

const char kWindowClass[] = "RunwardenMain";
constexpr UINT_PTR kLoadTimerId = 1;
constexpr UINT kLoadTimerMilliseconds = 500;
constexpr UINT_PTR kClockTimerId = 2;
constexpr UINT kClockTimerMilliseconds = 1000;
constexpr int kClientWidthTwips = 9375;
constexpr int kClientHeightTwips = 5490;

// What this system's common controls can do, decided once for the run;
// with |asVersion400| the list and the toolbar only as comctl32 4.00 makes
// them, whatever the system has (the rows' text form stays the system's).
CommonControlFeatures ReadCommonControlFeatures(WindowsFamily family, bool asVersion400) {
  FileVersion file;  // 0.0 when unreadable: only what 4.00 has
  DLLVERSIONINFO reported = {};
  reported.cbSize = sizeof reported;
  if (HMODULE library = GetModuleHandleA("COMCTL32.DLL")) {
    ReadModuleVersion(library, &file);
    using DllGetVersionFunction = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    const auto getVersion = LookUpFunction<DllGetVersionFunction>("COMCTL32.DLL", "DllGetVersion");
    if (getVersion == nullptr || FAILED(getVersion(&reported))) {
      reported.dwMajorVersion = reported.dwMinorVersion = 0;
    }
  }
  CommonControlFeatures features = FeaturesOfCommonControls(file.major, file.minor, reported.dwMajorVersion,
                                                            reported.dwMinorVersion, family == WindowsFamily::kNT);
  if (asVersion400) features.fullRowSelect = features.flatToolbar = features.virtualList = false;
  return features;
}

}  // namespace

Win32MainWindow::Win32MainWindow(const Platform& platform, WindowsFamily family, bool commonControls400,
                                 PictureColourSource colours)
    : colours_(colours),
      controls_(ReadCommonControlFeatures(family, commonControls400)),
      logic_(WithMessages(platform, boxes_), family, controls_.unicodeRows, list_, *this),
      about_(platform) {}

bool Win32MainWindow::Create(HINSTANCE instance, int showCommand) {
  ScopedMenu menuBar(BuildMainMenuBar());
  const WindowShape shape = {kWindowClass, kCreatedCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                             kClientWidthTwips, kClientHeightTwips, nullptr, menuBar.get()};
  if (!CreateCentred(instance, shape)) return false;
  menuBar.release();  // the window's now, destroyed with it
  shortcuts_.reset(CreateMainShortcuts());
  ShowWindow(handle(), showCommand);
  UpdateWindow(handle());
  return true;
}

bool Win32MainWindow::TranslateKeys(MSG* message) {
  if (about_.HandleDialogKeys(message) || legend_.HandleDialogKeys(message)) return true;
  return Contains(message->hwnd) && shortcuts_.valid() &&
         TranslateAcceleratorA(handle(), shortcuts_.get(), message) != 0;
}

void Win32MainWindow::ShowAboutDialog() { about_.Open(instance()); }

void Win32MainWindow::ShowLegendDialog() { legend_.Open(instance()); }

void Win32MainWindow::SetCaption(const std::string& caption) {
  SetWindowTextA(handle(), caption.c_str());
}

void Win32MainWindow::SetLoadTimerEnabled(bool enabled) {
  if (enabled) {
    SetTimer(handle(), kLoadTimerId, kLoadTimerMilliseconds, nullptr);
  } else {
    KillTimer(handle(), kLoadTimerId);
  }
}

bool Win32MainWindow::IsMenuChecked(int menuId) const {
  return (GetMenuState(GetMenu(handle()), menuId, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void Win32MainWindow::SetMenuChecked(int menuId, bool checked) {
  CheckMenuItem(GetMenu(handle()), menuId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Win32MainWindow::SetMenuEnabled(int menuId, bool enabled) {
  EnableMenuItem(GetMenu(handle()), menuId, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool Win32MainWindow::IsShown(HWND control) {
  return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32MainWindow::SetToolbarVisible(bool visible) {
  ShowWindow(toolbar_.handle(), visible ? SW_SHOW : SW_HIDE);
}

void Win32MainWindow::SetStatusBarVisible(bool visible) {
  ShowWindow(statusBar_.handle(), visible ? SW_SHOW : SW_HIDE);
}

int Win32MainWindow::ClientWidthTwips() const {
  RECT client;
  GetClientRect(handle(), &client);
  return twips().ToTwipsX(client.right);
}

int Win32MainWindow::ClientHeightTwips() const {
  RECT client;
  GetClientRect(handle(), &client);
  return twips().ToTwipsY(client.bottom);
}

void Win32MainWindow::MoveList(const TwipsRect& place) {
  MoveWindow(list_.handle(), twips().ToPixelsX(place.left), twips().ToPixelsY(place.top),
             twips().ToPixelsX(place.width), twips().ToPixelsY(place.height), TRUE);
}

// The dialogs and the main window close as their close boxes close them; the
// last window to go ends the program.
void Win32MainWindow::EndProgram() {
  about_.Close();
  legend_.Close();
  Close();
}

void Win32MainWindow::CreateList() {
  // Clipping its children, the list drawn again leaves its header be.
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | LVS_REPORT |
                                  LVS_SHOWSELALWAYS | LVS_SINGLESEL | (controls_.virtualList ? LVS_OWNERDATA : 0),
                              0, 0, 0, 0, handle(), ControlId(IDC_STARTUP_LIST), instance(), nullptr);
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
    column.cx = twips().ToPixelsX(definition.widthTwips);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&column));
  }
  list_.Attach(list);
}

// The toolbar spans the top and the status bar the bottom, at their fixed
// heights; the list is placed between them by LayoutMainWindow.
void Win32MainWindow::PlaceBars() {
  RECT client;
  GetClientRect(handle(), &client);
  const int statusHeight = twips().ToPixelsY(kStatusBarHeightTwips);
  MoveWindow(toolbar_.handle(), 0, 0, client.right, twips().ToPixelsY(kToolbarHeightTwips), TRUE);
  MoveWindow(statusBar_.handle(), 0, client.bottom - statusHeight, client.right, statusHeight, TRUE);
  const std::array<int, 3> widths = StatusPanelWidths(twips().ToTwipsX(client.right));
  const int first = twips().ToPixelsX(widths[0]);
  const int second = first + twips().ToPixelsX(widths[1]);
  statusBar_.SetPanelRightEdges(first, second, second + twips().ToPixelsX(widths[2]));
}

void Win32MainWindow::OnCreate() {
  // Created in their tab order: status bar, toolbar, list.
  statusBar_.Create(handle(), instance(), IDC_STATUS_BAR);
  toolbar_.Create(handle(), instance(), IDC_TOOLBAR, controls_.flatToolbar, colours_().buttonFace);
  CreateList();
  PlaceBars();
  SetTimer(handle(), kClockTimerId, kClockTimerMilliseconds, nullptr);
  logic_.OnCreated();
}

// Only a top-level window hears of a new colour scheme: the common controls
// learn it from here, and the pictures drawn once are drawn again.
void Win32MainWindow::OnColoursChanged(WPARAM wParam, LPARAM lParam) {
  SendMessageA(list_.handle(), WM_SYSCOLORCHANGE, wParam, lParam);
  SendMessageA(statusBar_.handle(), WM_SYSCOLORCHANGE, wParam, lParam);
  const PictureColours colours = colours_();
  list_.RedrawCheckBoxes(colours);
  toolbar_.Rebuild(colours.buttonFace);
  SendMessageA(toolbar_.handle(), WM_SYSCOLORCHANGE, wParam, lParam);
  InvalidateRect(handle(), nullptr, TRUE);
  InvalidateRect(statusBar_.handle(), nullptr, TRUE);
}

LRESULT Win32MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      PlaceBars();
      logic_.LayoutMainWindow();
      return 0;
    case WM_SETFOCUS:
      SetFocus(list_.handle());
      return 0;
    case WM_TIMER:
      if (wParam == kLoadTimerId) logic_.OnFirstLoad();
      if (wParam == kClockTimerId) statusBar_.RefreshClock();
      return 0;
    case WM_COMMAND:
      logic_.RunCommand(LOWORD(wParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      OnColoursChanged(wParam, lParam);
      return 0;
    case WM_NOTIFYFORMAT:
      // The controls' notifications, the list's requests for its rows' texts
      // among them, come in the form the rows are shown in.
      if (lParam == NF_QUERY) return controls_.unicodeRows ? NFR_UNICODE : NFR_ANSI;
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      LRESULT result = 0;
      if (Win32ListControl::AnswerRequest(header, &result)) return result;
      if (AnswerToolbarTooltip(header)) return 0;
      break;
    }
    default:
      break;
  }
  return DefWindowProcA(handle(), message, wParam, lParam);
}

void Win32MainWindow::OnDestroy() {
  KillTimer(handle(), kClockTimerId);
  shortcuts_.reset();
  toolbar_.Destroyed();
}

}  // namespace rw
