#include "ui/main/main_menu.h"

namespace rw {

namespace {

const MenuEntrySpec kFileEntries[] = {
    {"mnuExit", "E&xit", IDM_EXIT, false, nullptr},
};

const MenuEntrySpec kViewEntries[] = {
    {"mnuViewAscending", "Sort &Ascending", IDM_VIEW_ASCENDING, false, nullptr},
    {"mnuViewDescending", "Sort &Descending", IDM_VIEW_DESCENDING, false, nullptr},
    {"mnuFileBar3", "-", 0, false, nullptr},
    {"mnuViewStatusBar", "&Status Bar", IDM_VIEW_STATUS_BAR, true, nullptr},
    {"mnuViewToolbar", "&Toolbar", IDM_VIEW_TOOLBAR, true, nullptr},
    {"mnuFileBar1", "-", 0, false, nullptr},
    {"mnuViewRefresh", "&Refresh", IDM_VIEW_REFRESH, false, "F5"},
};

const MenuEntrySpec kOptionsEntries[] = {
    {"mnuViewCheckAll", "&Check All Items", IDM_VIEW_CHECK_ALL, false, nullptr},
    {"mnuViewUncheckAll", "&Uncheck All Items", IDM_VIEW_UNCHECK_ALL, false, nullptr},
    {"mnuFileBar0", "-", 0, false, nullptr},
    {"mnuDeleteCheckedItems", "&Delete All Checked Items", IDM_DELETE_CHECKED_ITEMS, false, nullptr},
};

const MenuEntrySpec kHelpEntries[] = {
    {"mnuInfoLegend", "&Information Legend", IDM_INFO_LEGEND, false, nullptr},
    {"mnuFileBar2", "-", 0, false, nullptr},
    {"mnuAbout", "&About", IDM_ABOUT, false, nullptr},
};

template <int N>
constexpr int Count(const MenuEntrySpec (&)[N]) {
  return N;
}

}  // namespace

const MenuSpec kMainMenu[] = {
    {"mnuFile", "&File", kFileEntries, Count(kFileEntries)},
    {"mnuView", "&View", kViewEntries, Count(kViewEntries)},
    {"mnuOptions", "&Options", kOptionsEntries, Count(kOptionsEntries)},
    {"mnuHelp", "&Help", kHelpEntries, Count(kHelpEntries)},
};
const int kMainMenuCount = 4;

}  // namespace rw
