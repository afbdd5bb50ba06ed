#pragma once
// A main window over the stand-ins, filled from a given inventory.
#include <string>
#include <vector>

#include "core/startup_collection.h"
#include "tests/fakes/fake_list_control.h"
#include "tests/unit/fake_main_window_view.h"
#include "tests/unit/fake_platform.h"
#include "ui/main/frm_main.h"

namespace rw {

class MainWindowTest : public FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    IsWin9x = true;
    registry.CreateKey(kHkeyLocalMachine, RunKeyPath);
    registry.CreateKey(kHkeyCurrentUser, RunKeyPath);
    files.AddFolder(kWin9xStartupFolder);
  }
  void Load() { form.mnuViewRefresh_Click(); }
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
  FrmMain form{services(), list, view};
};

}  // namespace rw
