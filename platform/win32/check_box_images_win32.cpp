#include "platform/win32/check_box_images_win32.h"

#include "platform/win32/scoped_handles.h"

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

  const ScopedGetDC screen(nullptr);
  const ScopedMemoryDC canvas(CreateCompatibleDC(screen.get()));
  const ScopedBitmap strip(CreateCompatibleBitmap(screen.get(), width * kPictureCount, height));
  if (!canvas.valid() || !strip.valid()) return images;
  {
    const ScopedSelectObject drawing(canvas.get(), strip.get());
    const ScopedBrush background(CreateSolidBrush(kTransparent));
    const RECT whole = {0, 0, width * kPictureCount, height};
    FillRect(canvas.get(), &whole, background.get());
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
      DrawFrameControl(canvas.get(), &place, DFC_BUTTON,
                       DFCS_BUTTONCHECK | DFCS_FLAT | (picture == 1 ? DFCS_CHECKED : 0));
    }
  }  // the strip leaves the DC before the image list copies it
  ImageList_AddMasked(images, strip.get(), kTransparent);
  return images;
}

}  // namespace rw
