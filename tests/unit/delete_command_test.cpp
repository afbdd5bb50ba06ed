#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tests/unit/main_window_fixture.h"
#include "core/delete_report.h"
#include "core/report_words.h"

namespace rw {
namespace {

const std::string kRun = kRunKeyPath;
const char kQuestion[] =
    "Are you sure you want to delete the select item(s) from 'Startup' folder and/or Registry?";

class DeleteCommandTest : public MainWindowTest {
 protected:
  void Delete(int answer = kIdYes) {
    messages.answers.push_back(answer);
    window.DeleteCheckedItems();
  }
  // Each value of a Run key, its exact name, type and bytes as the wide calls read them.
  std::map<std::u16string, std::pair<std::uint32_t, std::vector<std::uint8_t>>> RunKeyNow(RegKey hive) {
    std::map<std::u16string, std::pair<std::uint32_t, std::vector<std::uint8_t>>> values;
    RegKey key = 0;
    if (registry.OpenKey(hive, kRun, &key) != kRegSuccess) return values;
    for (const FakeValue& value : registry.Values(hive, kRun)) {
      auto& read = values[value.wideName];
      registry.ReadValue(key, ExactName::Wide(value.wideName), &read.first, &read.second);
    }
    registry.CloseKey(key);
    return values;
  }
};

TEST_F(DeleteCommandTest, AsksFirstAndNoChangesNothing) {
  registry.SetString(kHkeyCurrentUser, kRun, "Tray", "tray.exe");
  Load();
  Check({"Tray"});
  Delete(kIdNo);
  ASSERT_EQ(1u, messages.shown.size());
  EXPECT_EQ(kQuestion, messages.shown[0].text);
  EXPECT_EQ("Windows Runwarden", messages.shown[0].title);
  EXPECT_EQ(kMbYesNo | kMbIconQuestion, messages.shown[0].style);
  EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, "Tray"));
  EXPECT_EQ(std::vector<std::string>{"Tray"}, CheckedNames());
}

TEST_F(DeleteCommandTest, AdjacentCheckedRowsAreAllDeletedAndRemoved) {
  for (const char* name : {"a", "b", "c", "d"}) registry.SetString(kHkeyCurrentUser, kRun, name, "x.exe");
  Load();
  Check({"a", "b", "c"});
  Delete();
  EXPECT_EQ(std::vector<std::string>{"d"}, Names());
  EXPECT_EQ(1u, registry.Values(kHkeyCurrentUser, kRun).size());
  EXPECT_TRUE(list.IsSelected(0));
  EXPECT_EQ(1u, messages.shown.size()) << "no report when everything went";
}

TEST_F(DeleteCommandTest, TheSameNameInBothHivesDeletesOneValueEach) {
  registry.SetString(kHkeyCurrentUser, kRun, "Twin", "u.exe");
  registry.SetString(kHkeyLocalMachine, kRun, "Twin", "m.exe");
  registry.SetString(kHkeyLocalMachine, kRun, "Kept", "k.exe");
  Load();
  list.rows[1].checked = true;  // Twin of HKLM (appended first, kept first by the stable sort)
  Delete();
  EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, "Twin"));
  EXPECT_FALSE(registry.HasValue(kHkeyLocalMachine, kRun, "Twin"));
  ASSERT_EQ(2u, list.rows.size());
  EXPECT_EQ("Reg - HKCU", list.rows[1].texts[kColumnInformation]);
  Check({"Twin"});
  Delete();
  EXPECT_FALSE(registry.HasValue(kHkeyCurrentUser, kRun, "Twin"));
  EXPECT_EQ(std::vector<std::string>{"Kept"}, Names());
}

TEST_F(DeleteCommandTest, TheSameNameTwiceInOneHiveRemovesBothRows) {
  registry.SetString(kHkeyCurrentUser, kRun, "Dup", "d.exe");
  Load();
  list.AddRow(list.rows[0].id);  // a second row for the same value
  Check({"Dup"});
  Delete();
  EXPECT_TRUE(list.rows.empty());
  EXPECT_FALSE(registry.HasValue(kHkeyCurrentUser, kRun, "Dup"));
  EXPECT_EQ(1u, messages.shown.size());
}

TEST_F(DeleteCommandTest, AFailingShortcutStaysCheckedAndTheRowsAfterItAreStillDeleted) {
  files.AddFile(Folder(), "Agent.lnk", "Shortcut");
  files.AddFile(Folder(), "Zip.lnk", "Shortcut", /*readOnly=*/true);
  registry.SetString(kHkeyCurrentUser, kRun, "Tray", "tray.exe");
  Load();
  files.RemoveFile(Folder() + "Agent.lnk");  // removed from outside after the load
  Check({"Agent.lnk", "Tray", "Zip.lnk"});
  Delete();
  EXPECT_EQ(std::vector<std::string>{"Agent.lnk"}, Names());
  EXPECT_EQ(std::vector<std::string>{"Agent.lnk"}, CheckedNames());
  EXPECT_TRUE(files.FileNames(Folder()).empty()) << "the read-only shortcut is deleted too";
  EXPECT_FALSE(registry.HasValue(kHkeyCurrentUser, kRun, "Tray"));
  ASSERT_EQ(2u, messages.shown.size());
  EXPECT_EQ(FakeAnsi(DeleteFailureReport({{u"Agent.lnk", FakeWiden(Folder()) + u"Agent.lnk",
                                            u"The system cannot find the file specified."}})),
            messages.shown[1].text);
  EXPECT_EQ("Windows Runwarden", messages.shown[1].title);
  EXPECT_EQ(kMbOk | kMbIconWarning, messages.shown[1].style);
}

// Later passes retry what an earlier one could not delete: a key locked for
// a moment loses its value all the same, and nothing is reported.
TEST_F(DeleteCommandTest, AnEntryWhoseDeleteFailsAtFirstIsDeletedByALaterPass) {
  registry.SetString(kHkeyCurrentUser, kRun, "Flaky", "f.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Kept", "k.exe");
  Load();
  Check({"Flaky"});
  registry.RefuseDeleteTimes(kHkeyCurrentUser, kRun, 9);
  Delete();
  EXPECT_FALSE(registry.HasValue(kHkeyCurrentUser, kRun, "Flaky")) << "the tenth pass deletes it";
  EXPECT_EQ(std::vector<std::string>{"Kept"}, Names());
  EXPECT_EQ(1u, messages.shown.size()) << "the question only";
  registry.SetString(kHkeyCurrentUser, kRun, "Flaky", "f.exe");
  Load();
  Check({"Flaky"});
  registry.RefuseDeleteTimes(kHkeyCurrentUser, kRun, 10);
  Delete();
  EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, "Flaky")) << "ten passes, no more";
  EXPECT_EQ(2u + 1u, messages.shown.size()) << "and then it is reported";
}

TEST_F(DeleteCommandTest, ARefusedRegistryDeletionKeepsTheRowAndIsReported) {
  registry.SetString(kHkeyLocalMachine, kRun, "Guarded", "g.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Mine", "m.exe");
  Load();
  registry.RefuseDelete(kHkeyLocalMachine, kRun);
  Check({"Guarded", "Mine"});
  Delete();
  EXPECT_EQ(std::vector<std::string>{"Guarded"}, Names());
  EXPECT_TRUE(list.rows[0].checked);
  EXPECT_TRUE(registry.HasValue(kHkeyLocalMachine, kRun, "Guarded"));
  EXPECT_FALSE(registry.HasValue(kHkeyCurrentUser, kRun, "Mine"));
  ASSERT_EQ(2u, messages.shown.size());
  EXPECT_NE(std::string::npos, messages.shown[1].text.find("\nGuarded (g.exe): Access is denied."));
}

TEST_F(DeleteCommandTest, TheReportGivesEachEntrysOwnReasonInTheSystemsWords) {
  files.AddFile(Folder(), "Locked.lnk", "Shortcut");
  files.AddFile(Folder(), "Vanished.lnk", "Shortcut");
  registry.SetString(kHkeyLocalMachine, kRun, "Guarded", "g.exe");
  Load();
  files.MakeUndeletable(Folder() + "Locked.lnk");
  files.RemoveFile(Folder() + "Vanished.lnk");
  registry.RefuseDelete(kHkeyLocalMachine, kRun);
  Check({"Guarded", "Locked.lnk", "Vanished.lnk"});
  Delete();
  ASSERT_EQ(2u, messages.shown.size());
  EXPECT_EQ(
      "These items could not be deleted. They are still in the list, still checked:\n"
      "\nGuarded (g.exe): Access is denied."
      "\nLocked.lnk (" + Folder() + "Locked.lnk): Access is denied."
      "\nVanished.lnk (" + Folder() + "Vanished.lnk): The system cannot find the file specified.",
      messages.shown[1].text);
}

TEST_F(DeleteCommandTest, AnErrorTheSystemHasNoTextForIsGivenByItsNumber) {
  files.AddFile(Folder(), "Locked.lnk", "Shortcut");
  Load();
  files.MakeUndeletable(Folder() + "Locked.lnk");
  system.errorTexts.clear();
  Check({"Locked.lnk"});
  Delete();
  ASSERT_EQ(2u, messages.shown.size());
  EXPECT_NE(std::string::npos, messages.shown[1].text.find("Locked.lnk): Error 5."));
}

TEST_F(DeleteCommandTest, AValueAlreadyGoneCountsAsDeleted) {
  registry.SetString(kHkeyCurrentUser, kRun, "Gone", "g.exe");
  Load();
  RegKey key = 0;  // removed from outside after the load
  registry.OpenKey(kHkeyCurrentUser, kRun, &key);
  registry.DeleteValue(key, "Gone");
  registry.CloseKey(key);
  Check({"Gone"});
  Delete();
  EXPECT_TRUE(list.rows.empty());
  EXPECT_EQ(1u, messages.shown.size());
}

TEST_F(DeleteCommandTest, OtherFilesStayCheckedAndAreNeitherDeletedNorReported) {
  files.AddFile(Folder(), "desktop.ini", "Configuration Settings");
  files.AddFile(Folder(), "notes.LNK.txt", "Text Document");
  Load();
  window.CheckAll();
  Delete();
  EXPECT_EQ(2u, files.FileNames(Folder()).size());
  EXPECT_EQ(2u, CheckedNames().size());
  EXPECT_EQ(1u, messages.shown.size());
}

TEST_F(DeleteCommandTest, TheWholeNameIsDeletedNeverAShortenedOne) {
  const std::string longName(300, 'L');
  const std::string cut = longName.substr(0, 259);
  registry.SetString(kHkeyCurrentUser, kRun, longName, "long.exe");
  registry.SetString(kHkeyCurrentUser, kRun, cut, "cut.exe");
  Load();
  for (auto& row : list.rows) row.checked = row.texts[kColumnName] == longName;
  Delete();
  EXPECT_FALSE(registry.HasValue(kHkeyCurrentUser, kRun, longName));
  EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, cut));
  EXPECT_EQ(std::vector<std::string>{cut}, Names());
}

TEST_F(DeleteCommandTest, NothingCheckedOrAnEmptyListStillAsksAndChangesNothing) {
  Delete();
  EXPECT_EQ(1u, messages.shown.size());
  registry.SetString(kHkeyCurrentUser, kRun, "Tray", "tray.exe");
  Load();
  Delete();
  EXPECT_EQ(2u, messages.shown.size());
  EXPECT_EQ(std::vector<std::string>{"Tray"}, Names());
  EXPECT_TRUE(list.IsSelected(0));
  EXPECT_EQ(0, registry.DeleteCalls()) << "no value was touched";
}

TEST_F(DeleteCommandTest, TheToolbarDeletesExactlyAsTheMenuDoes) {
  registry.SetString(kHkeyCurrentUser, kRun, "a", "a.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "b", "b.exe");
  Load();
  Check({"a"});
  messages.answers.push_back(kIdYes);
  window.RunCommand(IDM_DELETE_CHECKED_ITEMS);
  EXPECT_EQ(std::vector<std::string>{"b"}, Names());
  EXPECT_EQ(kQuestion, messages.shown[0].text);
}

TEST(DeleteFailureReportTest, ListsTenEntriesWithTheirReasonsAndCountsTheRest) {
  std::vector<DeleteFailure> failures;
  for (int i = 0; i < 12; ++i) {
    const std::u16string n = FakeWiden(std::to_string(i));
    failures.push_back({u"n" + n, u"l" + n, u"reason " + n});
  }
  const std::string report = FakeAnsi(DeleteFailureReport(failures));
  EXPECT_EQ(0u, report.find("These items could not be deleted. They are still in the list, still checked:\n"));
  EXPECT_NE(std::string::npos, report.find("\nn0 (l0): reason 0\n"));
  EXPECT_NE(std::string::npos, report.find("\nn9 (l9): reason 9\n"));
  EXPECT_EQ(std::string::npos, report.find("n10"));
  EXPECT_EQ(report.size() - 11, report.find("\nand 2 more")) << "the last line";
  EXPECT_EQ(std::u16string::npos, DeleteFailureReport({failures[0]}).find(u"more"));
}

TEST(DeleteFailureReportTest, AReasonIsTheProgramsOwnTheSystemsTextOrElseTheErrorNumber) {
  FakeSystemQueries system;
  EXPECT_EQ(u"Access is denied.", FailureReason(5, system));
  EXPECT_EQ(u"Error 1234.", FailureReason(1234, system));
  EXPECT_EQ(0u, FailureReason(kErrorNameNotAddressable, system).find(u"Its name holds a NUL character"));
}

// Names the ANSI code page cannot hold: NT and Wine keep them in Unicode, the
// list shows them with best-fit letters or "?", and that text may be the
// real name of another entry.
TEST_F(DeleteCommandTest, AValueNamedOutsideTheCodePageIsDeletedAndNotItsAnsiTwin) {
  registry.SetStringWide(kHkeyCurrentUser, kRun, u"Tool \u03A9", "omega.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Tool O", "plain.exe");
  registry.SetStringWide(kHkeyLocalMachine, kRun, u"\u5DE5\u5177", "cjk.exe");
  Load();
  ASSERT_EQ((std::vector<std::string>{"??", "Tool O", "Tool O"}), Names());
  for (auto& row : list.rows) {
    row.checked = row.texts[kColumnLocation] != "plain.exe";
  }
  Delete();
  EXPECT_FALSE(registry.HasValueWide(kHkeyCurrentUser, kRun, u"Tool \u03A9"));
  EXPECT_FALSE(registry.HasValueWide(kHkeyLocalMachine, kRun, u"\u5DE5\u5177"));
  EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, "Tool O")) << "never checked";
  ASSERT_EQ(1u, list.rows.size());
  EXPECT_EQ("plain.exe", list.rows[0].texts[kColumnLocation]);
  EXPECT_EQ(1u, messages.shown.size()) << "no report when everything went";
}

TEST_F(DeleteCommandTest, AFileNamedOutsideTheCodePageIsDeletedAndNotItsAnsiTwin) {
  const std::string ansiFolder = Folder();
  const std::u16string folder(ansiFolder.begin(), ansiFolder.end());
  files.AddFileWide(folder, u"Tool \u03A9.lnk", "Shortcut");
  files.AddFile(Folder(), "Tool O.lnk", "Shortcut");
  Load();
  ASSERT_EQ(2u, list.rows.size());
  list.rows[0].checked = true;  // the first listed: the Unicode one
  Delete();
  EXPECT_FALSE(files.HasFileWide(folder, u"Tool \u03A9.lnk"));
  EXPECT_EQ(std::vector<std::string>{"Tool O.lnk"}, files.FileNames(Folder()));
  EXPECT_EQ(std::vector<std::string>{"Tool O.lnk"}, Names());
}

// Where the list shows Unicode, twins are told apart, sorted by what the
// list shows, and a report names each entry as its row does.
TEST_F(DeleteCommandTest, AUnicodeListShowsTwinsAsThemselvesAndTheReportNamesThemExactly) {
  registry.SetStringWide(kHkeyCurrentUser, kRun, u"Tool \u03A9", u"c:\\\u03C9mega\\tool.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Tool O", "plain.exe");
  registry.SetStringWide(kHkeyLocalMachine, kRun, u"\u5DE5\u5177", "cjk.exe");
  MainWindow unicode{services(), WindowsFamily::kWin9x, true, list, view};
  unicode.Refresh();
  std::vector<std::u16string> shown;
  for (const auto& row : list.rows) shown.push_back(row.unicode[kColumnName]);
  EXPECT_EQ((std::vector<std::u16string>{u"Tool O", u"Tool \u03A9", u"\u5DE5\u5177"}), shown);
  EXPECT_EQ(u"c:\\\u03C9mega\\tool.exe", list.rows[1].unicode[kColumnLocation]);
  registry.RefuseDelete(kHkeyCurrentUser, kRun);
  list.rows[1].checked = true;
  messages.answers.push_back(kIdYes);
  unicode.DeleteCheckedItems();
  ASSERT_EQ(2u, messages.shown.size());
  EXPECT_NE(std::u16string::npos,
            messages.shown[1].wide.find(u"\nTool \u03A9 (c:\\\u03C9mega\\tool.exe): Access is denied."));
}

TEST_F(DeleteCommandTest, WhereOnlyTheAnsiCallsWorkNamesAreAnsiAndDeletedSo) {
  registry.SetWideCallsImplemented(false);  // Windows 95/98
  files.SetWideCallsImplemented(false);
  registry.SetString(kHkeyCurrentUser, kRun, "Caf\xe9", "cafe.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Kept", "k.exe");
  files.AddFile(Folder(), "Agent.lnk", "Shortcut");
  Load();
  Check({"Caf\xe9", "Agent.lnk"});
  Delete();
  EXPECT_FALSE(registry.HasValue(kHkeyCurrentUser, kRun, "Caf\xe9"));
  EXPECT_TRUE(files.FileNames(Folder()).empty());
  EXPECT_EQ(std::vector<std::string>{"Kept"}, Names());
  EXPECT_EQ(1u, messages.shown.size());
}

// The report names such a row where it stands after the delete.
TEST_F(DeleteCommandTest, AnEntryThatCannotBeAddressedStaysCheckedAndIsReported) {
  registry.SetStringWide(kHkeyCurrentUser, kRun, u"Tool \u03A9", "omega.exe");
  files.AddFile(Folder(), "Agent.lnk", "Shortcut");
  Load();
  registry.SetWideCallsImplemented(false);  // the wide delete fails as not implemented
  list.AddRow(7);  // a row whose entry cannot be told, third, below Agent.lnk
  Check({"Agent.lnk", "Tool O", ""});
  Delete();
  EXPECT_TRUE(registry.HasValueWide(kHkeyCurrentUser, kRun, u"Tool \u03A9"));
  EXPECT_EQ((std::vector<std::string>{"Tool O", ""}), CheckedNames());
  ASSERT_EQ(2u, messages.shown.size());
  EXPECT_NE(std::string::npos, messages.shown[1].text.find("Tool O (omega.exe)"));
  EXPECT_NE(std::string::npos,
            messages.shown[1].text.find("\nRow 2 (?): The program could not tell which entry this row shows."))
      << messages.shown[1].text;
}

// The registry counts names: "Evil\0Hidden" is a value of its own beside
// "Evil", and "\0Lead" beside the default value. Each is a row that reads
// differently, and deletes exactly itself, or, where no call can address
// it, nothing, and says so.
TEST_F(DeleteCommandTest, ANameWithANulIsARowOfItsOwnAndDeletesExactlyItself) {
  const std::u16string hidden(u"Evil\0Hidden", 11), lead(u"\0Lead", 5);
  for (const bool counted : {false, true}) {
    SCOPED_TRACE(counted ? "NT" : "no call takes a counted name");
    registry.SetString(kHkeyCurrentUser, kRun, "Evil", "evil.exe");
    registry.SetStringWide(kHkeyCurrentUser, kRun, hidden, "hidden.exe");
    registry.SetStringWide(kHkeyCurrentUser, kRun, lead, "lead.exe");
    registry.SetString(kHkeyCurrentUser, kRun, "", "default.exe");
    registry.SetCountedDeleteImplemented(counted);
    MainWindow unicode{services(), WindowsFamily::kNT, true, list, view};
    unicode.Refresh();
    std::multiset<std::u16string> shown;
    for (const auto& row : list.rows) shown.insert(row.unicode[kColumnName]);
    EXPECT_EQ((std::multiset<std::u16string>{u"", u"\u2400Lead", u"Evil", u"Evil\u2400Hidden"}), shown);
    for (auto& row : list.rows) row.checked = row.unicode[kColumnName].find(u'\u2400') != std::u16string::npos;
    messages.shown.clear();
    messages.answers.push_back(kIdYes);
    unicode.DeleteCheckedItems();
    EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, "Evil"));
    EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, ""));
    EXPECT_EQ(!counted, registry.HasValueWide(kHkeyCurrentUser, kRun, hidden));
    EXPECT_EQ(!counted, registry.HasValueWide(kHkeyCurrentUser, kRun, lead));
    EXPECT_EQ(counted ? 2u : 4u, list.rows.size());
    if (!counted) {
      ASSERT_EQ(2u, messages.shown.size());
      EXPECT_NE(std::u16string::npos,
                messages.shown[1].wide.find(u"\nEvil\u2400Hidden (hidden.exe): Its name holds a NUL character"));
    }
  }
}

// Undo puts back what each delete took away, exactly: every value type and
// byte, a name with a NUL, a read-only hidden shortcut with its times; it
// walks back delete by delete, and is greyed when there is nothing to put back.
TEST_F(DeleteCommandTest, UndoPutsBackEachDeleteExactlyNewestFirst) {
  registry.SetValue(kHkeyLocalMachine, kRun, "Binary", kRegBinary, {0, 1, 2});
  registry.SetValue(kHkeyLocalMachine, kRun, "Odd", kRegSz, {'a', 'b', 'c'});  // no NUL, odd length
  registry.SetDword(kHkeyCurrentUser, kRun, "Word", 7);
  registry.SetStringWide(kHkeyCurrentUser, kRun, std::u16string(u"Evil\0Hidden", 11), "hidden.exe");
  files.AddFile(Folder(), "Agent.lnk", "Shortcut", true);
  FileContents link{{'L', 0, 0, 0}, 0x1 | 0x2 | 0x20, 111, 222};
  files.SetContents(FakeWiden(Folder()) + u"Agent.lnk", link);
  const auto machineBefore = RunKeyNow(kHkeyLocalMachine);
  const auto userBefore = RunKeyNow(kHkeyCurrentUser);
  window.OnCreated();
  EXPECT_FALSE(view.enabled[IDM_UNDO_DELETE]);
  Load();
  Check({"Binary", "Odd", "Agent.lnk"});
  Delete();
  for (auto& row : list.rows) row.checked = true;
  Delete();
  EXPECT_TRUE(RunKeyNow(kHkeyCurrentUser).empty());
  EXPECT_TRUE(view.enabled[IDM_UNDO_DELETE]);

  window.RunCommand(IDM_UNDO_DELETE);  // the second delete: the user's values
  EXPECT_EQ(userBefore, RunKeyNow(kHkeyCurrentUser));
  EXPECT_TRUE(RunKeyNow(kHkeyLocalMachine).empty());
  EXPECT_TRUE(view.enabled[IDM_UNDO_DELETE]);
  window.UndoDelete();  // then the first
  EXPECT_EQ(machineBefore, RunKeyNow(kHkeyLocalMachine));
  const FileContents* back = files.Contents(FakeWiden(Folder()) + u"Agent.lnk");
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(link.bytes, back->bytes);
  EXPECT_EQ(link.attributes, back->attributes);
  EXPECT_EQ(link.creationTime, back->creationTime);
  EXPECT_EQ(link.lastWriteTime, back->lastWriteTime);
  EXPECT_FALSE(view.enabled[IDM_UNDO_DELETE]);
  EXPECT_EQ(5u, list.rows.size()) << "the list loads again";
  EXPECT_EQ(2u, messages.shown.size()) << "two questions, no report";
}

TEST_F(DeleteCommandTest, UndoLeavesAnItemThatIsThereAgainAndKeepsWhatItCouldNotPutBack) {
  registry.SetString(kHkeyCurrentUser, kRun, "Back", "old.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Locked", "locked.exe");
  registry.SetString(kHkeyLocalMachine, kRun, "Machine", "m.exe");
  Load();
  Check({"Back", "Locked", "Machine"});
  Delete();
  registry.RemoveKey(kHkeyCurrentUser, kRun);  // the key went: it is made anew
  registry.SetString(kHkeyCurrentUser, kRun, "Back", "new.exe");  // recreated from outside
  registry.RefuseWrite(kHkeyLocalMachine, kRun);
  window.UndoDelete();
  EXPECT_EQ(std::vector<std::uint8_t>({'n', 'e', 'w', '.', 'e', 'x', 'e', 0}), registry.Values(kHkeyCurrentUser, kRun)[0].data);
  EXPECT_TRUE(registry.HasValue(kHkeyCurrentUser, kRun, "Locked"));
  EXPECT_FALSE(registry.HasValue(kHkeyLocalMachine, kRun, "Machine"));
  ASSERT_EQ(2u, messages.shown.size());
  const std::string& report = messages.shown[1].text;
  EXPECT_NE(std::string::npos, report.find("could not be put back. Undo Delete tries them again:\n\nMachine (m.exe): Access is denied.")) << report;
  EXPECT_NE(std::string::npos, report.find("same name is there again:\n\nBack (old.exe)")) << report;
  EXPECT_TRUE(view.enabled[IDM_UNDO_DELETE]) << "Machine is left to put back";
  registry.RemoveKey(kHkeyLocalMachine, kRun);  // no longer refused
  window.UndoDelete();
  EXPECT_TRUE(registry.HasValue(kHkeyLocalMachine, kRun, "Machine"));
  EXPECT_FALSE(view.enabled[IDM_UNDO_DELETE]);
}

// An item too large to keep is deleted all the same, and the report says Undo
// cannot put it back.
TEST_F(DeleteCommandTest, AnItemTooLargeToKeepIsDeletedAndNamedAsOneUndoCannotPutBack) {
  files.AddFile(Folder(), "Huge.lnk", "Shortcut");
  files.SetContents(FakeWiden(Folder()) + u"Huge.lnk", FileContents{std::vector<std::uint8_t>((16u << 20) + 1), 0, 0, 0});
  Load();
  Check({"Huge.lnk"});
  Delete();
  EXPECT_TRUE(files.FileNames(Folder()).empty());
  ASSERT_EQ(2u, messages.shown.size());
  EXPECT_NE(std::string::npos, messages.shown[1].text.find("deleted, but Undo cannot put them back:\n\nHuge.lnk ("))
      << messages.shown[1].text;
  EXPECT_FALSE(view.enabled[IDM_UNDO_DELETE]);
}

}  // namespace
}  // namespace rw
