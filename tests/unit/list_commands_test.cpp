#include <gtest/gtest.h>

#include "platform/text_cut.h"
#include "res/resource.h"
#include "tests/unit/main_window_fixture.h"

namespace rw {
namespace {

const std::string kRun = kRunKeyPath;

class ListCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const char* name : {"beta", "Alpha", "gamma", "Delta"}) {
      registry.SetString(kHkeyCurrentUser, kRun, name, "x.exe");
    }
    Load();
  }
  bool Mark(int id) { return view.checks.at(id); }
};

TEST_F(ListCommandsTest, MenuSortsSetTheOrderAndExactlyOneMark) {
  window.SortDescendingAndMark();
  EXPECT_EQ((std::vector<std::string>{"gamma", "Delta", "beta", "Alpha"}), Names());
  EXPECT_TRUE(Mark(IDM_SORT_DESCENDING));
  EXPECT_FALSE(Mark(IDM_SORT_ASCENDING));
  window.SortDescendingAndMark();
  EXPECT_EQ((std::vector<std::string>{"gamma", "Delta", "beta", "Alpha"}), Names());
  window.SortAscendingAndMark();
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}), Names());
  EXPECT_TRUE(Mark(IDM_SORT_ASCENDING));
  EXPECT_FALSE(Mark(IDM_SORT_DESCENDING));
}

TEST_F(ListCommandsTest, ToolbarSortsLeaveTheMenuMarksAlone) {
  window.RunCommand(IDM_TOOLBAR_SORT_DESCENDING);
  EXPECT_EQ((std::vector<std::string>{"gamma", "Delta", "beta", "Alpha"}), Names());
  EXPECT_TRUE(Mark(IDM_SORT_ASCENDING));
  EXPECT_FALSE(Mark(IDM_SORT_DESCENDING));
  window.SortDescendingAndMark();
  window.RunCommand(IDM_TOOLBAR_SORT_ASCENDING);
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}), Names());
  EXPECT_TRUE(Mark(IDM_SORT_DESCENDING));
}

TEST_F(ListCommandsTest, SortingAndViewsKeepEachRowsCheckAndSelection) {
  Check({"beta", "gamma"});
  list.SetSelected(0, false);
  list.SetSelected(2, true);  // Delta
  window.SortDescendingAndMark();
  window.RunCommand(IDM_VIEW_LARGE_ICONS);
  window.RunCommand(IDM_VIEW_LIST);
  EXPECT_EQ((std::vector<std::string>{"gamma", "beta"}), CheckedNames());
  EXPECT_TRUE(list.IsSelected(1));  // Delta, now second
  EXPECT_EQ(4, list.Count());
}

TEST_F(ListCommandsTest, CheckAllAndUncheckAllTouchOnlyTheCheckBoxes) {
  files.AddFile(Folder(), "desktop.ini", "Configuration Settings");
  Load();
  window.CheckAll();
  EXPECT_EQ(5u, CheckedNames().size());
  EXPECT_TRUE(list.IsSelected(0));
  window.UncheckAll();
  EXPECT_TRUE(CheckedNames().empty());
  EXPECT_EQ(5, list.Count());
  EXPECT_EQ(0, registry.DeleteCalls());
}

TEST_F(ListCommandsTest, CheckAllOnAnEmptyListDoesNothing) {
  list.Clear();
  window.CheckAll();
  EXPECT_EQ(0, list.Count());
}

TEST_F(ListCommandsTest, EachViewButtonChoosesItsView) {
  const std::pair<int, ListViewMode> buttons[] = {
      {IDM_VIEW_SMALL_ICONS, ListViewMode::kSmallIcons}, {IDM_VIEW_LARGE_ICONS, ListViewMode::kLargeIcons},
      {IDM_VIEW_LIST, ListViewMode::kList}, {IDM_VIEW_DETAILS, ListViewMode::kDetails}};
  for (const auto& [id, mode] : buttons) {
    EXPECT_TRUE(window.RunCommand(id));
    EXPECT_EQ(mode, list.view) << id;
  }
  window.RunCommand(IDM_VIEW_LIST);
  Load();
  EXPECT_EQ(ListViewMode::kList, list.view) << "a load keeps the view";
}

TEST_F(ListCommandsTest, IdsOfNoCommandDoNothing) {
  Check({"beta"});
  for (const int id : {0, IDM_EXIT - 1, IDM_UNDO_DELETE + 1, 220, IDM_VIEW_DETAILS + 1, 0xFFFF}) {
    EXPECT_FALSE(window.RunCommand(id)) << id;
  }
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}), Names());
  EXPECT_EQ(ListViewMode::kDetails, list.view);
  EXPECT_EQ(std::vector<std::string>{"beta"}, CheckedNames());
}

TEST_F(ListCommandsTest, CheckAllThenDeleteRemovesEveryRegistryEntryAndShortcut) {
  files.AddFile(Folder(), "Agent.lnk", "Shortcut");
  files.AddFile(Folder(), "desktop.ini", "Configuration Settings");
  Load();
  window.CheckAll();
  messages.answers.push_back(kIdYes);
  window.DeleteCheckedItems();
  EXPECT_EQ(std::vector<std::string>{"desktop.ini"}, Names());
  EXPECT_TRUE(registry.Values(kHkeyCurrentUser, kRun).empty());
  EXPECT_EQ(std::vector<std::string>{"desktop.ini"}, files.FileNames(Folder()));
}

// A name cut to the list's buffer in a double-byte code page never ends on a
// lone lead byte.
TEST(CharacterBoundaryCutTest, CutsOnlyBetweenCharacters) {
  const auto lead = [](unsigned char byte) { return byte >= 0x81 && byte <= 0x9F; };  // as in Shift JIS
  const std::string text = "a\x82\xA0\x82\xA2" "b";  // a, two double-byte characters, b
  EXPECT_EQ(6u, CharacterBoundaryCut(text, 9, lead));
  EXPECT_EQ(5u, CharacterBoundaryCut(text, 5, lead));
  EXPECT_EQ(3u, CharacterBoundaryCut(text, 4, lead)) << "not between a lead byte and its trail byte";
  EXPECT_EQ(1u, CharacterBoundaryCut(text, 2, lead));
  EXPECT_EQ(0u, CharacterBoundaryCut("\x82\xA0", 1, lead));
}

}  // namespace
}  // namespace rw
