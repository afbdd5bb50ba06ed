#include "platform/win32/check_box_images_win32.h"

#include "platform/win32/scoped_handles.h"

namespace rw {

namespace {

// Drawn on this colour, which the image list then makes transparent; no
// part of a check box is ever this colour.
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr int kPictureCount = 2;
// The system's check mark in a box of 13 pixels, from its top left corner at (3, 3).
constexpr int kMarkSize = 7;
const char* const kCheckMark[kMarkSize] = {"......#", ".....##", "#...###", "##.###.",
                                           "#####..", ".###...", "..#...."};

void Fill(HDC dc, int left, int top, int width, int height, COLORREF colour) {
  const ScopedBrush brush(CreateSolidBrush(colour));
  const RECT place = {left, top, left + width, top + height};
  FillRect(dc, &place, brush.get());
}

// Drawn by hand rather than with DrawFrameControl, which takes the colours
// the system had when the process read them.
void DrawBox(HDC dc, const RECT& box, bool checked, const PictureColours& colours) {
  const int size = box.right - box.left;
  Fill(dc, box.left, box.top, size, size, colours.buttonShadow);
  Fill(dc, box.left + 1, box.top + 1, size - 2, size - 2, colours.window);
  if (!checked) return;
  const int scale = size >= 26 ? size / 13 : 1;
  const int origin = (size - kMarkSize * scale) / 2;
  for (int y = 0; y < kMarkSize; ++y) {
    for (int x = 0; x < kMarkSize; ++x) {
      if (kCheckMark[y][x] != '#') continue;
      Fill(dc, box.left + origin + x * scale, box.top + origin + y * scale, scale, scale,
           colours.windowText);
    }
  }
}

}  // namespace

HIMAGELIST CreateCheckBoxImages(const PictureColours& colours) {
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
    Fill(canvas.get(), 0, 0, width * kPictureCount, height, kTransparent);
    // A box of 13 pixels at the usual 16, centred, as the system draws them.
    const int box = MulDiv(13, height, 16);
    for (int picture = 0; picture < kPictureCount; ++picture) {
      RECT place;
      place.left = picture * width + (width - box) / 2;
      place.top = (height - box) / 2;
      place.right = place.left + box;
      place.bottom = place.top + box;
      DrawBox(canvas.get(), place, picture == 1, colours);
    }
  }  // the strip leaves the DC before the image list copies it
  ImageList_AddMasked(images, strip.get(), kTransparent);
  return images;
}

}  // namespace rw
