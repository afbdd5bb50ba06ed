#pragma once
// The texts of the delete command: its question, and the report of the entries
// it could not delete.
#include <string>
#include <vector>

#include "core/startup_entries.h"

namespace rw {

extern const char kDeleteQuestion[];

// An entry the delete command could not delete, as its row shows it, and why.
struct DeleteFailure {
  std::u16string name;
  std::u16string location;
  std::u16string reason;
};

// |number| in decimal digits, for the reports' counts and row numbers.
std::u16string Decimal(std::size_t number);

// The reason shown for an error code: the system's own text for it, or its
// number when the system has no text.
std::string FailureReason(long errorCode, const std::string& systemText);

// Entries listed one per line as "Name (Location): reason"; past |maxListed|
// the rest are counted as "and N more".
std::u16string DeleteFailureReport(const std::vector<DeleteFailure>& failures,
                                   std::size_t maxListed = 10);

// The report on a delete: each checked entry of |results| that is not gone,
// in their order, named exactly as its row shows it, with why it stayed (the
// system's reason, or a delete that stopped before it came to it); the
// checked rows whose entry could not be told (|unmatchedRows|, positions from
// 0); and, when |stopReason| is not empty, why the delete stopped early. ""
// when there is nothing to say: every entry that can go is gone.
std::u16string DeleteReport(const StartupEntries& entries, const std::vector<DeleteResult>& results,
                            const std::vector<int>& unmatchedRows, const std::string& stopReason,
                            SystemQueries& system);

}  // namespace rw
