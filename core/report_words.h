#pragma once
// The words every report shares: counts, and why something failed.
#include <cstddef>
#include <string>

#include "platform/system_queries.h"

namespace rw {

// The system's code for "not enough memory" (the Win32 value).
constexpr long kErrorNotEnoughMemory = 8;
// The program's own codes, with the bit Windows leaves to applications, so
// no system code is ever mistaken for one of them.
constexpr long kErrorUnexpected = 0x20000001;
// A value whose name holds a NUL, where no call at hand deletes a value by
// such a name: the call there would delete the name cut at its first NUL.
constexpr long kErrorNameNotAddressable = 0x20000002;
// An item larger than what Undo keeps of one, or than the room left in all.
constexpr long kErrorTooLargeToKeep = 0x20000003;

// |number| in decimal digits.
std::u16string Decimal(std::size_t number);

// The reason shown for an error code: the program's own words for its own
// codes, the system's text for the others, or the code's number when the
// system has no text for it.
std::u16string FailureReason(long errorCode, SystemQueries& system);

}  // namespace rw
