#pragma once
#include <windows.h>

#include "platform/win32/scoped_handles.h"

namespace rw {

// Toolbar1 with its nine buttons and imlToolbarIcons; the caller places it
// and keeps the image list in |images| (a toolbar does not free its list).
HWND CreateMainToolbar(HWND parent, HINSTANCE instance, int id, ScopedImageList* images);

// Answers a toolbar tooltip's request for its text; true when it was one.
bool AnswerToolbarTooltip(NMHDR* header);

}  // namespace rw
