#include "ui/main/main_status_bar_win32.h"

#include <commctrl.h>

#include "ui/window/window_class_win32.h"

namespace rw {

void MainStatusBar::Create(HWND parent, HINSTANCE instance, int id) {
  bar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "",
                         WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN,
                         0, 0, 0, 0, parent, ControlId(id),
                         instance, nullptr);
  SetPanelRightEdges(1, 2, 3);
  SetText(0, "Ready");
  RefreshClock();
}

void MainStatusBar::SetPanelRightEdges(int first, int second, int third) {
  int edges[3] = {first, second, third};
  SendMessageA(bar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

void MainStatusBar::SetText(int panel, const std::string& text) {
  SendMessageA(bar_, SB_SETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
  UpdateWindow(bar_);  // shown at once, also before a long load that does not yield
}

void MainStatusBar::RefreshClock() {
  char date[80] = {};
  char time[80] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, time, sizeof time);
  if (date_ != date) SetText(1, date_ = date);
  if (time_ != time) SetText(2, time_ = time);
}

}  // namespace rw
