#include "core/delete_report.h"

namespace rw {

const char kDeleteQuestion[] =
    "Are you sure you want to delete the select item(s) from 'Startup' "
    "folder and/or Registry?";

std::string FailureReason(long errorCode, const std::string& systemText) {
  if (!systemText.empty()) return systemText;
  return "Error " + std::to_string(errorCode) + ".";
}

std::string DeleteFailureReport(const std::vector<DeleteFailure>& failures,
                                std::size_t maxListed) {
  std::string report =
      "These items could not be deleted. They are still in the list, still checked:\n";
  std::size_t listed = 0;
  for (const DeleteFailure& failure : failures) {
    if (listed == maxListed) break;
    report += "\n" + failure.name + " (" + failure.location + "): " + failure.reason;
    ++listed;
  }
  if (failures.size() > listed) {
    report += "\nand " + std::to_string(failures.size() - listed) + " more";
  }
  return report;
}

std::string DeleteReport(const StartupEntries& entries, const std::vector<DeleteResult>& results,
                         SystemQueries& system) {
  std::vector<DeleteFailure> failures;
  for (const DeleteResult& result : results) {
    const StartupItem* item = entries.Find(result.id);
    if (item == nullptr || result.state != DeleteState::kFailed) continue;
    failures.push_back({AnsiShown(item->Text(kColumnName), system),
                        AnsiShown(item->Text(kColumnLocation), system),
                        FailureReason(result.error, system.ErrorText(result.error))});
  }
  return failures.empty() ? std::string() : DeleteFailureReport(failures);
}

}  // namespace rw
