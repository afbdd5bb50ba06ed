#pragma once
// Twips to pixels and back at the screen's real resolution.
#include <windows.h>

#include "platform/win32/scoped_handles.h"
#include "ui/window/twips.h"

namespace rw {

class ScreenTwips {
 public:
  ScreenTwips() {
    const ScopedGetDC screen(nullptr);
    dpiX_ = GetDeviceCaps(screen.get(), LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    if (dpiX_ <= 0) dpiX_ = 96;
    if (dpiY_ <= 0) dpiY_ = 96;
  }
  int ToPixelsX(int twips) const { return TwipsToPixels(twips, dpiX_); }
  int ToPixelsY(int twips) const { return TwipsToPixels(twips, dpiY_); }
  int ToTwipsX(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiX_); }
  int ToTwipsY(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiY_); }
  // The height CreateFont takes for a font of this many hundredths of a point.
  int FontHeight(int pointsTimes100) const { return -MulDiv(pointsTimes100, dpiY_, 7200); }

 private:
  int dpiX_ = 96;
  int dpiY_ = 96;
};

}  // namespace rw
