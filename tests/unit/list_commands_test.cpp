#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/unit/main_window_fixture.h"

namespace rw {
namespace {

const std::string kRun = RunKeyPath;

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
  form.mnuViewDescending_Click();
  EXPECT_EQ((std::vector<std::string>{"gamma", "Delta", "beta", "Alpha"}), Names());
  EXPECT_TRUE(Mark(IDM_VIEW_DESCENDING));
  EXPECT_FALSE(Mark(IDM_VIEW_ASCENDING));
  form.mnuViewDescending_Click();
  EXPECT_EQ((std::vector<std::string>{"gamma", "Delta", "beta", "Alpha"}), Names());
  form.mnuViewAscending_Click();
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}), Names());
  EXPECT_TRUE(Mark(IDM_VIEW_ASCENDING));
  EXPECT_FALSE(Mark(IDM_VIEW_DESCENDING));
}

TEST_F(ListCommandsTest, ToolbarSortsLeaveTheMenuMarksAlone) {
  form.Toolbar1_ButtonClick("Sort Descending");
  EXPECT_EQ((std::vector<std::string>{"gamma", "Delta", "beta", "Alpha"}), Names());
  EXPECT_TRUE(Mark(IDM_VIEW_ASCENDING));
  EXPECT_FALSE(Mark(IDM_VIEW_DESCENDING));
  form.mnuViewDescending_Click();
  form.Toolbar1_ButtonClick("Sort Ascending");
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}), Names());
  EXPECT_TRUE(Mark(IDM_VIEW_DESCENDING));
}

TEST_F(ListCommandsTest, SortingAndViewsKeepEachRowsCheckAndSelection) {
  Check({"beta", "gamma"});
  list.SetSelected(0, false);
  list.SetSelected(2, true);  // Delta
  form.mnuViewDescending_Click();
  form.Toolbar1_ButtonClick("View Large Icons");
  form.Toolbar1_ButtonClick("View List");
  EXPECT_EQ((std::vector<std::string>{"gamma", "beta"}), CheckedNames());
  EXPECT_TRUE(list.IsSelected(1));  // Delta, now second
  EXPECT_EQ(4, list.Count());
}

TEST_F(ListCommandsTest, CheckAllAndUncheckAllTouchOnlyTheCheckBoxes) {
  files.AddFile(Folder(), "desktop.ini", "Configuration Settings");
  Load();
  form.mnuViewCheckAll_Click();
  EXPECT_EQ(5u, CheckedNames().size());
  EXPECT_TRUE(list.IsSelected(0));
  form.mnuViewUncheckAll_Click();
  EXPECT_TRUE(CheckedNames().empty());
  EXPECT_EQ(5, list.Count());
  EXPECT_EQ(0, registry.DeleteCalls());
}

TEST_F(ListCommandsTest, CheckAllOnAnEmptyListDoesNothing) {
  list.Clear();
  form.mnuViewCheckAll_Click();
  EXPECT_EQ(0, list.Count());
}

TEST_F(ListCommandsTest, EachViewKeyChoosesItsView) {
  const std::pair<const char*, ListViewMode> keys[] = {
      {"View Small Icons", ListViewMode::kSmallIcons}, {"View Large Icons", ListViewMode::kLargeIcons},
      {"View List", ListViewMode::kList}, {"View Details", ListViewMode::kDetails}};
  for (const auto& [key, mode] : keys) {
    form.Toolbar1_ButtonClick(key);
    EXPECT_EQ(mode, list.view) << key;
  }
  form.Toolbar1_ButtonClick("View List");
  Load();
  EXPECT_EQ(ListViewMode::kList, list.view) << "a load keeps the view";
}

TEST_F(ListCommandsTest, UnknownOrMiscasedKeysDoNothing) {
  Check({"beta"});
  for (const char* key : {"", "delete", "Sort ascending", "View details", "Refresh"}) {
    form.Toolbar1_ButtonClick(key);
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
  form.mnuViewCheckAll_Click();
  messages.answers.push_back(kIdYes);
  form.mnuDeleteCheckedItems_Click();
  EXPECT_EQ(std::vector<std::string>{"desktop.ini"}, Names());
  EXPECT_TRUE(registry.Values(kHkeyCurrentUser, kRun).empty());
  EXPECT_EQ(std::vector<std::string>{"desktop.ini"}, files.FileNames(Folder()));
}

}  // namespace
}  // namespace rw
