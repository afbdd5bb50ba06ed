#pragma once
// The program lives while any of its windows is open: closing the main
// window leaves an open dialog working, and the last window to close ends it.
#include <windows.h>

namespace rw {

inline int& OpenProgramWindows() {
  static int count = 0;
  return count;
}

inline void ProgramWindowOpened() { ++OpenProgramWindows(); }

inline void ProgramWindowClosed() {
  if (--OpenProgramWindows() <= 0) PostQuitMessage(0);
}

}  // namespace rw
