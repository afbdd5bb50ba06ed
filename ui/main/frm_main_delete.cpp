// The delete command: confirm, then remove the entries of the checked rows.
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

void FrmMain::DeleteCheckedPass(std::vector<DeleteFailure>* failures) {
  int position = 0;
  while (position < list_.Count()) {
    const StartupItem* item = list_.IsChecked(position) ? ItemAt(position) : nullptr;
    if (item == nullptr || item->source == EntrySource::kStartupOtherFile) {
      ++position;  // unchecked, or listed but never deleted
      continue;
    }
    const long error = DeleteEntry(*item);
    if (error == 0) {
      list_.RemoveRow(position);  // the next row moves up to this position
    } else {
      failures->push_back({*item, FailureReason(error, platform_.system.ErrorText(error))});
      ++position;
    }
  }
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
