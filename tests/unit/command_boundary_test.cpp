// An exception in the middle of a command stops at the window's boundary: the
// command ends as it always ends, keeping what it had done, and the window
// takes the next command.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/unit/main_window_fixture.h"
#include "ui/window/command_boundary.h"

namespace rw {
namespace {

const std::string kRun = kRunKeyPath;

// A list that fails once, at the chosen call.
class ThrowingList : public FakeListControl {
 public:
  int throwAtRemove = 0;  // the n-th RemoveRow throws (0: never)
  int throwAtAdd = 0;
  bool throwOnSort = false;

  void RemoveRow(int position) override {
    if (++removes_ == throwAtRemove) throw std::runtime_error("list failed");
    FakeListControl::RemoveRow(position);
  }
  bool AddRow(std::uint32_t id) override {
    if (++adds_ == throwAtAdd) throw std::bad_alloc();
    return FakeListControl::AddRow(id);
  }
  void SortRows(const RowOrder& order, bool ascending) override {
    if (throwOnSort) {
      throwOnSort = false;
      throw std::runtime_error("sort failed");
    }
    FakeListControl::SortRows(order, ascending);
  }

 private:
  int removes_ = 0;
  int adds_ = 0;
};

class CommandBoundaryTest : public MainWindowTest {
 protected:
  // What the window procedure does with a command.
  bool Run(void (MainWindow::*command)()) {
    return RunAtBoundary([&] { (throwing.*command)(); },
                         [&](bool outOfMemory) { throwing.EndInterruptedCommand(outOfMemory); });
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> names;
    for (const auto& row : list_.rows) names.push_back(row.texts[kColumnName]);
    return names;
  }
  std::vector<std::string> RunValues() const {
    std::vector<std::string> names;
    for (const FakeValue& value : registry.Values(kHkeyCurrentUser, kRun)) names.push_back(value.name);
    return names;
  }
  void ExpectUsable() {
    EXPECT_TRUE(list_.redraw) << "the list draws again";
    if (!list_.rows.empty()) {
      EXPECT_TRUE(list_.IsSelected(0));
    }
  }

  ThrowingList list_;
  FakeMainWindowView view_;
  MainWindow throwing{services(), WindowsFamily::kWin9x, false, list_, view_};
};

TEST_F(CommandBoundaryTest, ADeleteCutShortKeepsWhatItDeletedAndTheNextDeleteGoesOn) {
  for (const char* name : {"a", "b", "c", "d"}) registry.SetString(kHkeyCurrentUser, kRun, name, "x.exe");
  ASSERT_TRUE(Run(&MainWindow::Refresh));
  for (auto& row : list_.rows) row.checked = row.texts[kColumnName] != "d";
  // The pass deletes c, b and a; the list removes c's row, then fails at b's.
  list_.throwAtRemove = 2;
  messages.answers.push_back(kIdYes);
  EXPECT_FALSE(Run(&MainWindow::DeleteCheckedItems));
  EXPECT_EQ(std::vector<std::string>{"d"}, RunValues()) << "the registry as the delete left it";
  EXPECT_EQ((std::vector<std::string>{"a", "b", "d"}), Rows());
  ExpectUsable();
  ASSERT_EQ(2u, messages.shown.size()) << "a delete cut short reports too";
  EXPECT_EQ(std::string::npos, messages.shown[1].text.find("\nb (")) << "b's value went";
  EXPECT_NE(std::string::npos, messages.shown[1].text.find("Deleting stopped early: An unexpected error occurred."));

  messages.answers.push_back(kIdYes);
  EXPECT_TRUE(Run(&MainWindow::DeleteCheckedItems));
  EXPECT_EQ(std::vector<std::string>{"d"}, RunValues());
  EXPECT_EQ(std::vector<std::string>{"d"}, Rows());
  ExpectUsable();
}

TEST_F(CommandBoundaryTest, ASortCutShortChangesNothingAndTheWindowGoesOn) {
  for (const char* name : {"b", "a", "c"}) registry.SetString(kHkeyCurrentUser, kRun, name, "x.exe");
  ASSERT_TRUE(Run(&MainWindow::Refresh));
  list_.throwOnSort = true;
  EXPECT_FALSE(Run(&MainWindow::SortDescendingAndMark));
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), Rows());
  EXPECT_TRUE(view_.checks[IDM_SORT_ASCENDING]) << "the marks still say how the list is sorted";
  EXPECT_FALSE(view_.checks[IDM_SORT_DESCENDING]);
  ExpectUsable();

  list_.throwOnSort = true;
  EXPECT_FALSE(RunAtBoundary([&] { throwing.RunCommand(IDM_TOOLBAR_SORT_DESCENDING); },
                             [&](bool outOfMemory) { throwing.EndInterruptedCommand(outOfMemory); }));
  EXPECT_TRUE(Run(&MainWindow::SortDescendingAndMark));
  EXPECT_EQ((std::vector<std::string>{"c", "b", "a"}), Rows());
  list_.rows[0].checked = true;
  messages.answers.push_back(kIdYes);
  EXPECT_TRUE(Run(&MainWindow::DeleteCheckedItems));
  EXPECT_EQ((std::vector<std::string>{"b", "a"}), RunValues()) << "c gone, in the key's order";
}

// Lack of memory while a source is read ends that source only: it is named,
// and the load goes on, and ends, as every load ends.
TEST_F(CommandBoundaryTest, ALoadCutShortEndsAsEveryLoadEndsAndNamesTheSource) {
  for (const char* name : {"d", "c", "b", "a"}) registry.SetString(kHkeyCurrentUser, kRun, name, "x.exe");
  files.AddFile(Folder(), "z.lnk", "Shortcut");
  view_.checks[IDM_SORT_ASCENDING] = false;
  view_.checks[IDM_SORT_DESCENDING] = true;
  registry.FailEnumAt(kHkeyCurrentUser, kRun, 2, FakeRegistry::kOutOfMemoryOnce);
  EXPECT_TRUE(Run(&MainWindow::OnFirstLoad)) << "the failure stops inside the load";
  EXPECT_EQ((std::vector<std::string>{"c", "d", "z.lnk"}), Rows()) << "what was read, sorted";
  EXPECT_EQ("Ready", view_.statusTexts.back());
  EXPECT_TRUE(view_.checks[IDM_SORT_ASCENDING]);
  EXPECT_FALSE(view_.checks[IDM_SORT_DESCENDING]);
  EXPECT_FALSE(view_.timerEnabled);
  ExpectUsable();
  ASSERT_EQ(1u, messages.shown.size());
  EXPECT_NE(std::string::npos,
            messages.shown[0].text.find("Run): Not enough storage is available to process this command. "
                                        "2 items were read from it."))
      << messages.shown[0].text;
  EXPECT_TRUE(Run(&MainWindow::Refresh));
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d", "z.lnk"}), Rows());
}

// Each step of ending a load runs whatever the one before met.
TEST_F(CommandBoundaryTest, AFailureWhileEndingALoadStillEndsItAndIsSaid) {
  registry.SetString(kHkeyCurrentUser, kRun, "a", "x.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "b", "x.exe");
  registry.FailEnumAt(kHkeyCurrentUser, kRun, 1, FakeRegistry::kOutOfMemoryOnce);
  list_.throwAtAdd = 1;  // the load's own ending fails as well
  EXPECT_TRUE(Run(&MainWindow::Refresh));
  EXPECT_TRUE(list_.redraw);
  EXPECT_EQ("Ready", view_.statusTexts.back());
  ASSERT_EQ(1u, messages.shown.size());
  EXPECT_NE(std::string::npos, messages.shown[0].text.find("Run): Not enough storage")) << messages.shown[0].text;
  EXPECT_EQ(std::vector<std::string>{"a"}, Rows()) << "shown, tried again";
  EXPECT_TRUE(Run(&MainWindow::Refresh));
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), Rows());
  EXPECT_EQ("Ready", view_.statusTexts.back());
}

}  // namespace
}  // namespace rw
