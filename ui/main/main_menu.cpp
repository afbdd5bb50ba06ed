#include "ui/main/main_menu.h"

namespace rw {

namespace {

const MenuEntrySpec kFileEntries[] = {
    {"E&xit", IDM_EXIT, false, nullptr},
};

const MenuEntrySpec kViewEntries[] = {
    {"Sort &Ascending", IDM_SORT_ASCENDING, false, nullptr},
    {"Sort &Descending", IDM_SORT_DESCENDING, false, nullptr},
    {"-", 0, false, nullptr},
    {"&Status Bar", IDM_STATUS_BAR, true, nullptr},
    {"&Toolbar", IDM_TOOLBAR, true, nullptr},
    {"-", 0, false, nullptr},
    {"&Refresh", IDM_REFRESH, false, "F5"},
};

const MenuEntrySpec kOptionsEntries[] = {
    {"&Check All Items", IDM_CHECK_ALL, false, nullptr},
    {"&Uncheck All Items", IDM_UNCHECK_ALL, false, nullptr},
    {"-", 0, false, nullptr},
    {"&Delete All Checked Items", IDM_DELETE_CHECKED_ITEMS, false, nullptr},
    {"U&ndo Delete", IDM_UNDO_DELETE, false, "Ctrl+Z"}  // U is Uncheck All's,
};

const MenuEntrySpec kHelpEntries[] = {
    {"&Information Legend", IDM_INFORMATION_LEGEND, false, nullptr},
    {"-", 0, false, nullptr},
    {"&About", IDM_ABOUT, false, nullptr},
};

template <int N>
constexpr int Count(const MenuEntrySpec (&)[N]) {
  return N;
}

}  // namespace

const MenuSpec kMainMenu[] = {
    {"&File", kFileEntries, Count(kFileEntries)},
    {"&View", kViewEntries, Count(kViewEntries)},
    {"&Options", kOptionsEntries, Count(kOptionsEntries)},
    {"&Help", kHelpEntries, Count(kHelpEntries)},
};
const int kMainMenuCount = 4;

}  // namespace rw
