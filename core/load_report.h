#pragma once
// The message after a load that may have missed entries.
#include <string>

namespace rw {

// The system's code for "not enough memory" (the Win32 value).
constexpr long kErrorNotEnoughMemory = 8;
extern const char kUnexpectedFailure[];

// |stopReason| says why the load stopped early (empty: it ran to its end);
// |refusedRows| counts the entries the list could not take.
std::string IncompleteLoadReport(const std::string& stopReason, int refusedRows);

}  // namespace rw
