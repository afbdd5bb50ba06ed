#pragma once
// The texts of the delete command and of Undo: the question, and the lists
// of the items they could not delete or put back.
#include <cstddef>
#include <string>
#include <vector>

namespace rw {

extern const char kDeleteQuestion[];

// An item a delete or Undo could not deal with, as its row shows it, and why.
struct DeleteFailure {
  std::u16string name;
  std::u16string location;
  std::u16string reason;
};

// Under |heading|, items listed one per line as "Name (Location): reason";
// past |maxListed| the rest are counted as "and N more".
std::u16string ItemListReport(const char16_t* heading, const std::vector<DeleteFailure>& items,
                              std::size_t maxListed = 10);
// The items a delete could not delete, so listed.
std::u16string DeleteFailureReport(const std::vector<DeleteFailure>& failures,
                                   std::size_t maxListed = 10);

}  // namespace rw
