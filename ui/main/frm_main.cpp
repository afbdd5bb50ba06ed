#include "ui/main/frm_main.h"

#include <utility>

#include "core/startup_collection.h"
#include "core/windows_version.h"
#include "res/resource.h"
#include "ui/main/load_report.h"

namespace rw {

const char kCreatedCaption[] = "Windows 95/98 Runwarden";
const char kLoadingStatus[] = "Loading Startup Items ...";

void FrmMain::Form_Load() {
  LayoutMainWindow();
  view_.SetCaption(kAppTitle);
  view_.SetLoadTimerEnabled(true);
}

void FrmMain::Timer1_Timer() {
  view_.SetLoadTimerEnabled(false);  // the timed load happens once
  Load();
}

void FrmMain::LayoutMainWindow() {
  view_.MoveList(ComputeListPlacement(view_.IsToolbarVisible(), view_.IsStatusBarVisible(),
                                      view_.ClientWidthTwips(), view_.ClientHeightTwips()));
}

void FrmMain::mnuViewRefresh_Click() {
  list_.Clear();
  items_.clear();
  Load();
}

// A bar's entry inverts its own mark rather than copying the bar's state:
// both start shown and checked, so the two always agree.
void FrmMain::ToggleMenuCheck(int menuId) {
  view_.SetMenuChecked(menuId, !view_.IsMenuChecked(menuId));
}

void FrmMain::mnuViewStatusBar_Click() {
  view_.SetStatusBarVisible(!view_.IsStatusBarVisible());
  ToggleMenuCheck(IDM_VIEW_STATUS_BAR);
  LayoutMainWindow();
}

void FrmMain::mnuViewToolbar_Click() {
  view_.SetToolbarVisible(!view_.IsToolbarVisible());
  ToggleMenuCheck(IDM_VIEW_TOOLBAR);
  LayoutMainWindow();
}

void FrmMain::mnuExit_Click() { view_.EndProgram(); }
void FrmMain::mnuAbout_Click() { view_.ShowAboutDialog(); }
void FrmMain::mnuInfoLegend_Click() { view_.ShowLegendDialog(); }

void FrmMain::Load() {
  view_.SetStatusText(kLoadingStatus);
  // The list draws once, whole, when every row is in.
  list_.SetRedraw(false);
  running_ = Command::kLoad;
  refusedRows_ = 0;
  AppendStartupItems(platform_, *this);
  EndCommand(Command::kLoad);
  ReportIncompleteLoad("");
}

// The list draws again. What a load read is shown sorted, as a complete load
// shows it, and before the list draws; after a delete the first row is selected.
void FrmMain::EndCommand(Command ended) {
  running_ = Command::kNone;
  if (ended == Command::kLoad) FinishStartupList(*this);
  list_.SetRedraw(true);
  if (ended == Command::kDelete) SelectFirstRow();
}

// After the list is drawn, so the user sees what the message speaks of.
void FrmMain::ReportIncompleteLoad(const std::string& stopReason) {
  if (stopReason.empty() && refusedRows_ == 0) return;
  platform_.messages.Show(IncompleteLoadReport(stopReason, refusedRows_), kAppTitle,
                          kMbOk | kMbIconWarning);
}

void FrmMain::EndInterruptedCommand(bool outOfMemory) {
  const Command interrupted = running_;
  // The list draws again even when ending the command fails too.
  running_ = Command::kNone;
  list_.SetRedraw(true);
  if (interrupted == Command::kNone) return;
  EndCommand(interrupted);
  if (interrupted == Command::kLoad) {
    ReportIncompleteLoad(outOfMemory ? FailureReason(kErrorNotEnoughMemory,
                                                     platform_.system.ErrorText(kErrorNotEnoughMemory))
                                     : kUnexpectedFailure);
  }
}

void FrmMain::AppendRow(StartupItem item) {
  items_.push_back(std::move(item));
  const StartupItem& added = items_.back();
  if (list_.AddRow(added.name, added.location, added.information,
                   static_cast<std::uint32_t>(items_.size())) < 0) {
    ++refusedRows_;
  }
}

const StartupItem* FrmMain::ItemAt(int position) const {
  const std::uint32_t key = list_.Key(position);
  return key >= 1 && key <= items_.size() ? &items_[key - 1] : nullptr;
}

void FrmMain::SortAscending() { list_.SortByName(true); }

void FrmMain::SelectFirstRow() {
  if (list_.Count() > 0) list_.SetSelected(0, true);
}

void FrmMain::SetStatusText(const std::string& text) { view_.SetStatusText(text); }

void FrmMain::MarkAscendingSort() {
  view_.SetMenuChecked(IDM_VIEW_ASCENDING, true);
  view_.SetMenuChecked(IDM_VIEW_DESCENDING, false);
}

}  // namespace rw
