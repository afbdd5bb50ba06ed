#pragma once
// What the main window asks of the common controls beyond those of
// Windows 95 and NT 4.0 (comctl32 4.00), by the version the system has.
// Without them the window works the same: the list selects in its first
// column only and holds a row for each item, the toolbar's buttons are
// drawn raised, and the rows show their texts as the ANSI code page holds them.

namespace rw {

struct CommonControlFeatures {
  bool fullRowSelect = false;  // LVS_EX_FULLROWSELECT, comctl32 4.70
  bool flatToolbar = false;    // TBSTYLE_FLAT, comctl32 4.70
  // LVS_OWNERDATA, comctl32 4.70: the list holds only the count of its rows
  // and asks the program for all else.
  bool virtualList = false;
  // The list takes and shows Unicode text: on NT, whose comctl32 is Unicode
  // throughout, and where comctl32 reports 5.80 or later.
  bool unicodeRows = false;
};

// |fileMajor|.|fileMinor| is comctl32's file version, 0.0 when it could not
// be read; |reportedMajor|.|reportedMinor| what its DllGetVersion reports,
// 0.0 without one (comctl32 before 4.71); |onNt| says the system is NT.
CommonControlFeatures FeaturesOfCommonControls(unsigned fileMajor, unsigned fileMinor,
                                               unsigned reportedMajor, unsigned reportedMinor,
                                               bool onNt);

}  // namespace rw
