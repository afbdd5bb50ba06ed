#include "ui/main/main_toolbar.h"

#include <cstring>

namespace rw {

const ToolbarButtonSpec kToolbarButtons[kToolbarButtonCount] = {
    {"Delete", "Delete Selected Item(s)", 0, IDM_DELETE_CHECKED_ITEMS},
    {"", "", -1, 0},
    {"Sort Ascending", "Sort Ascending", 1, IDM_TOOLBAR_SORT_ASCENDING},
    {"Sort Descending", "Sort Descending", 2, IDM_TOOLBAR_SORT_DESCENDING},
    {"", "", -1, 0},
    {"View Small Icons", "View Small Icons", 3, IDM_VIEW_SMALL_ICONS},
    {"View Large Icons", "View Large Icons", 4, IDM_VIEW_LARGE_ICONS},
    {"View List", "View List", 5, IDM_VIEW_LIST},
    {"View Details", "View Details", 6, IDM_VIEW_DETAILS},
};

std::uint32_t PictureColour(char pixel) {
  switch (pixel) {
    case 'k': return 0x000000;
    case 'd': return 0x808080;
    case 'W': return 0xFFFFFF;
    case 'b': return 0x000080;
    case 'B': return 0x0000FF;
    case 'r': return 0x800000;
    case 'g': return 0x008000;
    default: return kPictureBackground;
  }
}

// Drawn by us to the toolbar's descriptions.
const char* const kToolbarPictures[kToolbarPictureCount][kPictureSize] = {
    {// Delete: a black diagonal cross
     "................",
     "................",
     "..kk........kk..",
     "..kkk......kkk..",
     "...kkk....kkk...",
     "....kkk..kkk....",
     ".....kkkkkk.....",
     "......kkkk......",
     "......kkkk......",
     ".....kkkkkk.....",
     "....kkk..kkk....",
     "...kkk....kkk...",
     "..kkk......kkk..",
     "..kk........kk..",
     "................",
     "................"},
    {// Sort Ascending: A over Z beside a downward arrow
     "................",
     "..kk.......k....",
     ".k..k......k....",
     ".k..k......k....",
     ".kkkk......k....",
     ".k..k......k....",
     ".k..k......k....",
     "...........k....",
     ".kkkk......k....",
     "....k......k....",
     "...k.....kkkkk..",
     "..k.......kkk...",
     ".k.........k....",
     ".kkkk...........",
     "................",
     "................"},
    {// Sort Descending: Z over A beside a downward arrow
     "................",
     ".kkkk......k....",
     "....k......k....",
     "...k.......k....",
     "..k........k....",
     ".k.........k....",
     ".kkkk......k....",
     "...........k....",
     "..kk.......k....",
     ".k..k......k....",
     ".k..k....kkkkk..",
     ".kkkk.....kkk...",
     ".k..k......k....",
     ".k..k...........",
     "................",
     "................"},
    {// View Small Icons: three small items, each with a short line, staggered
     "................",
     "................",
     ".bbb.kkkk.......",
     ".bWb............",
     ".bbb............",
     "................",
     "......bbb.kkkk..",
     "......bWb.......",
     "......bbb.......",
     "................",
     ".bbb.kkkk.......",
     ".bWb............",
     ".bbb............",
     "................",
     "................",
     "................"},
    {// View Large Icons: two larger pages with caption lines
     "................",
     ".kkkkk...kkkkk..",
     ".kWWWk...kWWWk..",
     ".kWbWk...kWbWk..",
     ".kWWWk...kWWWk..",
     ".kWbWk...kWbWk..",
     ".kWWWk...kWWWk..",
     ".kkkkk...kkkkk..",
     "................",
     "kkkkkkk.kkkkkkk.",
     "................",
     ".kkkkk...kkkkk..",
     "................",
     "................",
     "................",
     "................"},
    {// View List: small items with lines, in a grid
     "................",
     "................",
     "bb.kkkk.bb.kkkk.",
     "bb......bb......",
     "................",
     "bb.kkkk.bb.kkkk.",
     "bb......bb......",
     "................",
     "bb.kkkk.bb.kkkk.",
     "bb......bb......",
     "................",
     "bb.kkkk.bb.kkkk.",
     "bb......bb......",
     "................",
     "................",
     "................"},
    {// View Details: a header bar over rows of lines
     "................",
     "dddddddddddddddd",
     "dWWWWWdWWWWWWWWd",
     "dddddddddddddddd",
     "................",
     ".kkkk..kkkkkkk..",
     "................",
     ".kkkk..kkkkkkk..",
     "................",
     ".kkkk..kkkkkkk..",
     "................",
     ".kkkk..kkkkkkk..",
     "................",
     ".kkkk..kkkkkkk..",
     "................",
     "................"},
};

}  // namespace rw
