#pragma once
// The main window as a real Win32 window: it owns the controls, turns
// messages into the handlers of FrmMain and serves MainWindowView.
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "platform/win32/win32_list_control.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_view.h"

namespace rw {

class FrmMainWindow : public MainWindowView {
 public:
  explicit FrmMainWindow(const Platform& platform) : logic_(platform, list_, *this) {}
  FrmMainWindow(const FrmMainWindow&) = delete;
  FrmMainWindow& operator=(const FrmMainWindow&) = delete;

  // Creates the window, runs Form_Load and shows it. False when Windows refused.
  bool Create(HINSTANCE instance, int showCommand);
  HWND handle() const { return window_; }
  // Routes F5 and the like; true when the message was used.
  bool TranslateShortcut(MSG* message);

  void SetCaption(const std::string& caption) override;
  void SetLoadTimerEnabled(bool enabled) override;
  void SetStatusText(const std::string& text) override { statusText_ = text; }
  void SetSortMarks(bool ascending, bool descending) override {
    ascendingMark_ = ascending;
    descendingMark_ = descending;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateList();
  void FitList();

  HWND window_ = nullptr;
  HACCEL shortcuts_ = nullptr;
  Win32ListControl list_;
  FrmMain logic_;
  std::string statusText_ = "Ready";
  bool ascendingMark_ = false;
  bool descendingMark_ = false;
};

}  // namespace rw
