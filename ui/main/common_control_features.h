#pragma once
// What the main window asks of the common controls beyond those of
// Windows 95 and NT 4.0 (comctl32 4.00), by the version the system has.
// Without them the window works the same: the list selects in its first
// column only and the toolbar's buttons are drawn raised.

namespace rw {

struct CommonControlFeatures {
  bool fullRowSelect = false;  // LVS_EX_FULLROWSELECT, comctl32 4.70
  bool flatToolbar = false;    // TBSTYLE_FLAT, comctl32 4.70
};

// |major|.|minor| is comctl32's file version; 0.0 when it could not be read.
CommonControlFeatures FeaturesOfCommonControls(unsigned major, unsigned minor);

}  // namespace rw
