#pragma once
// The toolbar's buttons and their pictures, defined once.
#include <cstdint>

#include "res/resource.h"

namespace rw {

struct ToolbarButtonSpec {
  const char* key;      // also the button's description; "" for a separator
  const char* tooltip;
  int picture;          // index into the pictures, -1 for a separator
  int id;               // command id, 0 for a separator
};

constexpr int kToolbarButtonCount = 9;
extern const ToolbarButtonSpec kToolbarButtons[kToolbarButtonCount];

// Pictures: 16 rows of 16 characters each, one character a pixel.
//   '.' light grey (192,192,192), drawn transparent
//   'k' black  'd' dark grey  'W' white  'b' navy  'B' blue  'r' maroon  'g' green
constexpr int kPictureSize = 16;
constexpr int kToolbarPictureCount = 7;
extern const char* const kToolbarPictures[kToolbarPictureCount][kPictureSize];

// 0x00RRGGBB for a picture character; the background for unknown ones.
std::uint32_t PictureColour(char pixel);
constexpr std::uint32_t kPictureBackground = 0xC0C0C0;

}  // namespace rw
