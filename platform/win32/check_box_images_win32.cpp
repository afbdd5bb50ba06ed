#include "platform/win32/check_box_images_win32.h"

namespace rw {

namespace {

// Drawn on this colour, which the image list then makes transparent; no
// part of a check box is ever this colour.
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr int kPictureCount = 2;

}  // namespace

HIMAGELIST CreateCheckBoxImages() {
  const int width = GetSystemMetrics(SM_CXSMICON);
  const int height = GetSystemMetrics(SM_CYSMICON);
  HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR | ILC_MASK, kPictureCount, 0);
  if (images == nullptr) return nullptr;

  HDC screen = GetDC(nullptr);
  HDC canvas = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, width * kPictureCount, height);
  ReleaseDC(nullptr, screen);
  if (canvas != nullptr && strip != nullptr) {
    HGDIOBJ previous = SelectObject(canvas, strip);
    HBRUSH background = CreateSolidBrush(kTransparent);
    const RECT whole = {0, 0, width * kPictureCount, height};
    FillRect(canvas, &whole, background);
    DeleteObject(background);
    // A box of 13 pixels at the usual 16, centred, as the system draws them.
    const int box = MulDiv(13, height, 16);
    for (int picture = 0; picture < kPictureCount; ++picture) {
      RECT place;
      place.left = picture * width + (width - box) / 2;
      place.top = (height - box) / 2;
      place.right = place.left + box;
      place.bottom = place.top + box;
      // Flat, as check boxes in a list are: a sunken one loses its lower
      // edges against the list's white.
      DrawFrameControl(canvas, &place, DFC_BUTTON,
                       DFCS_BUTTONCHECK | DFCS_FLAT | (picture == 1 ? DFCS_CHECKED : 0));
    }
    SelectObject(canvas, previous);
    ImageList_AddMasked(images, strip, kTransparent);
  }
  if (strip != nullptr) DeleteObject(strip);
  if (canvas != nullptr) DeleteDC(canvas);
  return images;
}

}  // namespace rw
