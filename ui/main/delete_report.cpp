#include "ui/main/delete_report.h"

namespace rw {

const char kDeleteQuestion[] =
    "Are you sure you want to delete the select item(s) from 'Startup' "
    "folder and/or Registry?";

std::string DeleteFailureReport(const std::vector<StartupItem>& failures, std::size_t maxListed) {
  std::string report =
      "These items could not be deleted. They are still in the list, still checked:\n";
  std::size_t listed = 0;
  for (const StartupItem& item : failures) {
    if (listed == maxListed) break;
    report += "\n" + item.name + " (" + item.location + ")";
    ++listed;
  }
  if (failures.size() > listed) {
    report += "\nand " + std::to_string(failures.size() - listed) + " more";
  }
  return report;
}

}  // namespace rw
