#include "core/load_report.h"

#include "core/delete_report.h"

namespace rw {

const char kUnexpectedFailure[] = "An unexpected error occurred.";

namespace {

std::u16string Count(int number, const char16_t* one, const char16_t* many) {
  return Decimal(static_cast<std::size_t>(number)) + (number == 1 ? one : many);
}

}  // namespace

std::u16string LoadReport(const LoadProblems& problems, const std::string& stopReason, SystemQueries& system) {
  if (problems.sources.empty() && problems.refusedRows == 0 && stopReason.empty()) return std::u16string();
  std::u16string report = u"The list may be incomplete: some startup items may be missing from it.\n";
  for (const SourceFailure& failure : problems.sources) {
    report += u"\n" + failure.source + u":";
    if (failure.error != 0) {
      report += u" " + system.WideText(FailureReason(failure.error, system.ErrorText(failure.error)));
    }
    if (failure.valuesSkipped > 0) {
      report += u" " + Count(failure.valuesSkipped, u" value kept changing", u" values kept changing") +
                u" and could not be read.";
    }
    if (failure.untypedFiles > 0) {
      report += u" The type of " + Count(failure.untypedFiles, u" file", u" files") + u" could not be read.";
    }
    report += u" " + Count(failure.itemsRead, u" item was read from it.", u" items were read from it.");
  }
  if (!stopReason.empty()) report += u"\nLoading stopped early: " + system.WideText(stopReason);
  if (problems.refusedRows > 0) {
    report += u"\nThe list could not take " + Count(problems.refusedRows, u" item.", u" items.");
  }
  return report + u"\n\nRefresh (F5) reads them again.";
}

}  // namespace rw
