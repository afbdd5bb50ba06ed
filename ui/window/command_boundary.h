#pragma once
// The one place where exceptions stop: every window procedure runs its
// message through RunAtBoundary, so none unwinds into Windows. Plain C++, so
// the native tests drive the same boundary.

namespace rw {

// Runs |work|. An exception ends it there; |end| then puts the window back in
// order for the next command. True when |work| ran to its end.
template <class Work, class End>
bool RunAtBoundary(Work&& work, End&& end) noexcept {
  try {
    work();
    return true;
  } catch (...) {
  }
  try {
    end();
  } catch (...) {
    // Putting things back failed too: the window stays as it is, but alive.
  }
  return false;
}

}  // namespace rw
