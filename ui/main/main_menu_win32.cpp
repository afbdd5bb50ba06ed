#include "ui/main/main_menu_win32.h"

#include <string>

#include "ui/main/main_menu.h"

namespace rw {

HMENU BuildMainMenuBar() {
  HMENU bar = CreateMenu();
  for (int m = 0; m < kMainMenuCount; ++m) {
    const MenuSpec& menu = kMainMenu[m];
    HMENU popup = CreatePopupMenu();
    for (int e = 0; e < menu.entryCount; ++e) {
      const MenuEntrySpec& entry = menu.entries[e];
      if (entry.id == 0) {
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      std::string text = entry.caption;
      if (entry.shortcut != nullptr) text = text + "\t" + entry.shortcut;
      AppendMenuA(popup, MF_STRING | (entry.checkedAtStart ? MF_CHECKED : MF_UNCHECKED),
                  static_cast<UINT_PTR>(entry.id), text.c_str());
    }
    AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), menu.caption);
  }
  return bar;
}

HACCEL CreateMainShortcuts() {
  ACCEL shortcuts[] = {{FVIRTKEY, VK_F5, IDM_REFRESH}, {FVIRTKEY | FCONTROL, 'Z', IDM_UNDO_DELETE}};
  return CreateAcceleratorTableA(shortcuts, sizeof shortcuts / sizeof shortcuts[0]);
}

}  // namespace rw
