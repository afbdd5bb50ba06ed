#include "ui/main/delete_report.h"

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
    const StartupItem& item = failure.item;
    report += "\n" + item.name + " (" + item.location + "): " + failure.reason;
    ++listed;
  }
  if (failures.size() > listed) {
    report += "\nand " + std::to_string(failures.size() - listed) + " more";
  }
  return report;
}

}  // namespace rw
