// The list control contract against a real comctl32 list view.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/win32_list_control.h"
#include "tests/wine/wine_test_support.h"

namespace rw {
namespace {

class ListControlContractTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitCommonControls(); }
  void SetUp() override {
    window_ = wine::CreateTestListView(LVS_SHOWSELALWAYS | LVS_SINGLESEL);
    ASSERT_NE(nullptr, window_);
    list_.Attach(window_);
  }
  void TearDown() override { DestroyWindow(window_); }
  void Add(const std::vector<std::string>& names) {
    for (const std::string& name : names) list_.AddRow(name, "loc " + name, "info " + name);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int p = 0; p < list_.Count(); ++p) names.push_back(list_.Text(p, kColumnName));
    return names;
  }
  HWND window_ = nullptr;
  Win32ListControl list_;
};

TEST_F(ListControlContractTest, RowsKeepTheirTextsWholeInEveryColumn) {
  const std::string longName(400, 'n');
  const std::string longLocation = "C:\\" + std::string(5000, 'l') + ".exe";
  list_.AddRow(longName, longLocation, "Reg - HKCU");
  EXPECT_EQ(1, list_.Count());
  EXPECT_EQ(longName, list_.Text(0, kColumnName));
  EXPECT_EQ(longLocation, list_.Text(0, kColumnLocation));
  EXPECT_EQ("Reg - HKCU", list_.Text(0, kColumnInformation));
  EXPECT_FALSE(list_.IsChecked(0)) << "rows start unchecked";
}

TEST_F(ListControlContractTest, SortsCaseInsensitivelyBothWaysWithChecksAndSelectionAlong) {
  Add({"beta", "Alpha", "delta", "Gamma"});
  list_.SetChecked(1, true);   // Alpha
  list_.SetSelected(3, true);  // Gamma
  list_.SortByName(true);
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "delta", "Gamma"}), Names());
  EXPECT_TRUE(list_.IsChecked(0));
  EXPECT_TRUE(list_.IsSelected(3));
  EXPECT_EQ("loc Alpha", list_.Text(0, kColumnLocation)) << "sub-items move with their row";
  list_.SortByName(false);
  EXPECT_EQ((std::vector<std::string>{"Gamma", "delta", "beta", "Alpha"}), Names());
  EXPECT_TRUE(list_.IsChecked(3));
  EXPECT_TRUE(list_.IsSelected(0));
}

TEST_F(ListControlContractTest, EqualNamesKeepTheOrderTheyWereAddedIn) {
  list_.AddRow("Twin", "machine", "Reg - HKLM");
  list_.AddRow("a", "a", "Reg - HKLM");
  list_.AddRow("TWIN", "user", "Reg - HKCU");
  list_.SortByName(true);
  EXPECT_EQ("machine", list_.Text(1, kColumnLocation));
  EXPECT_EQ("user", list_.Text(2, kColumnLocation));
}

TEST_F(ListControlContractTest, CheckingChangesOnlyTheCheckBox) {
  Add({"a", "b"});
  list_.SetSelected(1, true);
  list_.SetChecked(1, true);
  EXPECT_TRUE(list_.IsChecked(1));
  EXPECT_TRUE(list_.IsSelected(1));
  list_.SetChecked(1, false);
  EXPECT_FALSE(list_.IsChecked(1));
  EXPECT_TRUE(list_.IsSelected(1));
  list_.SetChecked(7, true);  // no such row: nothing happens
  EXPECT_EQ(2, list_.Count());
}

TEST_F(ListControlContractTest, RemovingARowMovesTheNextUp) {
  Add({"a", "b", "c"});
  list_.SetChecked(2, true);
  list_.RemoveRow(1);
  EXPECT_EQ((std::vector<std::string>{"a", "c"}), Names());
  EXPECT_TRUE(list_.IsChecked(1));
  list_.Clear();
  EXPECT_EQ(0, list_.Count());
}

TEST_F(ListControlContractTest, ViewsSwitchTheControlsTypeAndKeepTheRows) {
  Add({"a", "b"});
  list_.SetChecked(0, true);
  const std::pair<ListViewMode, DWORD> views[] = {{ListViewMode::kLargeIcons, LVS_ICON},
                                                  {ListViewMode::kSmallIcons, LVS_SMALLICON},
                                                  {ListViewMode::kList, LVS_LIST},
                                                  {ListViewMode::kDetails, LVS_REPORT}};
  for (const auto& [mode, style] : views) {
    list_.SetView(mode);
    EXPECT_EQ(style, static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)) & LVS_TYPEMASK);
    EXPECT_EQ(2, list_.Count());
    EXPECT_TRUE(list_.IsChecked(0));
  }
}

}  // namespace
}  // namespace rw
