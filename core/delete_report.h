#pragma once
// The texts of the delete command: its question, and the list of the items
// it could not delete.
#include <cstddef>
#include <string>
#include <vector>

namespace rw {

extern const char kDeleteQuestion[];

// An item the delete command could not delete, as its row shows it, and why.
struct DeleteFailure {
  std::u16string name;
  std::u16string location;
  std::u16string reason;
};

// Items listed one per line as "Name (Location): reason"; past |maxListed|
// the rest are counted as "and N more".
std::u16string DeleteFailureReport(const std::vector<DeleteFailure>& failures,
                                   std::size_t maxListed = 10);

}  // namespace rw
