#include "core/delete_report.h"

#include "core/report_words.h"

namespace rw {

const char kDeleteQuestion[] =
    "Are you sure you want to delete the select item(s) from 'Startup' "
    "folder and/or Registry?";

std::u16string DeleteFailureReport(const std::vector<DeleteFailure>& failures, std::size_t maxListed) {
  return ItemListReport(u"These items could not be deleted. They are still in the list, still checked:\n", failures,
                        maxListed);
}

std::u16string ItemListReport(const char16_t* heading, const std::vector<DeleteFailure>& failures,
                              std::size_t maxListed) {
  std::u16string report = heading;
  std::size_t listed = 0;
  for (const DeleteFailure& failure : failures) {
    if (listed == maxListed) break;
    report += u"\n" + failure.name + u" (" + failure.location + u"): " + failure.reason;
    ++listed;
  }
  if (failures.size() > listed) report += u"\nand " + Decimal(failures.size() - listed) + u" more";
  return report;
}

}  // namespace rw
