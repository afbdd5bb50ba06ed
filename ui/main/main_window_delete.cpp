// The delete command: confirm, delete the entries of the checked rows, and
// report what stayed.
#include "core/delete_report.h"
#include "ui/main/main_window.h"

namespace rw {

void MainWindow::DeleteCheckedItems() {
  if (platform_.messages.Show(kDeleteQuestion, kAppTitle, kMbYesNo | kMbIconQuestion) != kIdYes) {
    return;
  }
  deleting_ = DeleteRun();
  checkedRows_.clear();
  unmatchedRows_.clear();
  const int count = list_.Count();
  for (int position = 0; position < count; ++position) {
    if (!list_.IsChecked(position)) continue;
    std::uint32_t id = 0;
    if (!list_.RowId(position, &id) || entries_.Find(id) == nullptr) {
      unmatchedRows_.push_back(position);  // stays, checked, and is named in the report
      continue;
    }
    deleting_.results.push_back({id, DeleteState::kNotReached, 0});
    checkedRows_.push_back(position);
  }
  rowsNow_ = checkedRows_;
  list_.SetRedraw(false);
  running_ = Command::kDelete;
  // A pass goes from the last row up: a row that leaves moves none of those
  // still to visit in that pass; the next pass finds the rest moved up.
  while (entries_.DeleteNextPass(platform_, &deleting_,
                                 [this](std::size_t i) { list_.RemoveRow(rowsNow_[i]); })) {
    int gone = 0;
    for (std::size_t i = 0; i < deleting_.results.size(); ++i) {
      rowsNow_[i] = checkedRows_[i] - gone;
      if (deleting_.results[i].state == DeleteState::kDeleted) ++gone;
    }
  }
  EndCommand(Command::kDelete);
}

void MainWindow::FinishDelete(const std::string& stopReason) {
  SelectFirstRow();
  const std::u16string report =
      DeleteReport(entries_, deleting_.results, unmatchedRows_, stopReason, platform_.system);
  deleting_ = DeleteRun();
  unmatchedRows_.clear();
  if (!report.empty()) platform_.messages.ShowUnicode(report, kAppTitle, kMbOk | kMbIconWarning);
}

}  // namespace rw
