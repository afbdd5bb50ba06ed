#pragma once
// The list's check boxes as a state image list of its own, so they need
// nothing newer than the common controls of Windows 95 (4.00).
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/picture_colours_win32.h"

namespace rw {

// Two pictures, unchecked then checked, flat check boxes as the system draws
// them in a list, the size of a small icon, in |colours|. The caller owns the
// list.
HIMAGELIST CreateCheckBoxImages(const PictureColours& colours);

}  // namespace rw
