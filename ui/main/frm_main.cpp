#include "ui/main/frm_main.h"

#include "core/startup_collection.h"
#include "core/windows_version.h"

namespace rw {

const char kCreatedCaption[] = "Windows 95/98 Runwarden";
const char kLoadingStatus[] = "Loading Startup Items ...";

void FrmMain::Form_Load() {
  view_.SetCaption(kAppTitle);
  view_.SetLoadTimerEnabled(true);
}

void FrmMain::Timer1_Timer() {
  view_.SetLoadTimerEnabled(false);  // the timed load happens once
  Load();
}

void FrmMain::mnuViewRefresh_Click() {
  list_.Clear();
  Load();
}

void FrmMain::Load() {
  view_.SetStatusText(kLoadingStatus);
  LoadStartupItems(platform_, *this);
}

void FrmMain::AppendRow(const StartupItem& item) {
  list_.AddRow(item.name, item.location, item.information);
}

void FrmMain::SortAscending() { list_.SortByName(true); }

void FrmMain::SelectFirstRow() {
  if (list_.Count() > 0) list_.SetSelected(0, true);
}

void FrmMain::SetStatusText(const std::string& text) { view_.SetStatusText(text); }

void FrmMain::MarkAscendingSort() { view_.SetSortMarks(true, false); }

}  // namespace rw
