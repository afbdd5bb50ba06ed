#pragma once
#include <windows.h>

namespace rw {

// Toolbar1 with its nine buttons and imlToolbarIcons; the caller places it.
HWND CreateMainToolbar(HWND parent, HINSTANCE instance, int id);

// Answers a toolbar tooltip's request for its text; true when it was one.
bool AnswerToolbarTooltip(NMHDR* header);

}  // namespace rw
