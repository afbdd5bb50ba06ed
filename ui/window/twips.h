#pragma once
// Window geometry is given in twips (1/1440 inch); the screen counts pixels.

namespace rw {

constexpr int kTwipsPerInch = 1440;

// Rounds to the nearest pixel at |dotsPerInch| (15 twips a pixel at 96).
constexpr int TwipsToPixels(int twips, int dotsPerInch) {
  return (twips * dotsPerInch + (twips >= 0 ? kTwipsPerInch / 2 : -kTwipsPerInch / 2)) /
         kTwipsPerInch;
}

}  // namespace rw
