#include "core/report_words.h"

namespace rw {

std::u16string Decimal(std::size_t number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string FailureReason(long errorCode, SystemQueries& system) {
  switch (errorCode) {
    case kErrorUnexpected:
      return u"An unexpected error occurred.";
    case kErrorNameNotAddressable:
      return u"Its name holds a NUL character, and this version of Windows has no call that "
             u"deletes a value by such a name: it would delete another value.";
    case kErrorTooLargeToKeep:
      return u"Undo keeps at most 16 MB of one item and 64 MB in all, and this one did not fit.";
    default:
      break;
  }
  const std::string text = system.ErrorText(errorCode);
  if (!text.empty()) return system.WideText(text);
  return u"Error " + Decimal(static_cast<std::size_t>(errorCode)) + u".";
}

}  // namespace rw
