#pragma once
// The main window's own state, as a user would see it, without a window.
#include <map>
#include <string>
#include <vector>

#include "ui/main/main_menu.h"
#include "ui/main/main_window_view.h"

namespace rw {

class FakeMainWindowView : public MainWindowView {
 public:
  FakeMainWindowView() {
    for (int m = 0; m < kMainMenuCount; ++m) {
      for (int e = 0; e < kMainMenu[m].entryCount; ++e) {
        const MenuEntrySpec& entry = kMainMenu[m].entries[e];
        if (entry.id != 0) checks[entry.id] = entry.checkedAtStart;
      }
    }
  }

  std::string caption = "Windows 95/98 Runwarden";
  bool timerEnabled = false;
  std::vector<std::string> statusTexts{"Ready"};
  std::map<int, bool> checks;
  std::map<int, bool> enabled;  // entries greyed or not, once set
  bool toolbarVisible = true;
  bool statusBarVisible = true;
  int clientWidth = 9375;
  int clientHeight = 5490;
  std::vector<TwipsRect> listMoves;
  bool ended = false;
  int aboutOpenings = 0;
  int legendOpenings = 0;

  void SetCaption(const std::string& text) override { caption = text; }
  void SetLoadTimerEnabled(bool enabled) override { timerEnabled = enabled; }
  void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
  bool IsMenuChecked(int id) const override { return checks.at(id); }
  void SetMenuChecked(int id, bool checked) override { checks.at(id) = checked; }
  void SetMenuEnabled(int id, bool usable) override { enabled[id] = usable; }
  bool IsToolbarVisible() const override { return toolbarVisible; }
  void SetToolbarVisible(bool visible) override { toolbarVisible = visible; }
  bool IsStatusBarVisible() const override { return statusBarVisible; }
  void SetStatusBarVisible(bool visible) override { statusBarVisible = visible; }
  int ClientWidthTwips() const override { return clientWidth; }
  int ClientHeightTwips() const override { return clientHeight; }
  void MoveList(const TwipsRect& place) override { listMoves.push_back(place); }
  void EndProgram() override { ended = true; }
  void ShowAboutDialog() override { ++aboutOpenings; }
  void ShowLegendDialog() override { ++legendOpenings; }
};

}  // namespace rw
