#pragma once
// The texts of the delete command: its question, and the report of the entries
// it could not delete.
#include <string>
#include <vector>

#include "core/startup_item.h"

namespace rw {

extern const char kDeleteQuestion[];

// Entries listed one per line as "Name (Location)"; past |maxListed| the rest
// are counted as "and N more".
std::string DeleteFailureReport(const std::vector<StartupItem>& failures, std::size_t maxListed = 10);

}  // namespace rw
