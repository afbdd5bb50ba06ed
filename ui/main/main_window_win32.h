#pragma once
// The main window as a real Win32 window: it owns the controls, turns
// messages into the commands of MainWindow and serves MainWindowView.
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "platform/win32/picture_colours_win32.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/win32_list_control.h"
#include "platform/win32/win32_message_boxes.h"
#include "ui/dialogs/about_dialog_win32.h"
#include "ui/dialogs/legend_dialog_win32.h"
#include "ui/main/common_control_features.h"
#include "ui/main/main_window.h"
#include "ui/main/main_status_bar_win32.h"
#include "ui/main/main_toolbar_win32.h"
#include "ui/main/main_window_view.h"
#include "ui/window/program_window_win32.h"

namespace rw {

class Win32MainWindow : public ProgramWindow, public MainWindowView {
 public:
  // |commonControls400|: the list and the toolbar are made as comctl32 4.00
  // makes them, whatever the system's can do; the rows' text form stays the
  // system's. |colours| is where the toolbar's and the
  // check boxes' pictures take their colours from; tests hand over a scheme
  // of their own.
  Win32MainWindow(const Platform& platform, WindowsFamily family, bool commonControls400 = false,
                  PictureColourSource colours = &SystemPictureColours);

  // Creates the window, arms its first load and shows it. False when Windows refused.
  bool Create(HINSTANCE instance, int showCommand);
  // Routes F5 from anywhere in the main window, and the keys of an open
  // dialog; true when the message was used.
  bool TranslateKeys(MSG* message);

  void SetCaption(const std::string& caption) override;
  void SetLoadTimerEnabled(bool enabled) override;
  void SetStatusText(const std::string& text) override { statusBar_.SetText(0, text); }
  bool IsMenuChecked(int menuId) const override;
  void SetMenuChecked(int menuId, bool checked) override;
  void SetMenuEnabled(int menuId, bool enabled) override;
  bool IsToolbarVisible() const override { return IsShown(toolbar_.handle()); }
  void SetToolbarVisible(bool visible) override;
  bool IsStatusBarVisible() const override { return IsShown(statusBar_.handle()); }
  void SetStatusBarVisible(bool visible) override;
  int ClientWidthTwips() const override;
  int ClientHeightTwips() const override;
  void MoveList(const TwipsRect& place) override;
  void EndProgram() override;
  void ShowAboutDialog() override;
  void ShowLegendDialog() override;

 private:
  void OnCreate() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroy() override;
  void EndInterruptedCommand(bool outOfMemory) override { logic_.EndInterruptedCommand(outOfMemory); }
  void OnColoursChanged(WPARAM wParam, LPARAM lParam);
  void CreateList();
  void PlaceBars();
  // Set at creation and by the toggles; unlike IsWindowVisible it does not
  // depend on the main window being shown yet.
  static bool IsShown(HWND control);

  PictureColourSource colours_;
  CommonControlFeatures controls_;
  Win32MessageBoxes boxes_{handleSlot()};  // the delete question and report
  ScopedAccelerators shortcuts_;
  MainStatusBar statusBar_;
  MainToolbar toolbar_;
  Win32ListControl list_;
  MainWindow logic_;
  AboutDialog about_;
  LegendDialog legend_;
};

}  // namespace rw
