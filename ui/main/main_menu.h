#pragma once
// The main window's menu bar, defined once: the Win32 builder and the tests
// read the same table.
#include "res/resource.h"

namespace rw {

struct MenuEntrySpec {
  const char* caption;  // "-" for a separator
  int id;               // 0 for a separator
  bool checkedAtStart;
  const char* shortcut; // text shown after a tab, or nullptr
};

struct MenuSpec {
  const char* caption;
  const MenuEntrySpec* entries;
  int entryCount;
};

extern const MenuSpec kMainMenu[];
extern const int kMainMenuCount;

}  // namespace rw
