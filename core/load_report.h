#pragma once
// What a load could not read, and the one message after it that says so.
#include <string>
#include <vector>

#include "platform/system_queries.h"

namespace rw {

// A Run key or Startup folder that was not read in full. A missing one is
// no failure: it holds no items.
struct SourceFailure {
  std::u16string source;  // in the words of the list's Information and Location
  long error = 0;         // what stopped the reading; 0 when it read on to the end
  int itemsRead = 0;      // items read from it all the same
  int valuesSkipped = 0;  // values that kept changing size and were given up
  int untypedFiles = 0;   // files the system could not describe the type of
};

struct LoadProblems {
  std::vector<SourceFailure> sources;
  int refusedRows = 0;  // items the list could not take
};

// The message after a load, naming each source not read in full with the
// reason, the rows the list refused and, when |stopReason| is not empty, why
// the load stopped early; "" when there is nothing to say. It says the list
// may be incomplete only when items may really be missing from it.
std::u16string LoadReport(const LoadProblems& problems, const std::u16string& stopReason, SystemQueries& system);

}  // namespace rw
