#include "core/load_report.h"

namespace rw {

const char kUnexpectedFailure[] = "An unexpected error occurred.";

std::string IncompleteLoadReport(const std::string& stopReason, int refusedRows) {
  std::string report = "The list may be incomplete: some startup items may be missing from it.\n";
  if (!stopReason.empty()) report += "\nLoading stopped early: " + stopReason;
  if (refusedRows > 0) {
    report += "\nThe list could not take " + std::to_string(refusedRows) +
              (refusedRows == 1 ? " item." : " items.");
  }
  return report + "\n\nRefresh (F5) reads them again.";
}

}  // namespace rw
