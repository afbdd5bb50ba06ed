#include "core/load_report.h"

#include "core/report_words.h"

namespace rw {

namespace {

std::u16string Count(int number, const char16_t* one, const char16_t* many) {
  return Decimal(static_cast<std::size_t>(number)) + (number == 1 ? one : many);
}

// A file whose type could not be read is listed all the same.
bool EntriesMayBeMissing(const LoadProblems& problems, const std::u16string& stopReason) {
  if (problems.refusedRows > 0 || !stopReason.empty()) return true;
  for (const SourceFailure& failure : problems.sources) {
    if (failure.error != 0 || failure.valuesSkipped > 0) return true;
  }
  return false;
}

}  // namespace

std::u16string LoadReport(const LoadProblems& problems, const std::u16string& stopReason, SystemQueries& system) {
  if (problems.sources.empty() && problems.refusedRows == 0 && stopReason.empty()) return std::u16string();
  const bool missing = EntriesMayBeMissing(problems, stopReason);
  std::u16string report = missing ? u"The list may be incomplete: some startup items may be missing from it.\n"
                                  : u"Every startup item is listed, but some could not be read in full.\n";
  for (const SourceFailure& failure : problems.sources) {
    report += u"\n" + failure.source + u":";
    if (failure.error != 0) report += u" " + FailureReason(failure.error, system);
    if (failure.valuesSkipped > 0) {
      report += u" " + Count(failure.valuesSkipped, u" value kept changing", u" values kept changing") +
                u" and could not be read.";
    }
    if (failure.untypedFiles > 0) {
      report += u" The type of " + Count(failure.untypedFiles, u" file", u" files") + u" could not be read.";
    }
    report += u" " + Count(failure.itemsRead, u" item was read from it.", u" items were read from it.");
  }
  if (!stopReason.empty()) report += u"\nLoading stopped early: " + stopReason;
  if (problems.refusedRows > 0) {
    report += u"\nThe list could not take " + Count(problems.refusedRows, u" item.", u" items.");
  }
  return report + u"\n\nRefresh (F5) reads them again.";
}

}  // namespace rw
