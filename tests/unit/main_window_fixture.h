#pragma once
// A main window over the stand-ins, filled from a given inventory.
#include <string>
#include <vector>

#include "core/startup_sources.h"
#include "tests/fakes/fake_list_control.h"
#include "tests/unit/fake_main_window_view.h"
#include "tests/unit/fake_platform.h"
#include "ui/main/main_window.h"

namespace rw {

class MainWindowTest : public FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    registry.CreateKey(kHkeyLocalMachine, kRunKeyPath);
    registry.CreateKey(kHkeyCurrentUser, kRunKeyPath);
    files.AddFolder(kWin9xStartupFolder);
  }
  void Load() { window.Refresh(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& row : list.rows) names.push_back(row.texts[kColumnName]);
    return names;
  }
  // Checks the rows with these names (every row of each name).
  void Check(const std::vector<std::string>& names) {
    for (auto& row : list.rows) {
      for (const std::string& name : names) {
        if (row.texts[kColumnName] == name) row.checked = true;
      }
    }
  }
  std::vector<std::string> CheckedNames() const {
    std::vector<std::string> names;
    for (const auto& row : list.rows) {
      if (row.checked) names.push_back(row.texts[kColumnName]);
    }
    return names;
  }
  std::string Folder() const { return kWin9xStartupFolder; }

  FakeListControl list;
  FakeMainWindowView view;
  MainWindow window{services(), WindowsFamily::kWin9x, false, list, view};
};

}  // namespace rw
