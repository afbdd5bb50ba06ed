#pragma once
// The main window's behaviour, written against the platform services, its list
// and its view, so it runs without a real window.
#include <string>
#include <vector>

#include "core/startup_list_sink.h"
#include "platform/list_control.h"
#include "platform/platform.h"
#include "ui/main/delete_report.h"
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
  void mnuAbout_Click();
  void mnuInfoLegend_Click();

  // Deleting the checked rows' entries.
  void mnuDeleteCheckedItems_Click();

  // Commands that change only the list.
  void mnuViewAscending_Click();
  void mnuViewDescending_Click();
  void mnuViewCheckAll_Click();
  void mnuViewUncheckAll_Click();
  void SetAllChecked(bool checked);
  void Toolbar1_ButtonClick(const std::string& key);

  // After an exception cut the running command short (the window procedure
  // catches it): the list draws again, and a load or a delete ends as a
  // complete one ends, keeping what it had done. A load cut short says so.
  void EndInterruptedCommand(bool outOfMemory);

  // The collection fills the window through these.
  void AppendRow(StartupItem item) override;
  void SortAscending() override;
  void SelectFirstRow() override;
  void SetStatusText(const std::string& text) override;
  void MarkAscendingSort() override;

 private:
  enum class Command { kNone, kLoad, kDelete };

  void Load();
  // Every load and every delete ends here, also one cut short.
  void EndCommand(Command ended);
  // Tells the user when the load just ended may have missed entries.
  void ReportIncompleteLoad(const std::string& stopReason);
  void ToggleMenuCheck(int menuId);
  void DeleteCheckedItems();
  // One walk over the rows; |failures| receives the checked rows it could not delete.
  void DeleteCheckedPass(std::vector<DeleteFailure>* failures);
  long DeleteEntry(const StartupItem& item);
  // The entry the row at |position| shows; nullptr for a row of no entry.
  const StartupItem* ItemAt(int position) const;
  void SortFromMenu(bool ascending);

  Platform platform_;
  ListControl& list_;
  MainWindowView& view_;
  Command running_ = Command::kNone;
  // The entries of the rows since the last load; a row's key is its index + 1.
  std::vector<StartupItem> items_;
  int refusedRows_ = 0;  // by the list, in the running load
};

}  // namespace rw
