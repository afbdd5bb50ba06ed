#pragma once
// The raw platform cost of what the main window does, as a window of its own
// that the benchmark times from outside exactly as it times the program.
#include <windows.h>

#include <string>

namespace rw::bench {

extern const char kRawCostTitle[];
extern const char kBareTitle[];
extern const char kReadsTitle[];

// The user's Startup folder as the shell names it (made when missing), with a
// backslash at the end: the folder the program lists.
std::wstring ShellStartupFolder();
std::string ShellStartupFolderAnsi();

// How the list shows its rows: in Unicode wherever it can hold them, as the
// program decides, on Windows NT or with comctl32 5.80 or later (which
// Wine's reports whatever Windows version it reports).
struct RowsDecision {
  bool nt = false;
  unsigned long controlsMajor = 0;  // comctl32's DllGetVersion; 0.0 without it
  unsigned long controlsMinor = 0;
  bool unicode = false;
};
RowsDecision DecideRows();
std::string DescribeRows(const RowsDecision& decision);

// Shows a window shaped as the main window (a report list with the same
// columns and check-box pictures, a status bar) that, 500 ms after it opens,
// lists the Run keys' values and the user's Startup folder's files with
// only the platform calls the program makes, and on View > Check All and
// Delete Checked Items (the program's command ids) confirms and deletes them
// the same way. Its rows are Unicode or ANSI as DecideRows() says, made once
// at start; |ansiRows| makes them ANSI all the same, to measure what the
// wide rows cost. Returns when the window is closed.
// View > Refresh (the program's command id) loads at once, as the program's F5.
// kBare: the same window titled kBareTitle that never loads, the least a
// window of this kind costs under the system (its memory at rest).
// kReads: a window titled kReadsTitle with a status bar and no list that
// makes the load's reads alone, each row's texts made and dropped: the floor
// of any load. Its status bar says "Ready" when they are done, with their
// count in its second panel.
enum class RawKind { kList, kBare, kReads };
int RunRawCostWindow(HINSTANCE instance, RawKind kind = RawKind::kList, bool ansiRows = false);

}  // namespace rw::bench
