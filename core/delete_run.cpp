#include "core/delete_run.h"

#include <algorithm>
#include <utility>

#include "core/delete_report.h"
#include "core/report_words.h"

namespace rw {

namespace {
constexpr int kDeletePasses = 10;
}  // namespace

void DeleteRun::AddCheckedRow(int position, std::uint32_t id, bool known) {
  rows_.push_back({position, id, known, DeleteState::kNotReached, 0, 0, -1});
}

bool DeleteRun::PassLeft() const {
  if (passes_ >= kDeletePasses) return false;
  for (const CheckedRow& row : rows_) {
    if (row.known && (row.state == DeleteState::kNotReached || row.state == DeleteState::kFailed)) return true;
  }
  return false;
}

bool DeleteRun::RunPass(const StartupInventory& inventory, const Platform& platform, DeletedRows& rows) {
  if (!PassLeft()) return false;
  ++passes_;
  // A row stands where it stood at the start, less the rows above it that
  // went in earlier passes: this pass removes only rows below it first.
  int goneAbove = 0;
  for (const CheckedRow& row : rows_) goneAbove += row.state == DeleteState::kDeleted ? 1 : 0;
  // Room for every row of the pass before anything goes, so telling needs no memory.
  std::vector<int> gone;
  gone.reserve(rows_.size());
  // Each Run key is opened once a pass, for every value of it.
  RunKeyOfPass runKeys[2] = {RunKeyOfPass(platform.registry), RunKeyOfPass(platform.registry)};
  try {
    for (std::size_t i = rows_.size(); i-- > 0;) {
      if (rows_[i].state == DeleteState::kDeleted) {
        --goneAbove;  // gone in an earlier pass, and above none of the rows still to visit
        continue;
      }
      if (DeleteOne(inventory, platform, runKeys, &rows_[i])) gone.push_back(rows_[i].position - goneAbove);
    }
  } catch (...) {
    rows.RowsDeleted(gone);  // what went is gone from the list too
    throw;
  }
  rows.RowsDeleted(gone);
  return true;
}

bool DeleteRun::DeleteOne(const StartupInventory& inventory, const Platform& platform, RunKeyOfPass* runKeys,
                          CheckedRow* row) {
  if (!row->known || (row->state != DeleteState::kNotReached && row->state != DeleteState::kFailed)) {
    return false;
  }
  const StartupItem* item = inventory.Find(row->id);
  if (item == nullptr) {
    row->known = false;  // an item of no load of this list: named by its row
    return false;
  }
  if (item->source() == ItemSource::kStartupOtherFile) {
    row->state = DeleteState::kNeverDeleted;
    return false;
  }
  RunKeyOfPass& runKey = runKeys[item->source() == ItemSource::kUserRun ? 1 : 0];
  // Read before its first delete, as it was when the user checked it.
  if (row->state == DeleteState::kNotReached) {
    TakenItem taken{*item, 0, {}};
    row->readError = ReadStartupItemExactly(platform, runKey, *item, std::min(kMaxBytesPerItem, room_), &taken);
    if (row->readError == kErrorFileTooLarge) row->readError = kErrorTooLargeToKeep;
    if (row->readError == 0) {
      room_ -= std::min(room_, taken.contents.bytes.size());
      row->taken = static_cast<int>(taken_.size());
      taken_.push_back(std::move(taken));
    }
  }
  row->error = DeleteStartupItemInPass(platform, runKey, *item);
  row->state = row->error == 0 ? DeleteState::kDeleted : DeleteState::kFailed;
  return row->state == DeleteState::kDeleted;
}

std::u16string DeleteRun::Report(const StartupInventory& inventory, const std::u16string& stopReason,
                                 SystemQueries& system) const {
  std::vector<DeleteFailure> failures;
  for (const CheckedRow& row : rows_) {
    const StartupItem* item = row.known ? inventory.Find(row.id) : nullptr;
    if (item == nullptr || (row.state != DeleteState::kFailed && row.state != DeleteState::kNotReached)) {
      continue;
    }
    failures.push_back({UnicodeShown(item->Text(kColumnName), system),
                        UnicodeShown(item->Text(kColumnLocation), system),
                        row.state == DeleteState::kNotReached
                            ? std::u16string(u"The delete stopped before it came to this item.")
                            : FailureReason(row.error, system)});
  }
  std::vector<DeleteFailure> notKept;
  for (const CheckedRow& row : rows_) {
    const StartupItem* item = row.known ? inventory.Find(row.id) : nullptr;
    // A value or file found gone when it was read was taken by no delete.
    if (item == nullptr || row.state != DeleteState::kDeleted || row.readError == 0 ||
        row.readError == kErrorFileNotFound) {
      continue;
    }
    notKept.push_back({UnicodeShown(item->Text(kColumnName), system), UnicodeShown(item->Text(kColumnLocation), system),
                       FailureReason(row.readError, system)});
  }
  int gone = 0;  // rows above that went: a row is named where it stands now
  for (const CheckedRow& row : rows_) {
    if (row.state == DeleteState::kDeleted) ++gone;
    if (row.known) continue;
    failures.push_back({u"Row " + Decimal(static_cast<std::size_t>(row.position - gone) + 1), u"?",
                        u"The program could not tell which entry this row shows."});
  }
  if (failures.empty() && notKept.empty() && stopReason.empty()) return std::u16string();
  std::u16string report;
  if (!failures.empty() || notKept.empty()) report = DeleteFailureReport(failures);
  if (!notKept.empty()) {
    report += report.empty() ? u"" : u"\n\n";
    report += ItemListReport(u"These items were deleted, but Undo cannot put them back:\n", notKept);
  }
  if (!stopReason.empty()) report += u"\n\nDeleting stopped early: " + stopReason;
  return report;
}

std::vector<TakenItem> DeleteRun::TakeAway() {
  std::vector<TakenItem> away;
  for (const CheckedRow& row : rows_) {
    if (row.state == DeleteState::kDeleted && row.taken >= 0) away.push_back(std::move(taken_[row.taken]));
  }
  taken_.clear();
  return away;
}

}  // namespace rw
