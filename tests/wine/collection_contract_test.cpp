// The inventory against the real registry, folders and shell of a throwaway
// Wine prefix.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/startup_sources.h"
#include "core/startup_inventory.h"
#include "core/user_name.h"
#include "core/windows_version.h"
#include "platform/win32/win32_platform.h"
#include "tests/unit/read_record.h"
#include "tests/wine/wine_test_support.h"

namespace rw {
namespace {

using wine::kRunKey;

// The default install's folders, as the shell spells them (drive letter in capitals).
const std::string kWin9xFolder = "C:\\windows\\start menu\\programs\\startup\\";
const std::string kAllUsersFolder = "C:\\winnt\\profiles\\all users\\start menu\\programs\\startup\\";
// Startup folders the shell is told of: a Windows in another folder and language.
const std::string kShellRoot = "C:\\runwarden shell";
const std::string kUserAutostart = kShellRoot + "\\J\xf6rg\\Startmen\xfc\\Programme\\Autostart";
const std::string kCommonAutostart = kShellRoot + "\\All Users\\Startmen\xfc\\Programme\\Autostart";

std::string WithoutSlash(const std::string& folder) { return folder.substr(0, folder.size() - 1); }

class CollectionContractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wine::ClearRunKey(HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(wine::ClearRunKey(HKEY_CURRENT_USER));
    wine::RemoveTree(kWin9xFolder);
    wine::RemoveTree("c:\\winnt");
    wine::RemoveTree(kShellRoot);
    // The shell's folders are the default install's, as on an English Windows
    // in C:\\WINDOWS or C:\\WINNT, unless a test says otherwise.
    ASSERT_TRUE(wine::SetShellStartupFolder(HKEY_CURRENT_USER, "Startup", WithoutSlash(kWin9xFolder)));
    ASSERT_TRUE(wine::SetShellStartupFolder(HKEY_LOCAL_MACHINE, "Common Startup",
                                            WithoutSlash(kAllUsersFolder)));
  }
  void TearDown() override {
    wine::ClearRunKey(HKEY_LOCAL_MACHINE);
    wine::ClearRunKey(HKEY_CURRENT_USER);
    wine::RemoveTree(kShellRoot);
    wine::SetShellStartupFolder(HKEY_CURRENT_USER, "Startup", "");
    wine::SetShellStartupFolder(HKEY_LOCAL_MACHINE, "Common Startup", "");
  }
  // Rows in load order, except that values keep the registry's own order,
  // which differs between Windows and Wine: sorted by name within each hive.
  std::vector<ShownRow> Load() {
    std::vector<ShownRow> rows = LoadInOrder();
    for (auto run = rows.begin(); run != rows.end();) {
      auto end = std::find_if(run, rows.end(), [&](const ShownRow& row) {
        return row.information != run->information;
      });
      if (run->information.rfind("Reg - ", 0) == 0) {
        std::sort(run, end, [](const ShownRow& a, const ShownRow& b) { return a.name < b.name; });
      }
      run = end;
    }
    return rows;
  }
  std::vector<ShownRow> LoadInOrder() { return LoadRows().rows; }
  ReadRecord LoadRows() {
    StartupInventory entries;
    ReadRecord record(entries);
    entries.LoadStartupItems(platform.services(), family, true);
    record.Record();
    return record;
  }
  Win32Platform platform;
  WindowsFamily family = WindowsFamily::kNone;
};

TEST_F(CollectionContractTest, EveryValueTypeIsARowWithItsDataUpToTheFirstNul) {
  const HKEY cu = HKEY_CURRENT_USER;
  ASSERT_TRUE(wine::SetStringValue(cu, kRunKey, "Plain", "\"C:\\Program Files\\App\\app.exe\" /min"));
  ASSERT_TRUE(wine::SetStringValue(cu, kRunKey, "Expand", "%windir%\\tool.exe -q", REG_EXPAND_SZ));
  ASSERT_TRUE(wine::SetRawValue(cu, kRunKey, "Multi", REG_MULTI_SZ,
                                {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}));
  ASSERT_TRUE(wine::SetRawValue(cu, kRunKey, "Dword", REG_DWORD, {1, 0, 0, 0}));
  ASSERT_TRUE(wine::SetRawValue(cu, kRunKey, "Binary", REG_BINARY, {0, 'x', 'y'}));
  ASSERT_TRUE(wine::SetRawValue(cu, kRunKey, "NoData", REG_SZ, {}));
  const std::vector<ShownRow> expected{
      {"Binary", "", "Reg - HKCU"},
      {"Dword", std::string(1, '\x01'), "Reg - HKCU"},
      {"Expand", "%windir%\\tool.exe -q", "Reg - HKCU"},
      {"Multi", "one", "Reg - HKCU"},
      {"NoData", "", "Reg - HKCU"},
      {"Plain", "\"C:\\Program Files\\App\\app.exe\" /min", "Reg - HKCU"},
  };
  EXPECT_EQ(expected, Load());
}

TEST_F(CollectionContractTest, DefaultValueTwinNamesAndEmptyDataAfterFullData) {
  ASSERT_TRUE(wine::SetStringValue(HKEY_LOCAL_MACHINE, kRunKey, "", "default.exe"));
  ASSERT_TRUE(wine::SetStringValue(HKEY_LOCAL_MACHINE, kRunKey, "Twin", "machine.exe"));
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kRunKey, "Twin", "user.exe"));
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kRunKey, "Empty", ""));
  const std::vector<ShownRow> rows = Load();
  const std::vector<ShownRow> expected{
      {"", "default.exe", "Reg - HKLM"},
      {"Twin", "machine.exe", "Reg - HKLM"},
      {"Empty", "", "Reg - HKCU"},
      {"Twin", "user.exe", "Reg - HKCU"},
  };
  EXPECT_EQ(expected, rows);
}

TEST_F(CollectionContractTest, LongNamesAndLargeDataAreReadWhole) {
  const std::string longName(255, 'N');
  const std::string over100 = "C:\\" + std::string(150, 'd') + ".exe";
  const std::string over64k = "C:\\" + std::string(70000, 'e') + ".exe";
  ASSERT_TRUE(wine::SetStringValue(HKEY_LOCAL_MACHINE, kRunKey, longName, over100));
  ASSERT_TRUE(wine::SetStringValue(HKEY_LOCAL_MACHINE, kRunKey, "Huge", over64k));
  ASSERT_TRUE(wine::SetStringValue(HKEY_LOCAL_MACHINE, kRunKey, "Small", "s.exe"));
  const std::vector<ShownRow> rows = Load();
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ(ShownRow({"Huge", over64k, "Reg - HKLM"}), rows[0]);
  EXPECT_EQ(ShownRow({longName, over100, "Reg - HKLM"}), rows[1]);
  EXPECT_EQ(ShownRow({"Small", "s.exe", "Reg - HKLM"}), rows[2]);
}

TEST_F(CollectionContractTest, NamesWithCharactersOfTheAnsiCodePage) {
  const std::string name = "Caf\xe9 \xdc" "bersicht \xa9";
  const std::string data = "C:\\Programme\\\xc4" "rger\\tool.exe";
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kRunKey, name, data));
  const std::vector<ShownRow> expected{{name, data, "Reg - HKCU"}};
  EXPECT_EQ(expected, Load());
}

TEST_F(CollectionContractTest, Win9xFolderListsFilesWithTheirTypesButNoSubfolders) {
  family = WindowsFamily::kWin9x;
  ASSERT_TRUE(wine::MakeFolders(kWin9xFolder + "Subfolder"));
  ASSERT_TRUE(wine::MakeShortcut(kWin9xFolder + "Agent.lnk", "c:\\windows\\notepad.exe", "/a"));
  ASSERT_TRUE(wine::WriteTextFile(kWin9xFolder + "notes.txt", "text"));
  ASSERT_TRUE(wine::WriteTextFile(kWin9xFolder + "hidden.ini", "[x]", FILE_ATTRIBUTE_HIDDEN));
  std::vector<ShownRow> rows = Load();
  std::sort(rows.begin(), rows.end(),
            [](const ShownRow& a, const ShownRow& b) { return a.name < b.name; });
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ(ShownRow({"Agent.lnk", kWin9xFolder + "Agent.lnk", "Shortcut"}), rows[0]);
  EXPECT_EQ("hidden.ini", rows[1].name);
  EXPECT_EQ(kWin9xFolder + "hidden.ini", rows[1].location);
  EXPECT_EQ("notes.txt", rows[2].name);
  for (const ShownRow& row : {rows[1], rows[2]}) {
    EXPECT_FALSE(row.information.empty()) << row.name;
    EXPECT_NE("Shortcut", row.information) << row.name;
  }
}

TEST_F(CollectionContractTest, AMissingStartupFolderAddsNothing) {
  family = WindowsFamily::kWin9x;
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kRunKey, "Kept", "k.exe"));
  const std::vector<ShownRow> expected{{"Kept", "k.exe", "Reg - HKCU"}};
  EXPECT_EQ(expected, Load());
  family = WindowsFamily::kNT;
  EXPECT_EQ(expected, Load());
}

TEST_F(CollectionContractTest, NtListsAllUsersThenTheLoggedOnUsersFolder) {
  family = WindowsFamily::kNT;
  const std::string user = GetCurrentUserName(platform.system);
  ASSERT_FALSE(user.empty());
  std::string userFolder = NtUserStartupFolder(user);
  userFolder[0] = 'C';
  ASSERT_TRUE(wine::SetShellStartupFolder(HKEY_CURRENT_USER, "Startup", WithoutSlash(userFolder)));
  ASSERT_TRUE(wine::MakeFolders(kAllUsersFolder));
  ASSERT_TRUE(wine::MakeFolders(userFolder));
  ASSERT_TRUE(wine::MakeShortcut(kAllUsersFolder + "Shared.lnk", "c:\\windows\\notepad.exe", ""));
  ASSERT_TRUE(wine::MakeShortcut(userFolder + "Mine.lnk", "c:\\windows\\notepad.exe", ""));
  const std::vector<ShownRow> expected{
      {"Shared.lnk", kAllUsersFolder + "Shared.lnk", "Shortcut"},
      {"Mine.lnk", userFolder + "Mine.lnk", "Shortcut"},
  };
  EXPECT_EQ(expected, Load());
}

TEST_F(CollectionContractTest, AMachineKeyThatRefusesTheUsualAccessIsReadAnyway) {
  // Wine grants every access to root, so only check the read-only path opens.
  RegKey key = 0;
  ASSERT_EQ(kRegSuccess, platform.registry.OpenKeyEx(kHkeyLocalMachine, kRunKeyPath, kKeyRead, &key));
  EXPECT_NE(0u, key);
  EXPECT_EQ(kRegSuccess, platform.registry.CloseKey(key));
}

TEST_F(CollectionContractTest, TheShellsStartupFoldersAreListedWhereverTheyAre) {
  ASSERT_TRUE(wine::SetShellStartupFolder(HKEY_CURRENT_USER, "Startup", kUserAutostart));
  ASSERT_TRUE(wine::SetShellStartupFolder(HKEY_LOCAL_MACHINE, "Common Startup", kCommonAutostart));
  ASSERT_TRUE(wine::MakeFolders(kUserAutostart));
  ASSERT_TRUE(wine::MakeFolders(kCommonAutostart));
  ASSERT_TRUE(wine::MakeFolders(kWin9xFolder));
  ASSERT_TRUE(wine::MakeShortcut(kUserAutostart + "\\Mine.lnk", "c:\\windows\\notepad.exe", ""));
  ASSERT_TRUE(wine::MakeShortcut(kCommonAutostart + "\\Shared.lnk", "c:\\windows\\notepad.exe", ""));
  ASSERT_TRUE(wine::MakeShortcut(kWin9xFolder + "Stale.lnk", "c:\\windows\\notepad.exe", ""));
  family = WindowsFamily::kWin9x;
  const std::vector<ShownRow> win9x{{"Mine.lnk", kUserAutostart + "\\Mine.lnk", "Shortcut"}};
  EXPECT_EQ(win9x, Load());
  family = WindowsFamily::kNT;
  const std::vector<ShownRow> nt{
      {"Shared.lnk", kCommonAutostart + "\\Shared.lnk", "Shortcut"},
      {"Mine.lnk", kUserAutostart + "\\Mine.lnk", "Shortcut"},
  };
  EXPECT_EQ(nt, Load());
}

// NT and Wine keep names in Unicode. The list shows a name the ANSI code page
// cannot hold with best-fit letters or "?", which may be another entry's name:
// the row's identity must still reach its own entry and no other.
TEST_F(CollectionContractTest, NamesOutsideTheCodePageReachTheirOwnEntryOnly) {
  const std::wstring omega = L"Tool \u03A9";
  const std::wstring cjk = L"\u5DE5\u5177";
  ASSERT_TRUE(wine::SetStringValueWide(HKEY_CURRENT_USER, kRunKey, omega, "omega.exe"));
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kRunKey, "Tool O", "plain.exe"));
  ASSERT_TRUE(wine::SetStringValueWide(HKEY_CURRENT_USER, kRunKey, cjk, "cjk.exe"));
  family = WindowsFamily::kWin9x;  // Wine keeps Unicode names whatever version it reports
  ASSERT_TRUE(wine::SetShellStartupFolder(HKEY_CURRENT_USER, "Startup", kUserAutostart));
  ASSERT_TRUE(wine::MakeFolders(kUserAutostart));
  WCHAR wideFolder[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, kUserAutostart.c_str(), -1, wideFolder, MAX_PATH);
  ASSERT_TRUE(wine::MakeShortcutWide(std::wstring(wideFolder) + L"\\Tool \u03A9.lnk", "c:\\windows\\notepad.exe"));
  ASSERT_TRUE(wine::MakeShortcut(kUserAutostart + "\\Tool O.lnk", "c:\\windows\\notepad.exe", ""));

  const ReadRecord loaded = LoadRows();
  ASSERT_EQ(5u, loaded.rows.size());
  std::size_t omegaValue = 5, cjkValue = 5, omegaFile = 5;
  for (std::size_t i = 0; i < loaded.rows.size(); ++i) {
    const ExactName identity = loaded.items[i].Identity();
    if (loaded.rows[i].location == "omega.exe") omegaValue = i;
    if (loaded.rows[i].location == "cjk.exe") cjkValue = i;
    if (identity.IsWide() && identity.Unicode().find(u"\u03A9.lnk") != std::u16string::npos) omegaFile = i;
  }
  ASSERT_TRUE(omegaValue < 5 && cjkValue < 5 && omegaFile < 5);
  EXPECT_EQ("Tool O", loaded.rows[omegaValue].name) << "shown as the ANSI list shows it";
  EXPECT_EQ("??", loaded.rows[cjkValue].name);
  EXPECT_EQ("Tool O.lnk", loaded.rows[omegaFile].name);

  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(platform.registry, kHkeyCurrentUser, kRunKeyPath,
                                             loaded.items[omegaValue].Identity()));
  EXPECT_FALSE(wine::ValueExistsWide(HKEY_CURRENT_USER, kRunKey, omega));
  EXPECT_TRUE(wine::ValueExists(HKEY_CURRENT_USER, kRunKey, "Tool O")) << "its ANSI twin stays";
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(platform.registry, kHkeyCurrentUser, kRunKeyPath,
                                             loaded.items[cjkValue].Identity()));
  EXPECT_FALSE(wine::ValueExistsWide(HKEY_CURRENT_USER, kRunKey, cjk)) << "\"??\" names no value";

  EXPECT_EQ(kFileRemoved, platform.files.RemoveFile(loaded.items[omegaFile].Identity()));
  EXPECT_FALSE(wine::FileExistsWide(std::wstring(wideFolder) + L"\\Tool \u03A9.lnk"));
  EXPECT_TRUE(wine::FileExistsWide(std::wstring(wideFolder) + L"\\Tool O.lnk")) << "its ANSI twin stays";
}

}  // namespace
}  // namespace rw
