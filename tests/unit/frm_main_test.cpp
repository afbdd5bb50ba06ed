#include <gtest/gtest.h>

#include "core/startup_collection.h"
#include "platform/fake/fake_list_control.h"
#include "tests/unit/fake_platform.h"
#include "ui/main/frm_main.h"

namespace rw {
namespace {

class FakeView : public MainWindowView {
 public:
  std::string caption = "Windows 95/98 Runwarden";
  bool timerEnabled = false;
  std::vector<std::string> statusTexts{"Ready"};
  bool ascendingMark = false, descendingMark = true;

  void SetCaption(const std::string& text) override { caption = text; }
  void SetLoadTimerEnabled(bool enabled) override { timerEnabled = enabled; }
  void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
  void SetSortMarks(bool ascending, bool descending) override {
    ascendingMark = ascending;
    descendingMark = descending;
  }
};

class FrmMainTest : public FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    IsWin9x = true;
    registry.SetString(kHkeyCurrentUser, RunKeyPath, "zeta", "z.exe");
    registry.SetString(kHkeyLocalMachine, RunKeyPath, "Alpha", "a.exe");
    files.AddFile(kWin9xStartupFolder, "beta.lnk", "Shortcut");
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& row : list.rows) names.push_back(row.texts[0]);
    return names;
  }
  FakeListControl list;
  FakeView view;
  FrmMain form{services(), list, view};
};

TEST_F(FrmMainTest, LoadSetsTheCaptionAndArmsTheTimerWithAnEmptyList) {
  form.Form_Load();
  EXPECT_EQ("Windows Runwarden", view.caption);
  EXPECT_TRUE(view.timerEnabled);
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ("Ready", view.statusTexts.back());
}

TEST_F(FrmMainTest, TheTimerLoadsOnceSortedWithTheFirstRowSelected) {
  form.Form_Load();
  form.Timer1_Timer();
  EXPECT_FALSE(view.timerEnabled);
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta.lnk", "zeta"}), Names());
  EXPECT_TRUE(list.IsSelected(0));
  EXPECT_FALSE(list.IsSelected(1));
  EXPECT_EQ((std::vector<std::string>{"Ready", "Loading Startup Items ...", "Ready"}),
            view.statusTexts);
  EXPECT_TRUE(view.ascendingMark);
  EXPECT_FALSE(view.descendingMark);
}

TEST_F(FrmMainTest, RefreshReadsTheInventoryAfreshWithoutDuplicates) {
  form.Timer1_Timer();
  registry.SetString(kHkeyCurrentUser, RunKeyPath, "Added", "new.exe");
  files.RemoveFile(std::string(kWin9xStartupFolder) + "beta.lnk");
  form.mnuViewRefresh_Click();
  EXPECT_EQ((std::vector<std::string>{"Added", "Alpha", "zeta"}), Names());
  EXPECT_TRUE(list.IsSelected(0));
  EXPECT_EQ("Ready", view.statusTexts.back());
}

TEST_F(FrmMainTest, AnEmptyInventorySelectsNothingAndStillFinishes) {
  FakeRegistry empty;
  FakeFileSystem noFiles;
  FrmMain bare{Platform{empty, system, noFiles, messages, programs}, list, view};
  bare.Timer1_Timer();
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ("Ready", view.statusTexts.back());
  EXPECT_TRUE(view.ascendingMark);
}

}  // namespace
}  // namespace rw
