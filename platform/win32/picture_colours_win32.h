#pragma once
// The colours the program draws its own pictures in: the system's scheme,
// read afresh whenever the scheme changes, never kept.
#include <windows.h>

namespace rw {

struct PictureColours {
  COLORREF buttonFace;    // behind the toolbar's pictures
  COLORREF window;        // inside a check box
  COLORREF windowText;    // the check mark
  COLORREF buttonShadow;  // a flat check box's frame
};

inline PictureColours SystemPictureColours() {
  return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
          GetSysColor(COLOR_BTNSHADOW)};
}

// Where a window reads them; the system's, or a test's own scheme.
using PictureColourSource = PictureColours (*)();

}  // namespace rw
