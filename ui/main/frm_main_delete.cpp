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

bool EndsWith(const std::string& text, const char* tail) {
  const std::string end = tail;
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

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
  EndDelete();
  if (!failures.empty()) {
    platform_.messages.Show(DeleteFailureReport(failures), kAppTitle, kMbOk | kMbIconWarning);
  }
}

// Every delete ends here, also one cut short.
void FrmMain::EndDelete() {
  running_ = Command::kNone;
  list_.SetRedraw(true);
  if (list_.Count() > 0) list_.SetSelected(0, true);
}

// From the last row up: a removed row moves none of those still to visit,
// and the list shifts nothing after it, so a delete grows with the rows.
void FrmMain::DeleteCheckedPass(std::vector<DeleteFailure>* failures) {
  const std::size_t firstFailure = failures->size();
  for (int position = list_.Count() - 1; position >= 0; --position) {
    if (!list_.IsChecked(position)) continue;
    const std::string information = list_.Text(position, kColumnInformation);
    const bool deletable = information == SourceTag::kShortcut || EndsWith(information, "HKCU") ||
                           EndsWith(information, "HKLM");
    if (!deletable) continue;  // listed, never deleted
    const long error = DeleteEntryOf(position, information);
    if (error == 0) {
      list_.RemoveRow(position);
    } else {
      failures->push_back({{list_.Text(position, kColumnName), list_.Text(position, kColumnLocation),
                            information},
                           FailureReason(error, platform_.system.ErrorText(error))});
    }
  }
  // Reported in the list's order.
  std::reverse(failures->begin() + static_cast<std::ptrdiff_t>(firstFailure), failures->end());
}

// 0 when the row's entry is gone (its file deleted, or its value deleted or
// already missing), otherwise the system's error code.
long FrmMain::DeleteEntryOf(int position, const std::string& information) {
  if (information == SourceTag::kShortcut) {
    return platform_.files.RemoveFile(list_.Text(position, kColumnLocation));
  }
  const RegKey hive = EndsWith(information, "HKCU") ? kHkeyCurrentUser : kHkeyLocalMachine;
  // The whole name: a shortened one could name another value.
  return DeleteRegistryValue(platform_.registry, hive, RunKeyPath, list_.Text(position, kColumnName));
}

}  // namespace rw
