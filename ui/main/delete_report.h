#pragma once
// The texts of the delete command: its question, and the report of the entries
// it could not delete.
#include <string>
#include <vector>

#include "core/startup_item.h"

namespace rw {

extern const char kDeleteQuestion[];

// An entry the delete command could not delete, and why.
struct DeleteFailure {
  StartupItem item;
  std::string reason;
};

// The reason shown for an error code: the system's own text for it, or its
// number when the system has no text.
std::string FailureReason(long errorCode, const std::string& systemText);

// Entries listed one per line as "Name (Location): reason"; past |maxListed|
// the rest are counted as "and N more".
std::string DeleteFailureReport(const std::vector<DeleteFailure>& failures,
                                std::size_t maxListed = 10);

}  // namespace rw
