#include <gtest/gtest.h>

#include <new>

#include "core/startup_sources.h"
#include "res/resource.h"
#include "tests/fakes/fake_list_control.h"
#include "tests/unit/fake_main_window_view.h"
#include "tests/unit/fake_platform.h"
#include "ui/main/main_toolbar.h"
#include "ui/main/main_window.h"
#include "ui/window/command_boundary.h"

namespace rw {
namespace {

class MainWindowLifecycleTest : public FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    registry.SetString(kHkeyCurrentUser, kRunKeyPath, "zeta", "z.exe");
    registry.SetString(kHkeyLocalMachine, kRunKeyPath, "Alpha", "a.exe");
    files.AddFile(kWin9xStartupFolder, "beta.lnk", "Shortcut");
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& row : list.rows) names.push_back(row.texts[0]);
    return names;
  }
  FakeListControl list;
  FakeMainWindowView view;
  MainWindow window{services(), WindowsFamily::kWin9x, false, list, view};
};

TEST_F(MainWindowLifecycleTest, LoadLaysOutSetsTheCaptionAndArmsTheTimerWithAnEmptyList) {
  window.OnCreated();
  EXPECT_EQ("Windows Runwarden", view.caption);
  EXPECT_TRUE(view.timerEnabled);
  ASSERT_EQ(1u, view.listMoves.size());
  EXPECT_EQ((TwipsRect{0, 375, 9375, 4690}), view.listMoves[0]);
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ("Ready", view.statusTexts.back());
  EXPECT_EQ(0, registry.CallCount()) << "nothing is read before the timer";
}

TEST_F(MainWindowLifecycleTest, TheTimerLoadsOnceSortedWithTheFirstRowSelected) {
  window.OnCreated();
  window.OnFirstLoad();
  EXPECT_FALSE(view.timerEnabled);
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta.lnk", "zeta"}), Names());
  EXPECT_TRUE(list.IsSelected(0));
  EXPECT_FALSE(list.IsSelected(1));
  EXPECT_EQ((std::vector<std::string>{"Ready", "Loading Startup Items ...", "Ready"}),
            view.statusTexts);
  EXPECT_TRUE(view.checks[IDM_SORT_ASCENDING]);
  EXPECT_FALSE(view.checks[IDM_SORT_DESCENDING]);
  EXPECT_TRUE(list.redraw) << "the list draws again after the load";
}

// F5 before the timer: the load ends the timer, a tick already on its way
// loads nothing, and a row kept from an earlier load addresses no entry.
TEST_F(MainWindowLifecycleTest, F5BeforeTheTimerLoadsOnceAndEveryRowAddressesItsOwnEntry) {
  window.OnCreated();
  window.Refresh();
  EXPECT_FALSE(view.timerEnabled) << "any load ends the first load's timer";
  const std::uint32_t earlierId = list.rows[0].id;
  window.OnFirstLoad();
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta.lnk", "zeta"}), Names());
  window.Refresh();
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta.lnk", "zeta"}), Names()) << "each entry listed once";
  EXPECT_EQ(nullptr, window.inventory().Find(earlierId));
  for (const auto& row : list.rows) {
    const StartupItem* item = window.inventory().Find(row.id);
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(FakeWiden(row.texts[kColumnName]), std::u16string(item->Text(kColumnName).units, item->Text(kColumnName).length));
  }
}

TEST_F(MainWindowLifecycleTest, RefreshReadsTheInventoryAfreshWithEveryRowUnchecked) {
  window.OnFirstLoad();
  for (auto& row : list.rows) row.checked = true;
  view.checks[IDM_SORT_ASCENDING] = false;
  view.checks[IDM_SORT_DESCENDING] = true;
  registry.SetString(kHkeyCurrentUser, kRunKeyPath, "Added", "new.exe");
  files.RemoveFile(std::string(kWin9xStartupFolder) + "beta.lnk");
  window.Refresh();
  EXPECT_EQ((std::vector<std::string>{"Added", "Alpha", "zeta"}), Names());
  for (const auto& row : list.rows) EXPECT_FALSE(row.checked) << row.texts[0];
  EXPECT_TRUE(list.IsSelected(0));
  EXPECT_EQ("Loading Startup Items ...", view.statusTexts[view.statusTexts.size() - 2]);
  EXPECT_EQ("Ready", view.statusTexts.back());
  EXPECT_TRUE(view.checks[IDM_SORT_ASCENDING]);
  EXPECT_FALSE(view.checks[IDM_SORT_DESCENDING]);
}

TEST_F(MainWindowLifecycleTest, AnEmptyInventorySelectsNothingAndStillFinishes) {
  FakeRegistry empty;
  FakeFileSystem noFiles;
  MainWindow bare{Platform{empty, system, noFiles, messages, programs}, WindowsFamily::kWin9x, false, list, view};
  bare.OnFirstLoad();
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ("Ready", view.statusTexts.back());
  EXPECT_TRUE(view.checks[IDM_SORT_ASCENDING]);
}

TEST_F(MainWindowLifecycleTest, EachBarToggleFlipsItsBarAndMarkAndRefitsTheList) {
  window.ToggleToolbar();
  EXPECT_FALSE(view.toolbarVisible);
  EXPECT_FALSE(view.checks[IDM_TOOLBAR]);
  EXPECT_EQ((TwipsRect{0, 50, 9375, 5040}), view.listMoves.back());  // bottom 400 above the edge
  window.ToggleStatusBar();
  EXPECT_FALSE(view.statusBarVisible);
  EXPECT_FALSE(view.checks[IDM_STATUS_BAR]);
  EXPECT_EQ((TwipsRect{0, 50, 9375, 5390}), view.listMoves.back());  // 50 above and below
  window.ToggleToolbar();
  EXPECT_EQ((TwipsRect{0, 375, 9375, 5040}), view.listMoves.back());
  window.ToggleStatusBar();
  EXPECT_TRUE(view.toolbarVisible);
  EXPECT_TRUE(view.statusBarVisible);
  EXPECT_TRUE(view.checks[IDM_TOOLBAR]);
  EXPECT_TRUE(view.checks[IDM_STATUS_BAR]);
  EXPECT_EQ((TwipsRect{0, 375, 9375, 4690}), view.listMoves.back());  // bottom 425 above
}

TEST_F(MainWindowLifecycleTest, ATinyOrMinimizedWindowNeverGetsANegativeListHeight) {
  view.clientHeight = 0;
  window.LayoutMainWindow();
  EXPECT_EQ((TwipsRect{0, 375, 9375, 0}), view.listMoves.back());
  view.clientHeight = 700;
  view.statusBarVisible = false;
  window.LayoutMainWindow();
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

TEST_F(MainWindowLifecycleTest, AFailureInsideALoadShowsWhatWasReadAndKeepsTheWindow) {
  ExhaustedRegistry failing;
  failing.SetString(kHkeyLocalMachine, kRunKeyPath, "Read", "r.exe");
  failing.SetString(kHkeyLocalMachine, kRunKeyPath, "Unread", "u.exe");
  MainWindow window2{Platform{failing, system, files, messages, programs}, WindowsFamily::kWin9x, false, list, view};
  // As the window procedure runs it: the failure ends the machine's key only.
  EXPECT_TRUE(RunAtBoundary([&] { window2.OnFirstLoad(); }, [&](bool outOfMemory) { window2.EndInterruptedCommand(outOfMemory); }));
  EXPECT_EQ((std::vector<std::string>{"beta.lnk", "Read"}), Names());
  EXPECT_TRUE(list.redraw);
  EXPECT_TRUE(list.IsSelected(0));
  EXPECT_EQ("Ready", view.statusTexts.back());
  EXPECT_TRUE(view.checks[IDM_SORT_ASCENDING]);
  EXPECT_EQ(0, failing.OpenHandleCount());
}

// Every menu entry and toolbar button leads to a command; an id of none does nothing.
TEST_F(MainWindowLifecycleTest, EveryMenuEntryAndToolbarButtonRunsItsCommand) {
  std::vector<int> ids;
  for (int m = 0; m < kMainMenuCount; ++m) {
    for (int e = 0; e < kMainMenu[m].entryCount; ++e) {
      if (kMainMenu[m].entries[e].id != 0) ids.push_back(kMainMenu[m].entries[e].id);
    }
  }
  for (const ToolbarButtonSpec& button : kToolbarButtons) {
    if (button.picture >= 0) ids.push_back(button.id);
  }
  for (const int id : ids) {
    messages.answers.push_back(kIdNo);  // the delete asks, and is told no
    EXPECT_TRUE(window.RunCommand(id)) << "no command for id " << id;
  }
  EXPECT_FALSE(window.RunCommand(0));
  EXPECT_TRUE(view.ended);
  EXPECT_EQ(1, view.aboutOpenings);
}

TEST_F(MainWindowLifecycleTest, ExitEndsTheProgramAndTheHelpEntriesOpenTheirDialogs) {
  window.ShowLegend();
  window.ShowAbout();
  EXPECT_EQ(1, view.legendOpenings);
  EXPECT_EQ(1, view.aboutOpenings);
  EXPECT_FALSE(view.ended);
  window.Exit();
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
