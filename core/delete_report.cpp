#include "core/delete_report.h"

namespace rw {

const char kDeleteQuestion[] =
    "Are you sure you want to delete the select item(s) from 'Startup' "
    "folder and/or Registry?";

std::u16string Decimal(std::size_t number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

std::string FailureReason(long errorCode, const std::string& systemText) {
  if (!systemText.empty()) return systemText;
  return "Error " + std::to_string(errorCode) + ".";
}

std::u16string DeleteFailureReport(const std::vector<DeleteFailure>& failures, std::size_t maxListed) {
  std::u16string report = u"These items could not be deleted. They are still in the list, still checked:\n";
  std::size_t listed = 0;
  for (const DeleteFailure& failure : failures) {
    if (listed == maxListed) break;
    report += u"\n" + failure.name + u" (" + failure.location + u"): " + failure.reason;
    ++listed;
  }
  if (failures.size() > listed) report += u"\nand " + Decimal(failures.size() - listed) + u" more";
  return report;
}

std::u16string DeleteReport(const StartupEntries& entries, const std::vector<DeleteResult>& results,
                            const std::vector<int>& unmatchedRows, const std::string& stopReason,
                            SystemQueries& system) {
  std::vector<DeleteFailure> failures;
  for (const DeleteResult& result : results) {
    const StartupItem* item = entries.Find(result.id);
    if (item == nullptr || (result.state != DeleteState::kFailed && result.state != DeleteState::kNotReached)) {
      continue;
    }
    failures.push_back({UnicodeShown(item->Text(kColumnName), system),
                        UnicodeShown(item->Text(kColumnLocation), system),
                        result.state == DeleteState::kNotReached
                            ? std::u16string(u"The delete stopped before it came to this item.")
                            : system.WideText(FailureReason(result.error, system.ErrorText(result.error)))});
  }
  for (const int row : unmatchedRows) {
    failures.push_back({u"Row " + Decimal(static_cast<std::size_t>(row) + 1), u"?",
                        u"The program could not tell which entry this row shows."});
  }
  if (failures.empty() && stopReason.empty()) return std::u16string();
  std::u16string report = DeleteFailureReport(failures);
  if (!stopReason.empty()) report += u"\n\nDeleting stopped early: " + system.WideText(stopReason);
  return report;
}

}  // namespace rw
