#pragma once
// The one place where exceptions stop: every window procedure runs its
// message through RunAtBoundary, so none unwinds into Windows. Plain C++, so
// the native tests drive the same boundary.

#include <new>

namespace rw {

// Runs |work|. An exception ends it there; |end| then puts the window back in
// order for the next command, told whether memory ran out (end(bool)). True
// when |work| ran to its end.
template <class Work, class End>
bool RunAtBoundary(Work&& work, End&& end) noexcept {
  bool outOfMemory = false;
  try {
    work();
    return true;
  } catch (const std::bad_alloc&) {
    outOfMemory = true;
  } catch (...) {
  }
  try {
    end(outOfMemory);
  } catch (...) {
    // Putting things back failed too: the window stays as it is, but alive.
  }
  return false;
}

}  // namespace rw
