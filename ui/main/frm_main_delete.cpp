// The delete command: confirm, then remove the entries of the checked rows.
#include <algorithm>

#include "core/registry_values.h"
#include "core/startup_collection.h"
#include "core/windows_version.h"
#include "ui/main/delete_report.h"
#include "ui/main/frm_main.h"

namespace rw {

namespace {
constexpr int kDeletePasses = 10;
}  // namespace

void FrmMain::mnuDeleteCheckedItems_Click() { DeleteCheckedItems(); }

void FrmMain::DeleteCheckedItems() {
  if (platform_.messages.Show(kDeleteQuestion, kAppTitle, kMbYesNo | kMbIconQuestion) != kIdYes) {
    return;
  }
  // Later passes retry only what an earlier one could not delete; what the
  // last one could not delete is reported.
  std::vector<DeleteFailure> failures;
  list_.SetRedraw(false);
  running_ = Command::kDelete;
  for (int pass = 0; pass < kDeletePasses; ++pass) {
    failures.clear();
    DeleteCheckedPass(&failures);
    if (failures.empty()) break;
  }
  EndCommand(Command::kDelete);
  if (!failures.empty()) {
    platform_.messages.Show(DeleteFailureReport(failures), kAppTitle, kMbOk | kMbIconWarning);
  }
}

// From the last row up: a removed row moves none of those still to visit,
// and the list shifts nothing after it, so a delete grows with the rows.
void FrmMain::DeleteCheckedPass(std::vector<DeleteFailure>* failures) {
  const std::size_t firstFailure = failures->size();
  for (int position = list_.Count() - 1; position >= 0; --position) {
    const StartupItem* item = list_.IsChecked(position) ? ItemAt(position) : nullptr;
    if (item == nullptr || item->source == EntrySource::kStartupOtherFile) continue;
    const long error = DeleteEntry(*item);
    if (error == 0) {
      list_.RemoveRow(position);
    } else {
      failures->push_back({*item, FailureReason(error, platform_.system.ErrorText(error))});
    }
  }
  // Reported in the list's order.
  std::reverse(failures->begin() + static_cast<std::ptrdiff_t>(firstFailure), failures->end());
}

// 0 when the entry is gone (its file deleted, or its value deleted or already
// missing), otherwise the system's error code. The entry is addressed by its
// exact name or path, never by the list's text, which may have lost
// characters the ANSI code page cannot hold and so name another entry.
long FrmMain::DeleteEntry(const StartupItem& item) {
  switch (item.source) {
    case EntrySource::kStartupShortcut:
      return platform_.files.RemoveFile(item.identity);
    case EntrySource::kMachineRun:
      return DeleteRegistryValue(platform_.registry, kHkeyLocalMachine, RunKeyPath, item.identity);
    case EntrySource::kUserRun:
      return DeleteRegistryValue(platform_.registry, kHkeyCurrentUser, RunKeyPath, item.identity);
    case EntrySource::kStartupOtherFile:
      break;
  }
  return kFileRemoved;  // never asked: such files are not deleted
}

}  // namespace rw
