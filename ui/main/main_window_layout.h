#pragma once
// Where the list goes between the toolbar and the status bar, and how wide
// the status panels are. All in twips.
#include <array>

namespace rw {

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const TwipsRect& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

// The list's place for a client area of the given size. A client area lower
// than the bars' band gives the list a height of 0, never a negative one.
TwipsRect ComputeListPlacement(bool toolbarVisible, bool statusBarVisible, int clientWidth,
                               int clientHeight);

constexpr int kToolbarHeightTwips = 360;
constexpr int kStatusBarHeightTwips = 375;
constexpr int kSizeGripTwips = 280;
constexpr std::array<int, 3> kStatusPanelMinimumTwips = {5000, 1440, 1440};

// Widths of the three status panels: what the client width leaves beyond the
// minimums and the size grip is shared equally.
std::array<int, 3> StatusPanelWidths(int clientWidth);

}  // namespace rw
