#pragma once
// The main window's behaviour, written against the platform services, its
// list and its view, so it runs without a real window. The list shows the
// items of a StartupInventory, one row an item, and commands act on the
// items of the rows.
#include <cstdint>
#include <vector>

#include "core/delete_run.h"
#include "core/startup_inventory.h"
#include "core/undo_history.h"
#include "core/windows_version.h"
#include "platform/list_control.h"
#include "platform/platform.h"
#include "ui/main/main_window_view.h"

namespace rw {

extern const char kCreatedCaption[];  // before the first load
extern const char kLoadingStatus[];

class MainWindow : private DeletedRows {
 public:
  // |unicodeRows|: the list shows texts in Unicode, so the rows are ordered
  // by the Unicode collation of what they show.
  MainWindow(const Platform& platform, WindowsFamily family, bool unicodeRows, ListControl& list,
             MainWindowView& view);

  // The command of a menu item, a toolbar button or the shortcut key, by
  // its id; false for an id of no command.
  bool RunCommand(int id);

  // The window exists: the list is fitted, the caption set, the first load armed.
  void OnCreated();
  // The timer's load; a load that ran before it, F5's, has ended it.
  void OnFirstLoad();
  void LayoutMainWindow();

  // Both are ignored while a load or a delete runs: one that asks the user
  // something lets the timer and other windows' messages in meanwhile.
  void Refresh();
  void DeleteCheckedItems();
  // Puts back what the most recent delete that removed anything took away,
  // then loads the list again, as F5 does.
  void UndoDelete();
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

  const StartupInventory& inventory() const { return inventory_; }

 private:
  enum class Command { kNone, kLoad, kDelete, kUndo };
  // What kept a step of ending a command from its work; kept without
  // memory, since lack of memory is what it most often is.
  enum class Shortfall : std::uint8_t { kNone, kOutOfMemory, kUnexpected };

  void RowsDeleted(const std::vector<int>& positions) override { list_.RemoveRows(positions); }
  void Load();
  // Every load and every delete ends here, also one cut short, which
  // |cutShort| says why. Each finishing step runs whatever the steps before
  // it met, and the report says what one could not do.
  void EndCommand(Command ended, Shortfall cutShort = Shortfall::kNone);
  // Runs one finishing step, trying it |tries| times; what stopped it is kept
  // in |*shortfall|, unless an earlier step's already is.
  template <class Step>
  static void Attempt(Step step, Shortfall* shortfall, int tries = 2) noexcept;
  // The report of the command just ended, or, when even that cannot be
  // made, a short message that needs no memory to say so.
  void Report(Command ended, Shortfall shortfall, bool sortedByCollation);
  // Shows the items of the load, sorted by name; false when the order had to
  // do without the system's collation.
  bool ShowSorted();
  // Sorts; false when the order had to do without the system's collation.
  bool Sort(bool ascending);
  void MarkSort(bool ascending);
  void SelectFirstRow();
  void ToggleMenuCheck(int menuId);

  Platform platform_;
  WindowsFamily family_;
  bool unicodeRows_;
  ListControl& list_;
  MainWindowView& view_;
  StartupInventory inventory_;
  Command running_ = Command::kNone;
  bool loadedOnce_ = false;
  DeleteRun deleting_;  // the running delete, or the last one
  UndoHistory undo_;
};

}  // namespace rw
