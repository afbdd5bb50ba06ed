#include <gtest/gtest.h>

#include <new>

#include "core/startup_collection.h"
#include "res/resource.h"
#include "tests/fakes/fake_list_control.h"
#include "tests/unit/fake_main_window_view.h"
#include "tests/unit/fake_platform.h"
#include "ui/main/frm_main.h"
#include "ui/window/command_boundary.h"

namespace rw {
namespace {

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
  FakeMainWindowView view;
  FrmMain form{services(), list, view};
};

TEST_F(FrmMainTest, LoadLaysOutSetsTheCaptionAndArmsTheTimerWithAnEmptyList) {
  form.Form_Load();
  EXPECT_EQ("Windows Runwarden", view.caption);
  EXPECT_TRUE(view.timerEnabled);
  ASSERT_EQ(1u, view.listMoves.size());
  EXPECT_EQ((TwipsRect{0, 375, 9375, 4690}), view.listMoves[0]);
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ("Ready", view.statusTexts.back());
  EXPECT_EQ(0, registry.CallCount()) << "nothing is read before the timer";
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
  EXPECT_TRUE(view.checks[IDM_VIEW_ASCENDING]);
  EXPECT_FALSE(view.checks[IDM_VIEW_DESCENDING]);
  EXPECT_TRUE(list.redraw) << "the list draws again after the load";
}

TEST_F(FrmMainTest, RefreshReadsTheInventoryAfreshWithEveryRowUnchecked) {
  form.Timer1_Timer();
  for (auto& row : list.rows) row.checked = true;
  view.checks[IDM_VIEW_ASCENDING] = false;
  view.checks[IDM_VIEW_DESCENDING] = true;
  registry.SetString(kHkeyCurrentUser, RunKeyPath, "Added", "new.exe");
  files.RemoveFile(std::string(kWin9xStartupFolder) + "beta.lnk");
  form.mnuViewRefresh_Click();
  EXPECT_EQ((std::vector<std::string>{"Added", "Alpha", "zeta"}), Names());
  for (const auto& row : list.rows) EXPECT_FALSE(row.checked) << row.texts[0];
  EXPECT_TRUE(list.IsSelected(0));
  EXPECT_EQ("Loading Startup Items ...", view.statusTexts[view.statusTexts.size() - 2]);
  EXPECT_EQ("Ready", view.statusTexts.back());
  EXPECT_TRUE(view.checks[IDM_VIEW_ASCENDING]);
  EXPECT_FALSE(view.checks[IDM_VIEW_DESCENDING]);
}

TEST_F(FrmMainTest, AnEmptyInventorySelectsNothingAndStillFinishes) {
  FakeRegistry empty;
  FakeFileSystem noFiles;
  FrmMain bare{Platform{empty, system, noFiles, messages, programs}, list, view};
  bare.Timer1_Timer();
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ("Ready", view.statusTexts.back());
  EXPECT_TRUE(view.checks[IDM_VIEW_ASCENDING]);
}

TEST_F(FrmMainTest, EachBarToggleFlipsItsBarAndMarkAndRefitsTheList) {
  form.mnuViewToolbar_Click();
  EXPECT_FALSE(view.toolbarVisible);
  EXPECT_FALSE(view.checks[IDM_VIEW_TOOLBAR]);
  EXPECT_EQ((TwipsRect{0, 50, 9375, 5040}), view.listMoves.back());  // bottom 400 above the edge
  form.mnuViewStatusBar_Click();
  EXPECT_FALSE(view.statusBarVisible);
  EXPECT_FALSE(view.checks[IDM_VIEW_STATUS_BAR]);
  EXPECT_EQ((TwipsRect{0, 50, 9375, 5390}), view.listMoves.back());  // 50 above and below
  form.mnuViewToolbar_Click();
  EXPECT_EQ((TwipsRect{0, 375, 9375, 5040}), view.listMoves.back());
  form.mnuViewStatusBar_Click();
  EXPECT_TRUE(view.toolbarVisible);
  EXPECT_TRUE(view.statusBarVisible);
  EXPECT_TRUE(view.checks[IDM_VIEW_TOOLBAR]);
  EXPECT_TRUE(view.checks[IDM_VIEW_STATUS_BAR]);
  EXPECT_EQ((TwipsRect{0, 375, 9375, 4690}), view.listMoves.back());  // bottom 425 above
}

TEST_F(FrmMainTest, ATinyOrMinimizedWindowNeverGetsANegativeListHeight) {
  view.clientHeight = 0;
  form.LayoutMainWindow();
  EXPECT_EQ((TwipsRect{0, 375, 9375, 0}), view.listMoves.back());
  view.clientHeight = 700;
  view.statusBarVisible = false;
  form.LayoutMainWindow();
  EXPECT_EQ((TwipsRect{0, 375, 9375, 250}), view.listMoves.back());
}

// A registry that runs out of memory after its first value.
class ExhaustedRegistry : public FakeRegistry {
 public:
  long EnumValueWide(RegKey key, std::uint32_t index, char16_t* name, std::uint32_t* nameChars,
                     std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataBytes) override {
    if (index > 0) throw std::bad_alloc();
    return FakeRegistry::EnumValueWide(key, index, name, nameChars, type, data, dataBytes);
  }
};

TEST_F(FrmMainTest, AFailureInsideALoadShowsWhatWasReadAndKeepsTheWindow) {
  ExhaustedRegistry failing;
  failing.SetString(kHkeyLocalMachine, RunKeyPath, "Read", "r.exe");
  failing.SetString(kHkeyLocalMachine, RunKeyPath, "Unread", "u.exe");
  FrmMain form2{Platform{failing, system, files, messages, programs}, list, view};
  // As the window procedure runs it: the failure stops at the boundary.
  EXPECT_FALSE(RunAtBoundary([&] { form2.Timer1_Timer(); }, [&](bool outOfMemory) { form2.EndInterruptedCommand(outOfMemory); }));
  EXPECT_EQ((std::vector<std::string>{"Read"}), Names());
  EXPECT_TRUE(list.redraw);
  EXPECT_TRUE(list.IsSelected(0));
  EXPECT_EQ("Ready", view.statusTexts.back());
  EXPECT_TRUE(view.checks[IDM_VIEW_ASCENDING]);
  EXPECT_EQ(0, failing.OpenHandleCount());
}

TEST_F(FrmMainTest, ExitEndsTheProgramAndTheHelpEntriesOpenTheirDialogs) {
  form.mnuInfoLegend_Click();
  form.mnuAbout_Click();
  EXPECT_EQ(1, view.legendOpenings);
  EXPECT_EQ(1, view.aboutOpenings);
  EXPECT_FALSE(view.ended);
  form.mnuExit_Click();
  EXPECT_TRUE(view.ended);
}

TEST(MainWindowLayoutTest, StatusPanelsStretchEquallyDownToTheirMinimums) {
  EXPECT_EQ((std::array<int, 3>{5405, 1845, 1845}), StatusPanelWidths(9375));
  EXPECT_EQ((std::array<int, 3>{5605, 2045, 2045}), StatusPanelWidths(9975));
  EXPECT_EQ((std::array<int, 3>{5000, 1440, 1440}), StatusPanelWidths(8160));
  EXPECT_EQ((std::array<int, 3>{5000, 1440, 1440}), StatusPanelWidths(3000));
  EXPECT_EQ((std::array<int, 3>{5000, 1440, 1440}), StatusPanelWidths(0));
}

TEST(MainWindowLayoutTest, EachBarCombinationLeavesItsBand) {
  EXPECT_EQ((TwipsRect{0, 375, 9375, 4690}), ComputeListPlacement(true, true, 9375, 5490));
  EXPECT_EQ((TwipsRect{0, 50, 9375, 5040}), ComputeListPlacement(false, true, 9375, 5490));
  EXPECT_EQ((TwipsRect{0, 375, 9375, 5040}), ComputeListPlacement(true, false, 9375, 5490));
  EXPECT_EQ((TwipsRect{0, 50, 9375, 5390}), ComputeListPlacement(false, false, 9375, 5490));
  EXPECT_EQ((TwipsRect{0, 50, 12000, 0}), ComputeListPlacement(false, false, 12000, 99));
}

}  // namespace
}  // namespace rw
