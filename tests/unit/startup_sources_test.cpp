#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "core/startup_inventory.h"
#include "tests/unit/fake_platform.h"
#include "tests/unit/read_record.h"

namespace rw {
namespace {

const std::string kRun = kRunKeyPath;
const std::string kWin9xFolder = "c:\\windows\\start menu\\programs\\startup\\";
const std::string kAllUsersFolder = "c:\\winnt\\profiles\\all users\\start menu\\programs\\startup\\";

class CollectionTest : public FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    registry.CreateKey(kHkeyLocalMachine, kRun);
    registry.CreateKey(kHkeyCurrentUser, kRun);
  }
  void Load() {
    entries.LoadStartupItems(services(), family, true);
    record.Record();
  }
  WindowsFamily family = WindowsFamily::kNone;
  StartupInventory entries;
  ReadRecord record{entries};
};

TEST_F(CollectionTest, MachineValuesThenUserValuesThenFolderFiles) {
  family = WindowsFamily::kWin9x;
  registry.SetString(kHkeyLocalMachine, kRun, "ScanRegistry", "C:\\WINDOWS\\scanregw.exe /autorun");
  registry.SetString(kHkeyLocalMachine, kRun, "SystemTray", "SysTray.Exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Notes", "C:\\Notes\\notes.exe -min -q");
  files.AddFile(kWin9xFolder, "Agent.lnk", "Shortcut");
  files.AddFile(kWin9xFolder, "desktop.ini", "Configuration Settings");
  Load();
  const std::vector<ShownRow> expected{
      {"ScanRegistry", "C:\\WINDOWS\\scanregw.exe /autorun", "Reg - HKLM"},
      {"SystemTray", "SysTray.Exe", "Reg - HKLM"},
      {"Notes", "C:\\Notes\\notes.exe -min -q", "Reg - HKCU"},
      {"Agent.lnk", kWin9xFolder + "Agent.lnk", "Shortcut"},
      {"desktop.ini", kWin9xFolder + "desktop.ini", "Configuration Settings"},
  };
  EXPECT_EQ(expected, record.rows);
}

TEST_F(CollectionTest, EveryValueTypeIsARowNamedByItsValue) {
  registry.SetString(kHkeyCurrentUser, kRun, "Plain", "a.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Expand", "%windir%\\b.exe", kRegExpandSz);
  registry.SetValue(kHkeyCurrentUser, kRun, "Multi", kRegMultiSz,
                    {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0});
  registry.SetDword(kHkeyCurrentUser, kRun, "Dword", 1);
  registry.SetValue(kHkeyCurrentUser, kRun, "Binary", kRegBinary, {0, 'x', 'y'});
  registry.SetValue(kHkeyCurrentUser, kRun, "NoType", kRegNone, {});
  Load();
  const std::vector<ShownRow> expected{
      {"Plain", "a.exe", "Reg - HKCU"},
      {"Expand", "%windir%\\b.exe", "Reg - HKCU"},  // not expanded
      {"Multi", "one", "Reg - HKCU"},               // first string only
      {"Dword", std::string(1, '\x01'), "Reg - HKCU"},
      {"Binary", "", "Reg - HKCU"},
      {"NoType", "", "Reg - HKCU"},
  };
  EXPECT_EQ(expected, record.rows);
}

TEST_F(CollectionTest, DefaultValueEmptyDataAndTheSameNameInBothHives) {
  registry.SetString(kHkeyLocalMachine, kRun, "", "default.exe");
  registry.SetString(kHkeyLocalMachine, kRun, "Twin", "machine.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Full", "full.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "Empty", "");
  registry.SetString(kHkeyCurrentUser, kRun, "Twin", "user.exe");
  Load();
  const std::vector<ShownRow> expected{
      {"", "default.exe", "Reg - HKLM"},  {"Twin", "machine.exe", "Reg - HKLM"},
      {"Full", "full.exe", "Reg - HKCU"}, {"Empty", "", "Reg - HKCU"},
      {"Twin", "user.exe", "Reg - HKCU"},
  };
  EXPECT_EQ(expected, record.rows);
}

TEST_F(CollectionTest, LongNamesAndDataAreReadWhole) {
  const std::string longName(255, 'N');
  const std::string longData = "C:\\" + std::string(70000, 'd') + ".exe";
  registry.SetString(kHkeyLocalMachine, kRun, "Short", "s.exe");
  registry.SetString(kHkeyLocalMachine, kRun, longName, longData);
  registry.SetString(kHkeyLocalMachine, kRun, std::string(101, 'x'), std::string(150, 'y'));
  Load();
  ASSERT_EQ(3u, record.rows.size());
  EXPECT_EQ(ShownRow({"Short", "s.exe", "Reg - HKLM"}), record.rows[0]);
  EXPECT_EQ(longName, record.rows[1].name);
  EXPECT_EQ(longData, record.rows[1].location);
  EXPECT_EQ(std::string(101, 'x'), record.rows[2].name);
  EXPECT_EQ(std::string(150, 'y'), record.rows[2].location);
}

TEST_F(CollectionTest, BuffersGrowWhenTheKeyCannotTellItsLimits) {
  registry.FailQueryValueLimits(true);
  registry.SetString(kHkeyCurrentUser, kRun, std::string(300, 'n'), std::string(5000, 'd'));
  registry.SetString(kHkeyCurrentUser, kRun, "after", "after.exe");
  Load();
  ASSERT_EQ(2u, record.rows.size());
  EXPECT_EQ(std::string(300, 'n'), record.rows[0].name);
  EXPECT_EQ(std::string(5000, 'd'), record.rows[0].location);
  EXPECT_EQ("after", record.rows[1].name);
}

TEST_F(CollectionTest, AValueThatNeverFitsIsSkippedAndTheRestStillListed) {
  registry.SetString(kHkeyCurrentUser, kRun, "restless", "r.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "calm", "c.exe");
  registry.ReportMoreDataTimes(17);  // more than one value may take
  Load();
  ASSERT_FALSE(record.rows.empty()) << "the enumeration ended instead of skipping";
  EXPECT_EQ("calm", record.rows.back().name);
  EXPECT_EQ(0, registry.OpenHandleCount());
  ASSERT_EQ(1u, entries.Problems().sources.size()) << "the value given up is reported";
  EXPECT_EQ(1, entries.Problems().sources[0].valuesSkipped);
}

// Each source not read in full is named in the list's words, with the
// system's reason and what it gave; a missing key or folder is no failure.
TEST_F(CollectionTest, EverySourceNotReadInFullIsNamedWithItsReason) {
  family = WindowsFamily::kWin9x;
  registry.SetString(kHkeyCurrentUser, kRun, "first", "1.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "second", "2.exe");
  registry.FailEnumAt(kHkeyCurrentUser, kRun, 1, kRegAccessDenied);
  registry.RefuseAccess(kHkeyLocalMachine, kRun, kRunKeyAccess);
  registry.RefuseAccess(kHkeyLocalMachine, kRun, kKeyRead);
  files.AddFile(kWin9xFolder, "a.lnk", "Shortcut");
  files.AddFile(kWin9xFolder, "b.zzz", "");  // the system could not describe it
  files.AddFile(kWin9xFolder, "c.lnk", "Shortcut");
  files.FailListing(kWin9xFolder, 2, 1117);  // the listing stops after two files
  Load();
  EXPECT_EQ(3u, record.rows.size()) << "what could be read is listed";
  EXPECT_EQ(FakeWiden("The list may be incomplete: some startup items may be missing from it.\n"
                      "\nReg - HKLM (HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run): "
                      "Access is denied. 0 items were read from it."
                      "\nReg - HKCU (HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run): "
                      "Access is denied. 1 item was read from it."
                      "\n" + kWin9xFolder + ": Error 1117. The type of 1 file could not be read. "
                      "2 items were read from it.\n\nRefresh (F5) reads them again."),
            LoadReport(entries.Problems(), u"", system));
  FakeRegistry empty;  // no Run keys and no folder: nothing to say
  entries.LoadStartupItems(Platform{empty, system, files, messages, programs}, WindowsFamily::kNT, true);
  record.Record();
  EXPECT_EQ(u"", LoadReport(entries.Problems(), u"", system));
}

// A folder removed while it is listed ("not found" part way) is no missing
// folder; a file whose type could not be read is still listed.
TEST_F(CollectionTest, AFolderThatGoesWhileListedKeepsItsFilesAndIsReported) {
  family = WindowsFamily::kWin9x;
  files.AddFile(kWin9xFolder, "a.lnk", "Shortcut");
  files.AddFile(kWin9xFolder, "b.zzz", "");
  files.AddFile(kWin9xFolder, "c.lnk", "Shortcut");
  Load();
  EXPECT_EQ(FakeWiden("Every startup item is listed, but some could not be read in full.\n\n" + kWin9xFolder +
                      ": The type of 1 file could not be read. 3 items were read from it."
                      "\n\nRefresh (F5) reads them again."),
            LoadReport(entries.Problems(), u"", system));
  files.FailListing(kWin9xFolder, 2, kErrorFileNotFound);
  Load();
  EXPECT_EQ(2u, entries.Count());
  EXPECT_EQ(FakeWiden("The list may be incomplete: some startup items may be missing from it.\n\n" +
                      kWin9xFolder + ": The system cannot find the file specified. The type of 1 file "
                      "could not be read. 2 items were read from it.\n\nRefresh (F5) reads them again."),
            LoadReport(entries.Problems(), u"", system));
}

TEST_F(CollectionTest, AMissingKeyOrAFailingEnumerationEndsThatKeyOnly) {
  FakeRegistry& r = registry;
  r.SetString(kHkeyCurrentUser, kRun, "first", "1.exe");
  r.SetString(kHkeyCurrentUser, kRun, "second", "2.exe");
  r.SetString(kHkeyCurrentUser, kRun, "third", "3.exe");
  r.FailEnumAt(kHkeyCurrentUser, kRun, 1, kRegAccessDenied);
  // The machine key is there but refuses every open.
  r.RefuseAccess(kHkeyLocalMachine, kRun, kRunKeyAccess);
  r.RefuseAccess(kHkeyLocalMachine, kRun, kKeyRead);
  Load();
  const std::vector<ShownRow> expected{{"first", "1.exe", "Reg - HKCU"}};
  EXPECT_EQ(expected, record.rows);
  EXPECT_EQ(0, registry.OpenHandleCount());
}

// Jobs run at once, refused, or kept until the load waits for them: the
// helper keys every batch, none, or none it has not found keyed.
class SomeWork : public BackgroundWork {
 public:
  enum Kind { kAtOnce, kRefused, kLate };
  explicit SomeWork(Kind kind) : kind_(kind) {}
  bool Post(Job job, void* context) noexcept override {
    ++posts;
    if (kind_ == kRefused) return false;
    if (kind_ == kAtOnce) job(context);
    if (kind_ == kLate) late_ = {job, context};
    return true;
  }
  void Wait() noexcept override {
    if (late_.first != nullptr) late_.first(late_.second);
    late_ = {};
  }
  int posts = 0;

 private:
  Kind kind_;
  std::pair<Job, void*> late_{};
};

// Some names have no key made in their batch: they are made after them.
struct SomeKeysLate : public FakeSystemQueries {
  int SortKeyInto(const char16_t* units, std::size_t length, bool wide, char* key, std::size_t bytes) noexcept override {
    return ++calls % 700 == 0 ? -1 : FakeSystemQueries::SortKeyInto(units, length, wide, key, bytes);
  }
  int calls = 0;
};

// Thousands of names, in batches keyed by either thread, some names late:
// the load's order is that of each name's key, names alike in the order read.
TEST_F(CollectionTest, NamesKeyedInBatchesByEitherThreadRankAsTheirKeys) {
  for (int i = 0; i < 2600; ++i) {
    const std::string name = (i % 3 != 0 ? "App" : "app") + std::to_string(i * 7919 % 1300);
    registry.SetString(i < 1300 ? kHkeyLocalMachine : kHkeyCurrentUser, kRun, name, "run.exe");
  }
  for (const auto kind : {SomeWork::kAtOnce, SomeWork::kRefused, SomeWork::kLate})
  for (const bool unicode : {true, false}) {
    SomeWork work(kind);
    SomeKeysLate keys;
    entries.LoadStartupItems(Platform{registry, keys, files, messages, programs, work}, family, unicode);
    EXPECT_EQ(1, work.posts) << "one helper for every batch";
    EXPECT_GT(keys.calls, 1300);
    std::vector<std::uint32_t> ids = entries.Ids();
    std::map<std::uint32_t, std::string> keyOf;
    for (const std::uint32_t id : ids) {
      const RowText name = entries.Text(id, kColumnName);
      keyOf[id] = FlatCollationKeyWide(std::u16string(name.units, name.length));
    }
    std::vector<std::uint32_t> expected = ids;
    std::stable_sort(expected.begin(), expected.end(), [&](auto a, auto b) { return keyOf[a] < keyOf[b]; });
    const NameOrder& order = entries.Order(keys, unicode);
    ASSERT_TRUE(order.Keyed());
    ASSERT_TRUE(order.SortAscending(&ids));
    EXPECT_EQ(expected, ids) << (unicode ? "Unicode" : "ANSI") << " keys, work " << kind;
  }
}

TEST_F(CollectionTest, KeysThatDoNotExistGiveNoRows) {
  FakeRegistry empty;
  Platform platform{empty, system, files, messages, programs};
  entries.LoadStartupItems(platform, family, true);
  record.Record();
  EXPECT_TRUE(record.rows.empty());
}

TEST_F(CollectionTest, AMachineKeyWithoutWriteRightsIsStillListed) {
  registry.SetString(kHkeyLocalMachine, kRun, "Antivirus", "av.exe /tray");
  registry.RefuseAccess(kHkeyLocalMachine, kRun, kRunKeyAccess);
  Load();
  const std::vector<ShownRow> expected{{"Antivirus", "av.exe /tray", "Reg - HKLM"}};
  EXPECT_EQ(expected, record.rows);
  EXPECT_EQ(0, registry.OpenHandleCount());
}

TEST_F(CollectionTest, Win9xListsOnlyItsFolderAndNoSubfolders) {
  family = WindowsFamily::kWin9x;
  files.AddFile(kWin9xFolder, "Agent.lnk", "Shortcut");
  files.AddFile(kAllUsersFolder, "nt.lnk", "Shortcut");
  Load();
  ASSERT_EQ(1u, record.rows.size());
  EXPECT_EQ(ShownRow({"Agent.lnk", "c:\\windows\\start menu\\programs\\startup\\Agent.lnk",
                         "Shortcut"}),
            record.rows[0]);
  EXPECT_EQ(std::vector<std::string>{kWin9xFolder}, files.ListedFolders());
  EXPECT_EQ(0, system.userNameCalls);
}

TEST_F(CollectionTest, NtListsAllUsersThenTheUsersOwnFolder) {
  family = WindowsFamily::kNT;
  system.userName = "jsmith";
  const std::string userFolder = "c:\\winnt\\profiles\\jsmith\\start menu\\programs\\startup\\";
  files.AddFile(userFolder, "mine.lnk", "Shortcut");
  files.AddFile(kAllUsersFolder, "shared.lnk", "Shortcut");
  files.AddFile(kAllUsersFolder, "notes.txt", "Text Document");
  Load();
  const std::vector<ShownRow> expected{
      {"shared.lnk", kAllUsersFolder + "shared.lnk", "Shortcut"},
      {"notes.txt", kAllUsersFolder + "notes.txt", "Text Document"},
      {"mine.lnk", userFolder + "mine.lnk", "Shortcut"},
  };
  EXPECT_EQ(expected, record.rows);
  EXPECT_EQ((std::vector<std::string>{kAllUsersFolder, userFolder}), files.ListedFolders());
}

TEST_F(CollectionTest, NtWithoutAUserNameAsksForADoubleBackslashFolder) {
  family = WindowsFamily::kNT;
  system.userNameFails = true;
  Load();
  ASSERT_EQ(2u, files.ListedFolders().size());
  EXPECT_EQ("c:\\winnt\\profiles\\\\start menu\\programs\\startup\\", files.ListedFolders()[1]);
  EXPECT_TRUE(record.rows.empty());
}

TEST_F(CollectionTest, NeitherFlagReadsNoFolder) {
  files.AddFile(kWin9xFolder, "Agent.lnk", "Shortcut");
  Load();
  EXPECT_TRUE(files.ListedFolders().empty());
  EXPECT_TRUE(record.rows.empty());
}

TEST_F(CollectionTest, MissingOrUnreadableFoldersAddNothingAndRaiseNothing) {
  family = WindowsFamily::kNT;  // neither NT folder exists
  registry.SetString(kHkeyCurrentUser, kRun, "kept", "k.exe");
  Load();
  EXPECT_EQ(1u, record.rows.size());

  ReadRecord second{entries};
  family = WindowsFamily::kWin9x;
  files.FailListing(kWin9xFolder);
  entries.LoadStartupItems(services(), family, true);
  second.Record();
  EXPECT_EQ(1u, second.rows.size());
}

TEST_F(CollectionTest, ShellLinksAreShortcutsWhateverTheLanguage) {
  family = WindowsFamily::kWin9x;
  files.AddFile(kWin9xFolder, "Agent.LNK", "Verknüpfung");
  files.AddFile(kWin9xFolder, "setup.ini", "Konfigurationseinstellungen");
  files.AddFile(kWin9xFolder, "lnk", "Datei");
  // A look-alike in full-width letters, which a shell that looks types up in
  // ANSI calls a shortcut: it is no shell link, and is never deleted.
  files.AddFileWide(FakeWiden(kWin9xFolder), u"evil.\uFF4C\uFF4E\uFF4B", "Shortcut");
  files.AddFile(kWin9xFolder, "notes.lnz", "LNZ File");  // one letter off
  Load();
  ASSERT_EQ(5u, record.rows.size());
  EXPECT_EQ(ItemSource::kStartupOtherFile, record.items[4].source());
  EXPECT_EQ("Shortcut", record.rows[0].information);
  EXPECT_EQ("Konfigurationseinstellungen", record.rows[1].information);
  EXPECT_EQ("Datei", record.rows[2].information);
  EXPECT_EQ(ItemSource::kStartupOtherFile, record.items[3].source());
  const RowText type = record.items[3].Text(kColumnInformation);
  EXPECT_EQ(u"\uFF4C\uFF4E\uFF4B File", std::u16string(type.units, type.length));
}

TEST_F(CollectionTest, EveryKeyHandleIsClosed) {
  family = WindowsFamily::kWin9x;
  files.shellFolders[StartupFolderKind::kUser] = kWin9xFolder;  // the Run keys are opened last
  registry.SetString(kHkeyLocalMachine, kRun, "a", "a.exe");
  registry.SetString(kHkeyCurrentUser, kRun, "b", "b.exe");
  Load();
  EXPECT_EQ(0, registry.OpenHandleCount());
  EXPECT_EQ(kRunKeyAccess, registry.AccessOfLastOpen()) << "the usual access is asked first";
}

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST_F(CollectionTest, TheStartupFolderIsTheOneTheShellNames) {
  family = WindowsFamily::kWin9x;
  const std::string autostart = "D:\\WIN95\\Startmen\xfc\\Programme\\Autostart";
  files.shellFolders[StartupFolderKind::kUser] = autostart;  // no backslash at the end
  files.AddFile(autostart + "\\", "Agent.lnk", "Verkn\xfcpfung");
  files.AddFile(kWin9xFolder, "stale.lnk", "Shortcut");  // where nothing is started
  Load();
  ASSERT_EQ(1u, record.rows.size());
  EXPECT_EQ(ShownRow({"Agent.lnk", autostart + "\\Agent.lnk", "Shortcut"}), record.rows[0]);
  EXPECT_EQ(ItemSource::kStartupShortcut, record.items[0].source());
}

TEST_F(CollectionTest, AUnicodeShellFolderIsListedAndItsFilesAddressedExactly) {
  family = WindowsFamily::kNT;
  const std::u16string own = u"C:\\users\\\u0414\u0438\u043C\u0430\\StartUp";  // a Cyrillic user name
  files.shellFolders[StartupFolderKind::kUser] = ExactName::Wide(own);
  files.AddFileWide(own + u"\\", u"Tool.lnk", "Shortcut");
  Load();
  ASSERT_EQ(1u, record.rows.size());
  EXPECT_EQ("C:\\users\\????\\StartUp\\Tool.lnk", record.rows[0].location) << "as the ANSI list shows it";
  EXPECT_EQ(ExactName::Wide(own + u"\\Tool.lnk"), record.items[0].Identity());
}

TEST_F(CollectionTest, WithoutTheShellExplorersRecordThenTheDefaultFolderIsListed) {
  family = WindowsFamily::kWin9x;
  registry.SetString(kHkeyCurrentUser, kShellFolders, "Startup", "C:\\WIN95\\Start Menu\\Programs\\StartUp");
  files.AddFile("c:\\win95\\start menu\\programs\\startup\\", "Recorded.lnk", "Shortcut");
  files.AddFile(kWin9xFolder, "Default.lnk", "Shortcut");
  Load();
  ASSERT_EQ(1u, record.rows.size());
  EXPECT_EQ("C:\\WIN95\\Start Menu\\Programs\\StartUp\\Recorded.lnk", record.rows[0].location);

  registry.SetString(kHkeyCurrentUser, kShellFolders, "Startup", "");  // an empty record counts as none
  record.Clear();
  Load();
  ASSERT_EQ(1u, record.rows.size());
  EXPECT_EQ(kWin9xFolder + "Default.lnk", record.rows[0].location);
}

TEST_F(CollectionTest, ExplorersRecordIsReadInUnicodeAndNotAsItsAnsiTwin) {
  family = WindowsFamily::kWin9x;
  // A path the code page cannot hold; its ANSI form is another, existing folder.
  const std::u16string recorded = u"C:\\Profiles\\\u03A9\\Autostart";
  registry.SetStringWide(kHkeyCurrentUser, kShellFolders, u"Startup", recorded);
  files.AddFileWide(recorded + u"\\", u"Real.lnk", "Shortcut");
  files.AddFile("C:\\Profiles\\O\\Autostart\\", "Other.lnk", "Shortcut");
  Load();
  ASSERT_EQ(1u, record.rows.size());
  EXPECT_EQ("Real.lnk", record.rows[0].name);
  EXPECT_EQ(ExactName::Wide(recorded + u"\\Real.lnk"), record.items[0].Identity());
}

TEST_F(CollectionTest, NtListsTheShellsAllUsersFolderThenTheUsersOwnAndOneFolderOnce) {
  family = WindowsFamily::kNT;
  files.shellFolders[StartupFolderKind::kAllUsers] = "D:\\WINNT40\\Profiles\\All Users\\Startmen\xfc\\Programme\\Autostart\\";
  files.shellFolders[StartupFolderKind::kUser] = "D:\\WINNT40\\Profiles\\jsmith\\Startmen\xfc\\Programme\\Autostart\\";
  files.AddFile("d:\\winnt40\\profiles\\all users\\startmen\xfc\\programme\\autostart\\", "Shared.lnk", "Shortcut");
  files.AddFile("d:\\winnt40\\profiles\\jsmith\\startmen\xfc\\programme\\autostart\\", "Mine.lnk", "Shortcut");
  Load();
  ASSERT_EQ(2u, record.rows.size());
  EXPECT_EQ("Shared.lnk", record.rows[0].name);
  EXPECT_EQ("Mine.lnk", record.rows[1].name);

  files.shellFolders[StartupFolderKind::kUser] = files.shellFolders[StartupFolderKind::kAllUsers];
  record.Clear();
  Load();
  ASSERT_EQ(1u, record.rows.size()) << "the same folder twice is listed once";
}

}  // namespace
}  // namespace rw
