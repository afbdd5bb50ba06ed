#pragma once
// The main window's behaviour, written against the platform services, its
// list and its view, so it runs without a real window. The list shows the
// entries of a StartupEntries, one row an entry, and commands act on the
// entries of the rows.
#include <cstdint>
#include <vector>

#include "core/startup_entries.h"
#include "core/windows_version.h"
#include "platform/list_control.h"
#include "platform/platform.h"
#include "ui/main/main_window_view.h"

namespace rw {

extern const char kCreatedCaption[];  // before the first load
extern const char kLoadingStatus[];

class MainWindow : private StartupListSink {
 public:
  // |unicodeRows|: the list shows texts in Unicode, so the rows are ordered
  // by the Unicode collation of what they show.
  MainWindow(const Platform& platform, WindowsFamily family, bool unicodeRows, ListControl& list,
             MainWindowView& view);

  // The command of a menu entry, a toolbar button or the shortcut key, by
  // its id; false for an id of no command.
  bool RunCommand(int id);

  // The window exists: the list is fitted, the caption set, the first load armed.
  void OnCreated();
  void OnFirstLoad();
  void LayoutMainWindow();

  void Refresh();
  void DeleteCheckedItems();
  // From the menu: the order, and the marks that show it.
  void SortAscendingAndMark();
  void SortDescendingAndMark();
  // From the toolbar: the order only.
  void SortAscending();
  void SortDescending();
  void CheckAll();
  void UncheckAll();
  void SetAllChecked(bool checked);
  void ViewLargeIcons();
  void ViewSmallIcons();
  void ViewList();
  void ViewDetails();
  void ToggleStatusBar();
  void ToggleToolbar();
  void ShowLegend();
  void ShowAbout();
  void Exit();

  // After an exception cut the running command short (the window procedure
  // catches it): the list draws again, and a load or a delete ends as a
  // complete one ends, keeping what it had done. A load cut short says so.
  void EndInterruptedCommand(bool outOfMemory);

  const StartupEntries& entries() const { return entries_; }

 private:
  enum class Command { kNone, kLoad, kDelete };

  bool AppendRow(std::uint32_t id, const StartupItem& item) override;
  void Load();
  // Every load and every delete ends here, also one cut short, which
  // |stopReason| says why.
  void EndCommand(Command ended, const std::string& stopReason = std::string());
  // After a load: sorted ascending, the first row selected, "Ready", the marks.
  void FinishLoad();
  // Tells the user when the load just ended may have missed entries.
  void ReportIncompleteLoad(const std::string& stopReason);
  // The first row is selected, and what stayed is reported.
  void FinishDelete(const std::string& stopReason);
  void Sort(bool ascending);
  void MarkSort(bool ascending);
  void SelectFirstRow();
  void ToggleMenuCheck(int menuId);

  Platform platform_;
  WindowsFamily family_;
  bool unicodeRows_;
  ListControl& list_;
  MainWindowView& view_;
  StartupEntries entries_;
  Command running_ = Command::kNone;
  // The running delete: the checked rows' entries, where their rows stood
  // at its start, and where they stand in the running pass.
  DeleteRun deleting_;
  std::vector<int> checkedRows_;
  std::vector<int> unmatchedRows_;  // checked rows whose entry could not be told
  std::vector<int> rowsNow_;
};

}  // namespace rw
