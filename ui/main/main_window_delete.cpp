// The delete command: confirm, delete the items of the checked rows, and
// report what stayed; and Undo, which puts back what deletes took away.
#include "core/delete_report.h"
#include "res/resource.h"
#include "ui/main/main_window.h"

namespace rw {

void MainWindow::DeleteCheckedItems() {
  if (running_ != Command::kNone) return;
  // Running from the question on: a load the timer starts meanwhile waits.
  running_ = Command::kDelete;
  deleting_ = DeleteRun(undo_.Room());
  if (platform_.messages.Show(kDeleteQuestion, kAppTitle, kMbYesNo | kMbIconQuestion) != kIdYes) {
    running_ = Command::kNone;
    return;
  }
  const int count = list_.Count();
  for (int position = 0; position < count; ++position) {
    if (!list_.IsChecked(position)) continue;
    std::uint32_t id = 0;
    // A row whose item cannot be told stays, checked, and is named in the report.
    const bool known = list_.RowId(position, &id) && inventory_.Find(id) != nullptr;
    deleting_.AddCheckedRow(position, id, known);
  }
  list_.SetRedraw(false);
  while (deleting_.RunPass(inventory_, platform_, *this)) {
  }
  EndCommand(Command::kDelete);
}

void MainWindow::UndoDelete() {
  if (running_ != Command::kNone || !undo_.CanUndo()) return;
  running_ = Command::kUndo;
  const std::u16string report = undo_.PutBackLast(platform_);
  view_.SetMenuEnabled(IDM_UNDO_DELETE, undo_.CanUndo());
  running_ = Command::kNone;
  Load();
  if (!report.empty()) platform_.messages.ShowUnicode(report, kAppTitle, kMbOk | kMbIconWarning);
}

}  // namespace rw
