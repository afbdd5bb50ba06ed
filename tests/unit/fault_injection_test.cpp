// Every platform call of a load and of a delete made to fail in turn: the
// program must not crash or hang, must delete nothing that was not checked,
// must report every checked entry it could not delete, and must say when a
// load may have missed entries because the list or memory failed.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <new>
#include <stdexcept>

#include "tests/unit/main_window_fixture.h"
#include "core/delete_report.h"
#include "ui/window/command_boundary.h"

namespace rw {
namespace {

const std::string kRun = kRunKeyPath;

// Counts the platform calls of all stand-ins together and fails the one
// chosen; a persistent fault then fails every later call of its kind too, as
// a locked registry key or a file that cannot go would on every retry.
struct FaultPlan {
  int calls = 0;
  int failAt = -1;
  bool persistent = false;
  bool outOfMemory = false;  // the chosen call throws std::bad_alloc instead
  bool otherFailure = false;  // the chosen call throws some other exception instead
  std::string tripped;  // which kind of call failed
  bool Trip(const char* call) {
    if (++calls == failAt) {
      tripped = call;
      // Closing a key runs in a destructor, where nothing may throw.
      if (outOfMemory && tripped != "CloseKey") throw std::bad_alloc();
      if (otherFailure && tripped != "CloseKey") throw std::runtime_error("failed");
      return true;
    }
    return persistent && tripped == call;
  }
};

class FaultyRegistry : public FakeRegistry {
 public:
  explicit FaultyRegistry(FaultPlan& plan) : plan_(plan) {}
  long OpenKey(RegKey hive, const std::string& path, RegKey* key) override {
    return plan_.Trip("OpenKey") ? kRegAccessDenied : FakeRegistry::OpenKey(hive, path, key);
  }
  long OpenKeyEx(RegKey hive, const std::string& path, std::uint32_t access, RegKey* key) override {
    return plan_.Trip("OpenKeyEx") ? kRegAccessDenied : FakeRegistry::OpenKeyEx(hive, path, access, key);
  }
  long QueryValueLimits(RegKey key, std::uint32_t* names, std::uint32_t* data) override {
    return plan_.Trip("QueryValueLimits") ? kRegAccessDenied
                                          : FakeRegistry::QueryValueLimits(key, names, data);
  }
  long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameChars,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataBytes) override {
    if (plan_.Trip("EnumValue")) return 1011;  // a code the enumeration does not expect
    return FakeRegistry::EnumValue(key, index, name, nameChars, type, data, dataBytes);
  }
  long EnumValueWide(RegKey key, std::uint32_t index, char16_t* name, std::uint32_t* nameChars,
                     std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataBytes) override {
    if (plan_.Trip("EnumValueWide")) return 1011;
    return FakeRegistry::EnumValueWide(key, index, name, nameChars, type, data, dataBytes);
  }
  long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* dataBytes) override {
    return plan_.Trip("QueryValueEx") ? kRegAccessDenied
                                      : FakeRegistry::QueryValueEx(key, name, type, data, dataBytes);
  }
  long DeleteValue(RegKey key, const std::string& name) override {
    return plan_.Trip("DeleteValue") ? kRegAccessDenied : FakeRegistry::DeleteValue(key, name);
  }
  long QueryValueExWide(RegKey key, const std::u16string& name, std::uint32_t* type,
                        std::uint8_t* data, std::uint32_t* dataBytes) override {
    return plan_.Trip("QueryValueExWide")
               ? kRegAccessDenied
               : FakeRegistry::QueryValueExWide(key, name, type, data, dataBytes);
  }
  long DeleteValueWide(RegKey key, const std::u16string& name) override {
    return plan_.Trip("DeleteValueWide") ? kRegAccessDenied
                                         : FakeRegistry::DeleteValueWide(key, name);
  }
  long ReadValue(RegKey key, const ExactName& name, std::uint32_t* type, std::vector<std::uint8_t>* data) override {
    return plan_.Trip("ReadValue") ? kRegAccessDenied : FakeRegistry::ReadValue(key, name, type, data);
  }
  long CloseKey(RegKey key) override {
    return plan_.Trip("CloseKey") ? kRegInvalidHandle : FakeRegistry::CloseKey(key);
  }

 private:
  FaultPlan& plan_;
};

class FaultyFiles : public FakeFileSystem {
 public:
  explicit FaultyFiles(FaultPlan& plan) : plan_(plan) {}
  long ListFiles(const ExactName& folder, std::vector<FolderFile>* files) override {
    if (plan_.Trip("ListFiles")) {
      files->clear();
      return kErrorAccessDenied;
    }
    return FakeFileSystem::ListFiles(folder, files);
  }
  bool ShellStartupFolder(StartupFolderKind kind, ExactName* folder) override {
    return !plan_.Trip("ShellStartupFolder") && FakeFileSystem::ShellStartupFolder(kind, folder);
  }
  long RemoveFile(const ExactName& path) override {
    return plan_.Trip("RemoveFile") ? kErrorAccessDenied : FakeFileSystem::RemoveFile(path);
  }
  long ReadWholeFile(const ExactName& path, std::size_t maxBytes, FileContents* contents) override {
    return plan_.Trip("ReadWholeFile") ? kErrorAccessDenied : FakeFileSystem::ReadWholeFile(path, maxBytes, contents);
  }

 private:
  FaultPlan& plan_;
};

class FaultyMessages : public FakeMessageBoxes {
 public:
  explicit FaultyMessages(FaultPlan& plan) : plan_(plan) {}
  int Show(const std::string& text, const std::string& title, unsigned style) override {
    if (plan_.Trip("MessageBox")) return 0;  // the box could not be shown
    return FakeMessageBoxes::Show(text, title, style);
  }
  int ShowUnicode(const std::u16string& text, const std::string& title, unsigned style) override {
    if (plan_.Trip("MessageBox")) return 0;
    return FakeMessageBoxes::ShowUnicode(text, title, style);
  }

 private:
  FaultPlan& plan_;
};

// A list that cannot take the chosen row; its other calls can only throw.
class FaultyList : public FakeListControl {
 public:
  explicit FaultyList(FaultPlan& plan) : plan_(plan) {}
  bool AddRow(std::uint32_t id) override { return !plan_.Trip("AddRow") && FakeListControl::AddRow(id); }
  void SortRows(const RowOrder& order, bool ascending) override {
    plan_.Trip("SortRows");
    FakeListControl::SortRows(order, ascending);
  }
  void SetSelected(int position, bool selected) override {
    plan_.Trip("SetSelected");
    FakeListControl::SetSelected(position, selected);
  }
  void SetRedraw(bool on) override {
    plan_.Trip("SetRedraw");
    FakeListControl::SetRedraw(on);
  }

 private:
  FaultPlan& plan_;
};

// The collation keys and the reports' words, which a load's end asks for.
class FaultySystem : public FakeSystemQueries {
 public:
  explicit FaultySystem(FaultPlan& plan) : plan_(plan) {}
  std::string SortKey(const std::string& ansi) override {
    return plan_.Trip("SortKey") ? "" : FakeSystemQueries::SortKey(ansi);
  }
  std::string ErrorText(long code) override {
    return plan_.Trip("ErrorText") ? "" : FakeSystemQueries::ErrorText(code);
  }

 private:
  FaultPlan& plan_;
};

class FaultyView : public FakeMainWindowView {
 public:
  explicit FaultyView(FaultPlan& plan) : plan_(plan) {}
  void SetStatusText(const std::string& text) override {
    plan_.Trip("SetStatusText");
    FakeMainWindowView::SetStatusText(text);
  }

 private:
  FaultPlan& plan_;
};

// One world of stand-ins, with a Windows 98 startup set.
struct World {
  FaultPlan plan;
  FaultyRegistry registry{plan};
  FaultyFiles files{plan};
  FaultyMessages messages{plan};
  FaultySystem system{plan};
  FakeProgramStarter programs;
  FaultyList list{plan};
  FaultyView view{plan};
  MainWindow window{Platform{registry, system, files, messages, programs}, WindowsFamily::kWin9x, false, list, view};

  World() {
    registry.SetString(kHkeyLocalMachine, kRun, "Antivirus", "av.exe /tray");
    registry.SetString(kHkeyLocalMachine, kRun, "Twin", "machine.exe");
    registry.SetString(kHkeyLocalMachine, kRun, std::string(150, 'L'), std::string(300, 'd'));
    registry.SetString(kHkeyCurrentUser, kRun, "Twin", "user.exe");
    registry.SetString(kHkeyCurrentUser, kRun, "Notes", "notes.exe -min");
    registry.SetString(kHkeyCurrentUser, kRun, "", "default.exe");
    files.AddFile(kWin9xStartupFolder, "Agent.lnk", "Shortcut");
    files.AddFile(kWin9xStartupFolder, "Zip.lnk", "Shortcut", true);
    files.AddFile(kWin9xStartupFolder, "desktop.ini", "Configuration Settings");
  }
};

std::set<std::string> Rows(const FakeListControl& list) {
  std::set<std::string> rows;
  for (const auto& row : list.rows) rows.insert(row.texts[0] + "|" + row.texts[2]);
  return rows;
}

bool EntryExists(World& world, const std::string& name, const std::string& information,
                 const std::string& location) {
  if (information == "Shortcut" || information.rfind("Reg - ", 0) != 0) {
    const auto names = world.files.FileNames(kWin9xStartupFolder);
    return std::find(names.begin(), names.end(), location.substr(location.find_last_of('\\') + 1)) !=
           names.end();
  }
  const RegKey hive = information == "Reg - HKCU" ? kHkeyCurrentUser : kHkeyLocalMachine;
  return world.registry.HasValue(hive, kRun, name);
}

class FaultInjectionTest : public ::testing::Test {};

TEST_F(FaultInjectionTest, EveryFailingCallOfALoadStillFinishesWithWhatWasRead) {
  World clean;
  clean.window.OnFirstLoad();
  const std::set<std::string> everything = Rows(clean.list);
  ASSERT_EQ(9u, everything.size());
  EXPECT_TRUE(clean.messages.shown.empty()) << "a whole load says nothing";
  const int calls = clean.plan.calls;
  ASSERT_GT(calls, 10);

  for (int failAt = 1; failAt <= calls; ++failAt) {
    World world;
    world.plan.failAt = failAt;
    world.window.OnFirstLoad();
    SCOPED_TRACE("failing call " + std::to_string(failAt) + ": " + world.plan.tripped);
    const std::set<std::string> shown = Rows(world.list);
    EXPECT_TRUE(std::includes(everything.begin(), everything.end(), shown.begin(), shown.end()))
        << "a row that does not exist was listed";
    EXPECT_EQ("Ready", world.view.statusTexts.back());
    EXPECT_TRUE(world.view.checks[IDM_SORT_ASCENDING]);
    if (!world.list.rows.empty()) {
      EXPECT_TRUE(world.list.IsSelected(0));
    }
    if (world.plan.tripped != "CloseKey") {
      EXPECT_EQ(0, world.registry.OpenHandleCount());
    }
    EXPECT_EQ(0, world.registry.DeleteCalls()) << "a load deletes nothing";
    if (shown.size() < everything.size()) {
      EXPECT_EQ(1u, world.messages.shown.size()) << "a load that lost entries says so";
    }
    if (world.plan.tripped == "AddRow") {
      EXPECT_EQ(everything.size() - 1, shown.size());
      ASSERT_EQ(1u, world.messages.shown.size()) << "the user is told an entry is missing";
      EXPECT_NE(std::string::npos, world.messages.shown[0].text.find("The list could not take 1 item."))
          << world.messages.shown[0].text;
    }
  }
}

// Lack of memory at any call of a load, its end included: what was read is
// shown sorted, "Ready", and one message names what could not be read or done.
TEST_F(FaultInjectionTest, LackOfMemoryAtAnyCallOfALoadStillEndsItSortedAndSaysWhatFailed) {
  World clean;
  clean.window.OnFirstLoad();
  const std::vector<std::string> everything = [&] {
    std::vector<std::string> names;
    for (const auto& row : clean.list.rows) names.push_back(row.texts[0]);
    return names;
  }();
  const int calls = clean.plan.calls;

  int said = 0;
  for (int failAt = 1; failAt <= calls; ++failAt) {
    World world;
    world.plan.failAt = failAt;
    world.plan.outOfMemory = true;
    RunAtBoundary([&] { world.window.OnFirstLoad(); },
                                     [&](bool outOfMemory) { world.window.EndInterruptedCommand(outOfMemory); });
    SCOPED_TRACE("out of memory at call " + std::to_string(failAt) + ": " + world.plan.tripped);
    std::vector<std::string> shown;
    for (const auto& row : world.list.rows) shown.push_back(row.texts[0]);
    std::multiset<std::string> left(shown.begin(), shown.end());
    std::vector<std::string> expected;  // the whole order, less what was not read
    for (const std::string& name : everything) {
      if (left.count(name) == 0) continue;
      left.erase(left.find(name));
      expected.push_back(name);
    }
    EXPECT_EQ(expected, shown) << "sorted as a whole load sorts";
    EXPECT_EQ("Ready", world.view.statusTexts.back());
    EXPECT_TRUE(world.view.checks[IDM_SORT_ASCENDING]);
    EXPECT_TRUE(world.list.redraw);
    if (!world.list.rows.empty()) {
      EXPECT_TRUE(world.list.IsSelected(0));
    }
    if (world.plan.tripped == "CloseKey") continue;  // closing cannot throw
    if (world.messages.shown.empty()) {
      // A step of the load's end, tried again, was done: nothing was lost.
      const std::set<std::string> retried{"SortKey", "AddRow", "SortRows", "SetSelected", "SetRedraw", "SetStatusText"};
      EXPECT_EQ(1u, retried.count(world.plan.tripped));
      EXPECT_EQ(everything, shown);
      continue;
    }
    ++said;
    ASSERT_EQ(1u, world.messages.shown.size()) << "one message";
    const auto& box = world.messages.shown[0];
    EXPECT_EQ(kAppTitle, box.title);
    EXPECT_EQ(kMbOk | kMbIconWarning, box.style);
    const bool namesWhy = box.text.find("Not enough storage is available to process this command.") !=
                          std::string::npos;
    EXPECT_TRUE(namesWhy || world.plan.tripped == "ErrorText") << box.text;
    if (shown.size() < everything.size()) {
      EXPECT_EQ(0u, box.text.find("The list may be incomplete")) << box.text;
    }
  }
  EXPECT_GT(said, 10);
}

TEST_F(FaultInjectionTest, AnyOtherFailureThatStopsASourceIsReportedAsUnexpected) {
  World world;
  world.plan.failAt = 4;
  world.plan.otherFailure = true;
  EXPECT_TRUE(RunAtBoundary([&] { world.window.OnFirstLoad(); },
                            [&](bool outOfMemory) { world.window.EndInterruptedCommand(outOfMemory); }));
  ASSERT_EQ(1u, world.messages.shown.size());
  EXPECT_NE(std::string::npos, world.messages.shown[0].text.find(": An unexpected error occurred."))
      << world.messages.shown[0].text;
  world.messages.shown.clear();
  world.plan.failAt = -1;
  world.window.Refresh();
  EXPECT_EQ(9u, world.list.rows.size());
  EXPECT_TRUE(world.messages.shown.empty()) << "a whole load after it says nothing";
}

// Keys that cannot be made for lack of memory leave the names ordered by
// their characters' codes, which needs none, and the user is told.
TEST_F(FaultInjectionTest, ASortWithoutMemoryForItsKeysOrdersByCodesAndSaysSo) {
  World world;
  struct NoMemoryForKeys : public FakeSystemQueries {
    std::string SortKey(const std::string&) override { throw std::bad_alloc(); }
  } system;
  MainWindow window{Platform{world.registry, system, world.files, world.messages, world.programs},
                    WindowsFamily::kWin9x, false, world.list, world.view};
  window.OnFirstLoad();
  ASSERT_EQ(9u, world.list.rows.size());
  EXPECT_EQ("Agent.lnk", world.list.rows[1].texts[0]);
  EXPECT_EQ("desktop.ini", world.list.rows[8].texts[0]) << "lower case after upper case, by codes";
  EXPECT_EQ("Ready", world.view.statusTexts.back());
  ASSERT_EQ(1u, world.messages.shown.size());
  EXPECT_NE(std::string::npos, world.messages.shown[0].text.find("in the order of their characters' codes"));
}

// When not even the report can be made, a short message still says so.
TEST_F(FaultInjectionTest, AReportThatCannotBeMadeIsReplacedByAShortMessage) {
  World world;
  world.plan.persistent = true;
  world.plan.tripped = "AddRow";  // the list takes no row: there is something to report
  world.plan.failAt = -1;
  FaultPlan& plan = world.plan;
  plan.calls = 0;
  struct ThrowingBoxes : public FakeMessageBoxes {
    int ShowUnicode(const std::u16string&, const std::string&, unsigned) override { throw std::bad_alloc(); }
  } boxes;
  MainWindow window{Platform{world.registry, world.system, world.files, boxes, world.programs},
                    WindowsFamily::kWin9x, false, world.list, world.view};
  window.OnFirstLoad();
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ(0u, boxes.shown[0].text.find("There was not enough memory to say what the last command could not do."));
  EXPECT_EQ("Ready", world.view.statusTexts.back());
}

TEST_F(FaultInjectionTest, RowsTheListRefusesAreCountedInTheMessage) {
  World world;
  world.plan.persistent = true;
  world.plan.tripped = "AddRow";  // the list takes no row at all
  world.window.OnFirstLoad();
  EXPECT_TRUE(world.list.rows.empty());
  EXPECT_EQ("Ready", world.view.statusTexts.back());
  ASSERT_EQ(1u, world.messages.shown.size());
  EXPECT_EQ(
      "The list may be incomplete: some startup items may be missing from it.\n"
      "\nThe list could not take 9 items.\n\nRefresh (F5) reads them again.",
      world.messages.shown[0].text);
}

// Fails each call of a delete in turn (once, or from then on); returns how
// many entries that could not be deleted were checked against the report.
int CheckDeleteUnderFaults(bool persistent) {
  // Checked: both Twins, the long name, Agent.lnk, Zip.lnk and desktop.ini (never deletable).
  const std::set<std::string> toCheck{"Twin", std::string(150, 'L'), "Agent.lnk", "Zip.lnk",
                                      "desktop.ini"};
  auto prepare = [&](World& world) {
    world.window.OnFirstLoad();
    for (auto& row : world.list.rows) row.checked = toCheck.count(row.texts[0]) != 0;
    world.messages.answers.push_back(kIdYes);
    world.plan.calls = 0;  // count from the command on
  };
  World clean;
  prepare(clean);
  clean.window.DeleteCheckedItems();
  const int calls = clean.plan.calls;
  EXPECT_GT(calls, 10);

  int reportsChecked = 0;
  int undoNamed = 0;
  for (int failAt = 1; failAt <= calls; ++failAt) {
    World world;
    prepare(world);
    struct Row {
      std::string name, location, information;
      bool checked;
    };
    std::vector<Row> before;
    for (const auto& row : world.list.rows) {
      before.push_back({row.texts[0], row.texts[1], row.texts[2], row.checked});
    }
    world.plan.failAt = failAt;
    world.plan.persistent = persistent;
    world.window.DeleteCheckedItems();
    SCOPED_TRACE("failing call " + std::to_string(failAt) + ": " + world.plan.tripped +
                 (persistent ? ", and every later one of its kind" : ""));

    const std::string report = world.messages.shown.size() > 1 ? world.messages.shown[1].text : "";
    const bool questionFailed = world.plan.tripped == "MessageBox" && world.messages.shown.empty();
    const bool reportFailed = world.plan.tripped == "MessageBox" && world.messages.shown.size() == 1;
    for (const Row& row : before) {
      const bool exists = EntryExists(world, row.name, row.information, row.location);
      const bool listed = std::any_of(world.list.rows.begin(), world.list.rows.end(), [&](const auto& r) {
        return r.texts[0] == row.name && r.texts[2] == row.information;
      });
      const bool deletable = row.information == "Shortcut" || row.information.rfind("Reg - ", 0) == 0;
      if (!row.checked || !deletable || questionFailed) {
        EXPECT_TRUE(exists) << "lost: " << row.name;
        EXPECT_TRUE(listed) << "row dropped: " << row.name;
        continue;
      }
      EXPECT_EQ(exists, listed) << row.name << ": a row leaves the list only when its entry is gone";
      if (!exists && !reportFailed && (world.plan.tripped == "ReadValue" || world.plan.tripped == "ReadWholeFile") &&
          report.find(row.name + " (" + row.location + "): Access is denied.") != std::string::npos) {
        ++undoNamed;  // read in vain, deleted all the same, and said so
      }
      if (exists && !reportFailed) {
        ++reportsChecked;
        EXPECT_NE(std::string::npos, report.find(row.name + " (" + row.location + ")"))
            << "not reported: " << row.name;
      }
    }
    EXPECT_TRUE(world.list.rows.empty() || world.list.IsSelected(0));
  }
  EXPECT_GT(undoNamed, 0) << "an item that could not be read first is deleted and named as one Undo cannot put back";
  return reportsChecked;
}

TEST_F(FaultInjectionTest, EveryFailingCallOfADeleteLosesNothingUncheckedAndReportsEveryFailure) {
  CheckDeleteUnderFaults(false);
}

TEST_F(FaultInjectionTest, ACallFailingOnEveryPassOfADeleteIsReportedByName) {
  // A fault that lasts outlives the retries, so the report must name the entry.
  EXPECT_GT(CheckDeleteUnderFaults(true), 0) << "no failure ever reached the report";
}

TEST_F(FaultInjectionTest, AFileThatNeverGoesIsReportedOnceAndTheRestIsStillDeleted) {
  World world;
  world.window.OnFirstLoad();
  for (auto& row : world.list.rows) row.checked = row.texts[0] == "Zip.lnk" || row.texts[0] == "Notes";
  world.messages.answers.push_back(kIdYes);
  world.plan.persistent = true;
  world.plan.tripped = "RemoveFile";  // every RemoveFile fails, from the first on
  world.window.DeleteCheckedItems();
  ASSERT_EQ(2u, world.messages.shown.size()) << "the question, then one report";
  const std::string& report = world.messages.shown[1].text;
  EXPECT_NE(std::string::npos, report.find("Zip.lnk (" + std::string(kWin9xStartupFolder) + "Zip.lnk)"))
      << report;
  EXPECT_EQ(std::string::npos, report.find("Notes")) << "a value that was deleted is not reported";
  EXPECT_FALSE(world.registry.HasValue(kHkeyCurrentUser, kRun, "Notes"));
  EXPECT_TRUE(EntryExists(world, "Zip.lnk", "Shortcut", std::string(kWin9xStartupFolder) + "Zip.lnk"));
}

}  // namespace
}  // namespace rw
