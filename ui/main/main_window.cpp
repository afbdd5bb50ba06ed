#include "ui/main/main_window.h"

#include <new>

#include "core/load_report.h"
#include "core/report_words.h"
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
    {IDM_UNDO_DELETE, &MainWindow::UndoDelete},
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
  list_.SetRowTexts(inventory_);
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
  view_.SetMenuEnabled(IDM_UNDO_DELETE, false);  // nothing deleted yet
  view_.SetLoadTimerEnabled(true);
  platform_.background.Prepare();  // while the first load waits, not in it
}

// A tick already on its way when F5's load ended the timer loads nothing.
void MainWindow::OnFirstLoad() {
  if (!loadedOnce_) Load();
}

void MainWindow::LayoutMainWindow() {
  view_.MoveList(ComputeListPlacement(view_.IsToolbarVisible(), view_.IsStatusBarVisible(),
                                      view_.ClientWidthTwips(), view_.ClientHeightTwips()));
}

void MainWindow::Refresh() { Load(); }

// A bar's item inverts its own mark rather than copying the bar's state:
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
  // A load waits for the command that runs to end; the timer fires again.
  if (running_ != Command::kNone) return;
  running_ = Command::kLoad;
  loadedOnce_ = true;
  view_.SetLoadTimerEnabled(false);  // any load is the first one: the timed load comes once at most
  view_.SetStatusText(kLoadingStatus);
  // The list draws once, whole, when every row is in.
  list_.SetRedraw(false);
  list_.Clear();  // every load starts from an empty list, before the old items go
  inventory_.LoadStartupItems(platform_, family_, unicodeRows_);
  EndCommand(Command::kLoad);
}

// A step is tried a second time: unwinding the first gave back what it had
// taken, which is often enough for a step that needs little.
template <class Step>
void MainWindow::Attempt(Step step, Shortfall* shortfall, int tries) noexcept {
  Shortfall met = Shortfall::kNone;
  for (int attempt = 0; attempt < tries; ++attempt) {
    try {
      step();
      return;
    } catch (const std::bad_alloc&) {
      met = Shortfall::kOutOfMemory;
    } catch (...) {
      met = Shortfall::kUnexpected;
    }
  }
  if (*shortfall == Shortfall::kNone) *shortfall = met;
}

// What a load read is shown sorted, as a complete load shows it, and before
// the list draws (the list holds no rows while the items are read); after a delete the first row is selected. The report comes
// once the list is drawn, so the user sees what it speaks of.
void MainWindow::EndCommand(Command ended, Shortfall cutShort) {
  Shortfall finishing = Shortfall::kNone;
  bool sortedByCollation = true;
  if (ended == Command::kLoad) {
    Attempt([&] { sortedByCollation = ShowSorted(); }, &finishing);
    Attempt([&] { SelectFirstRow(); }, &finishing);
    Attempt([&] { view_.SetStatusText("Ready"); }, &finishing);
    Attempt([&] { MarkSort(true); }, &finishing);
  } else {
    Attempt([&] { SelectFirstRow(); }, &finishing);
  }
  Attempt([&] { list_.SetRedraw(true); }, &finishing);
  Report(ended, cutShort != Shortfall::kNone ? cutShort : finishing, sortedByCollation);
  if (ended == Command::kDelete) {
    Shortfall keeping = Shortfall::kNone;
    Attempt([&] { undo_.Keep(deleting_.TakeAway()); }, &keeping, 1);
    Attempt([&] { view_.SetMenuEnabled(IDM_UNDO_DELETE, undo_.CanUndo()); }, &keeping);
  }
  running_ = Command::kNone;
}

namespace {

long ErrorCodeOf(bool outOfMemory) { return outOfMemory ? kErrorNotEnoughMemory : kErrorUnexpected; }

// Said when not even the report could be made.
const char kReportFailed[] =
    "There was not enough memory to say what the last command could not do. "
    "Refresh (F5) reads the startup items again.";

}  // namespace

void MainWindow::Report(Command ended, Shortfall shortfall, bool sortedByCollation) {
  Shortfall reporting = Shortfall::kNone;
  Attempt(
      [&] {
        std::u16string stopReason;
        if (shortfall != Shortfall::kNone) {
          stopReason = FailureReason(ErrorCodeOf(shortfall == Shortfall::kOutOfMemory), platform_.system);
        }
        std::u16string report = ended == Command::kLoad
                                    ? LoadReport(inventory_.Problems(), stopReason, platform_.system)
                                    : deleting_.Report(inventory_, stopReason, platform_.system);
        if (!sortedByCollation) {
          report += (report.empty() ? u"" : u"\n\n");
          report += u"There was not enough memory to order the names as Windows does: "
                    u"they are in the order of their characters' codes.";
        }
        if (!report.empty()) platform_.messages.ShowUnicode(report, kAppTitle, kMbOk | kMbIconWarning);
      },
      &reporting, 1);
  if (reporting != Shortfall::kNone) {
    Attempt([&] { platform_.messages.Show(kReportFailed, kAppTitle, kMbOk | kMbIconWarning); }, &reporting);
  }
}

void MainWindow::EndInterruptedCommand(bool outOfMemory) {
  const Command interrupted = running_;
  if (interrupted == Command::kUndo) running_ = Command::kNone;  // what went back is there; F5 shows it
  if (interrupted == Command::kNone || interrupted == Command::kUndo) {
    Shortfall ignored = Shortfall::kNone;
    Attempt([&] { list_.SetRedraw(true); }, &ignored);  // the list draws again in any case
    return;
  }
  EndCommand(interrupted, outOfMemory ? Shortfall::kOutOfMemory : Shortfall::kUnexpected);
}

void MainWindow::SelectFirstRow() {
  if (list_.Count() > 0) list_.SetSelected(0, true);
}

// The rows go in already in order: no list needs to sort them after.
bool MainWindow::ShowSorted() {
  const NameOrder& order = inventory_.Order(platform_.system, unicodeRows_);
  std::vector<std::uint32_t> ids = inventory_.Ids();
  if (!order.SortAscending(&ids)) SortByOrder(&ids, order, true, [](std::uint32_t id) { return id; });
  const std::size_t count = ids.size();
  inventory_.CountRefusedRows(count - list_.ShowRows(std::move(ids)));
  return order.Keyed();
}

bool MainWindow::Sort(bool ascending) {
  const NameOrder& order = inventory_.Order(platform_.system, unicodeRows_);
  list_.SortRows(order, ascending);
  return order.Keyed();
}

void MainWindow::MarkSort(bool ascending) {
  view_.SetMenuChecked(IDM_SORT_ASCENDING, ascending);
  view_.SetMenuChecked(IDM_SORT_DESCENDING, !ascending);
}

}  // namespace rw
