#pragma once
#include <windows.h>

namespace rw {

// The menu bar built from the main menu's table, with its first check marks.
HMENU BuildMainMenuBar();

// The one shortcut key of the window: F5 for Refresh.
HACCEL CreateMainShortcuts();

}  // namespace rw
