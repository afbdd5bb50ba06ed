#pragma once
// The list's check boxes as a state image list of its own, so they need
// nothing newer than the common controls of Windows 95 (4.00).
#include <windows.h>
#include <commctrl.h>

namespace rw {

// Two pictures, unchecked then checked, drawn with the system's own check
// box, the size of a small icon. The caller owns the list.
HIMAGELIST CreateCheckBoxImages();

}  // namespace rw
