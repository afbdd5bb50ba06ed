#include "ui/main/main_window.h"

#include "core/delete_report.h"
#include "core/load_report.h"
#include "res/resource.h"

namespace rw {

const char kCreatedCaption[] = "Windows 95/98 Runwarden";
const char kLoadingStatus[] = "Loading Startup Items ...";

namespace {

// Each command once, whichever of the menu, the toolbar or the shortcut key sent it.
struct CommandHandler {
  int id;
  void (MainWindow::*run)();
};

constexpr CommandHandler kCommands[] = {
    {IDM_EXIT, &MainWindow::Exit},
    {IDM_SORT_ASCENDING, &MainWindow::SortAscendingAndMark},
    {IDM_SORT_DESCENDING, &MainWindow::SortDescendingAndMark},
    {IDM_STATUS_BAR, &MainWindow::ToggleStatusBar},
    {IDM_TOOLBAR, &MainWindow::ToggleToolbar},
    {IDM_REFRESH, &MainWindow::Refresh},
    {IDM_CHECK_ALL, &MainWindow::CheckAll},
    {IDM_UNCHECK_ALL, &MainWindow::UncheckAll},
    {IDM_DELETE_CHECKED_ITEMS, &MainWindow::DeleteCheckedItems},
    {IDM_INFORMATION_LEGEND, &MainWindow::ShowLegend},
    {IDM_ABOUT, &MainWindow::ShowAbout},
    {IDM_TOOLBAR_SORT_ASCENDING, &MainWindow::SortAscending},
    {IDM_TOOLBAR_SORT_DESCENDING, &MainWindow::SortDescending},
    {IDM_VIEW_SMALL_ICONS, &MainWindow::ViewSmallIcons},
    {IDM_VIEW_LARGE_ICONS, &MainWindow::ViewLargeIcons},
    {IDM_VIEW_LIST, &MainWindow::ViewList},
    {IDM_VIEW_DETAILS, &MainWindow::ViewDetails},
};

}  // namespace

MainWindow::MainWindow(const Platform& platform, WindowsFamily family, bool unicodeRows,
                       ListControl& list, MainWindowView& view)
    : platform_(platform), family_(family), unicodeRows_(unicodeRows), list_(list), view_(view) {
  list_.SetRowTexts(entries_);
}

bool MainWindow::RunCommand(int id) {
  for (const CommandHandler& command : kCommands) {
    if (command.id == id) {
      (this->*command.run)();
      return true;
    }
  }
  return false;
}

void MainWindow::OnCreated() {
  LayoutMainWindow();
  view_.SetCaption(kAppTitle);
  view_.SetLoadTimerEnabled(true);
}

void MainWindow::OnFirstLoad() {
  view_.SetLoadTimerEnabled(false);  // the timed load happens once
  Load();
}

void MainWindow::LayoutMainWindow() {
  view_.MoveList(ComputeListPlacement(view_.IsToolbarVisible(), view_.IsStatusBarVisible(),
                                      view_.ClientWidthTwips(), view_.ClientHeightTwips()));
}

void MainWindow::Refresh() {
  list_.Clear();  // before its entries go
  entries_.Clear();
  Load();
}

// A bar's entry inverts its own mark rather than copying the bar's state:
// both start shown and checked, so the two always agree.
void MainWindow::ToggleMenuCheck(int menuId) {
  view_.SetMenuChecked(menuId, !view_.IsMenuChecked(menuId));
}

void MainWindow::ToggleStatusBar() {
  view_.SetStatusBarVisible(!view_.IsStatusBarVisible());
  ToggleMenuCheck(IDM_STATUS_BAR);
  LayoutMainWindow();
}

void MainWindow::ToggleToolbar() {
  view_.SetToolbarVisible(!view_.IsToolbarVisible());
  ToggleMenuCheck(IDM_TOOLBAR);
  LayoutMainWindow();
}

void MainWindow::Exit() { view_.EndProgram(); }
void MainWindow::ShowAbout() { view_.ShowAboutDialog(); }
void MainWindow::ShowLegend() { view_.ShowLegendDialog(); }

void MainWindow::Load() {
  view_.SetStatusText(kLoadingStatus);
  // The list draws once, whole, when every row is in.
  list_.SetRedraw(false);
  running_ = Command::kLoad;
  entries_.LoadStartupItems(platform_, family_, *this);
  EndCommand(Command::kLoad);
}

bool MainWindow::AppendRow(std::uint32_t id, const StartupItem&) { return list_.AddRow(id) >= 0; }

// The list draws again. What a load read is shown sorted, as a complete load
// shows it, and before the list draws; after a delete the first row is selected.
void MainWindow::EndCommand(Command ended, const std::string& stopReason) {
  running_ = Command::kNone;
  if (ended == Command::kLoad) FinishLoad();
  list_.SetRedraw(true);
  if (ended == Command::kLoad) ReportIncompleteLoad(stopReason);
  if (ended == Command::kDelete) FinishDelete(stopReason);
}

void MainWindow::FinishLoad() {
  Sort(true);
  SelectFirstRow();
  view_.SetStatusText("Ready");
  MarkSort(true);
}

// After the list is drawn, so the user sees what the message speaks of.
void MainWindow::ReportIncompleteLoad(const std::string& stopReason) {
  const std::u16string report = LoadReport(entries_.Problems(), stopReason, platform_.system);
  if (!report.empty()) platform_.messages.ShowUnicode(report, kAppTitle, kMbOk | kMbIconWarning);
}

void MainWindow::EndInterruptedCommand(bool outOfMemory) {
  const Command interrupted = running_;
  // The list draws again even when ending the command fails too.
  running_ = Command::kNone;
  list_.SetRedraw(true);
  if (interrupted == Command::kNone) return;
  EndCommand(interrupted, outOfMemory ? FailureReason(kErrorNotEnoughMemory,
                                                      platform_.system.ErrorText(kErrorNotEnoughMemory))
                                      : kUnexpectedFailure);
}

void MainWindow::SelectFirstRow() {
  if (list_.Count() > 0) list_.SetSelected(0, true);
}

void MainWindow::Sort(bool ascending) {
  list_.SortRows(entries_.Order(platform_.system, unicodeRows_), ascending);
}

void MainWindow::MarkSort(bool ascending) {
  view_.SetMenuChecked(IDM_SORT_ASCENDING, ascending);
  view_.SetMenuChecked(IDM_SORT_DESCENDING, !ascending);
}

}  // namespace rw
