#pragma once
// The raw platform cost of what the main window does, as a window of its own
// that the benchmark times from outside exactly as it times the program.
#include <windows.h>

#include <string>

namespace rw::bench {

extern const char kRawCostTitle[];
extern const char kBareTitle[];

// The user's Startup folder as the shell names it (made when missing), with a
// backslash at the end: the folder the program lists.
std::wstring ShellStartupFolder();
std::string ShellStartupFolderAnsi();

// Shows a window shaped as the main window (a report list with the same
// columns and check-box pictures, a status bar) that, 500 ms after it opens,
// lists the Run keys' values and the user's Startup folder's files with
// only the platform calls the program makes, and on View > Check All and
// Delete Checked Items (the program's command ids) confirms and deletes them
// the same way. Returns when the window is closed.
// |bare|: the same window titled kBareTitle that never loads, the least a
// window of this kind costs under the system (its memory at rest).
int RunRawCostWindow(HINSTANCE instance, bool bare = false);

}  // namespace rw::bench
