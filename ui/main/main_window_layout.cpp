#include "ui/main/main_window_layout.h"

#include <algorithm>

namespace rw {

TwipsRect ComputeListPlacement(bool toolbarVisible, bool statusBarVisible, int clientWidth,
                               int clientHeight) {
  struct Band {
    int top;
    int reserved;  // twips of the client height the list leaves to the bars
  };
  Band band;
  if (toolbarVisible && statusBarVisible) {
    band = {375, 800};
  } else if (statusBarVisible) {
    band = {50, 450};
  } else if (toolbarVisible) {
    band = {375, 450};
  } else {
    band = {50, 100};
  }
  return {0, band.top, std::max(0, clientWidth), std::max(0, clientHeight - band.reserved)};
}

std::array<int, 3> StatusPanelWidths(int clientWidth) {
  int minimumTotal = 0;
  for (int minimum : kStatusPanelMinimumTwips) minimumTotal += minimum;
  const int extraEach = std::max(0, clientWidth - kSizeGripTwips - minimumTotal) / 3;
  std::array<int, 3> widths{};
  for (int i = 0; i < 3; ++i) widths[i] = kStatusPanelMinimumTwips[i] + extraEach;
  return widths;
}

}  // namespace rw
