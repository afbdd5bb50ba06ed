#pragma once
// The main window's behaviour, written against the platform services, its list
// and its view, so it runs without a real window.
#include "core/startup_list_sink.h"
#include "platform/list_control.h"
#include "platform/platform.h"
#include "ui/main/main_window_view.h"

namespace rw {

extern const char kCreatedCaption[];  // before the first load
extern const char kLoadingStatus[];

class FrmMain : public StartupListSink {
 public:
  FrmMain(const Platform& platform, ListControl& list, MainWindowView& view)
      : platform_(platform), list_(list), view_(view) {}

  void Form_Load();
  void Timer1_Timer();
  void LayoutMainWindow();
  void mnuViewRefresh_Click();
  void mnuViewStatusBar_Click();
  void mnuViewToolbar_Click();
  void mnuExit_Click();

  // The collection fills the window through these.
  void AppendRow(const StartupItem& item) override;
  void SortAscending() override;
  void SelectFirstRow() override;
  void SetStatusText(const std::string& text) override;
  void MarkAscendingSort() override;

 private:
  void Load();
  void ToggleMenuCheck(int menuId);

  Platform platform_;
  ListControl& list_;
  MainWindowView& view_;
};

}  // namespace rw
