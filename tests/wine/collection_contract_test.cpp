// The inventory against the real registry, folders and shell of a throwaway
// Wine prefix.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/registry_values.h"
#include "core/startup_collection.h"
#include "core/user_name.h"
#include "core/windows_version.h"
#include "platform/win32/win32_platform.h"
#include "tests/unit/recording_sink.h"
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
    IsWin9x = IsWinNT = false;
  }
  void TearDown() override {
    wine::ClearRunKey(HKEY_LOCAL_MACHINE);
    wine::ClearRunKey(HKEY_CURRENT_USER);
    wine::RemoveTree(kShellRoot);
    wine::SetShellStartupFolder(HKEY_CURRENT_USER, "Startup", "");
    wine::SetShellStartupFolder(HKEY_LOCAL_MACHINE, "Common Startup", "");
    IsWin9x = IsWinNT = false;
  }
  // Rows in load order, except that values keep the registry's own order,
  // which differs between Windows and Wine: sorted by name within each hive.
  std::vector<StartupItem> Load() {
    std::vector<StartupItem> rows = LoadInOrder();
    for (auto run = rows.begin(); run != rows.end();) {
      auto end = std::find_if(run, rows.end(), [&](const StartupItem& row) {
        return row.information != run->information;
      });
      if (run->information.rfind("Reg - ", 0) == 0) {
        std::sort(run, end, [](const StartupItem& a, const StartupItem& b) { return a.name < b.name; });
      }
      run = end;
    }
    return rows;
  }
  std::vector<StartupItem> LoadInOrder() {
    RecordingSink sink;
    LoadStartupItems(platform.services(), sink);
    EXPECT_EQ((std::vector<std::string>{"sort", "select", "status:Ready", "mark"}),
              sink.FinishingCalls());
    return sink.rows;
  }
  Win32Platform platform;
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
  const std::vector<StartupItem> expected{
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
  const std::vector<StartupItem> rows = Load();
  const std::vector<StartupItem> expected{
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
  const std::vector<StartupItem> rows = Load();
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ(StartupItem({"Huge", over64k, "Reg - HKLM"}), rows[0]);
  EXPECT_EQ(StartupItem({longName, over100, "Reg - HKLM"}), rows[1]);
  EXPECT_EQ(StartupItem({"Small", "s.exe", "Reg - HKLM"}), rows[2]);
}

TEST_F(CollectionContractTest, NamesWithCharactersOfTheAnsiCodePage) {
  const std::string name = "Caf\xe9 \xdc" "bersicht \xa9";
  const std::string data = "C:\\Programme\\\xc4" "rger\\tool.exe";
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kRunKey, name, data));
  const std::vector<StartupItem> expected{{name, data, "Reg - HKCU"}};
  EXPECT_EQ(expected, Load());
}

TEST_F(CollectionContractTest, Win9xFolderListsFilesWithTheirTypesButNoSubfolders) {
  IsWin9x = true;
  ASSERT_TRUE(wine::MakeFolders(kWin9xFolder + "Subfolder"));
  ASSERT_TRUE(wine::MakeShortcut(kWin9xFolder + "Agent.lnk", "c:\\windows\\notepad.exe", "/a"));
  ASSERT_TRUE(wine::WriteTextFile(kWin9xFolder + "notes.txt", "text"));
  ASSERT_TRUE(wine::WriteTextFile(kWin9xFolder + "hidden.ini", "[x]", FILE_ATTRIBUTE_HIDDEN));
  std::vector<StartupItem> rows = Load();
  std::sort(rows.begin(), rows.end(),
            [](const StartupItem& a, const StartupItem& b) { return a.name < b.name; });
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ(StartupItem({"Agent.lnk", kWin9xFolder + "Agent.lnk", "Shortcut"}), rows[0]);
  EXPECT_EQ("hidden.ini", rows[1].name);
  EXPECT_EQ(kWin9xFolder + "hidden.ini", rows[1].location);
  EXPECT_EQ("notes.txt", rows[2].name);
  for (const StartupItem& row : {rows[1], rows[2]}) {
    EXPECT_FALSE(row.information.empty()) << row.name;
    EXPECT_NE("Shortcut", row.information) << row.name;
  }
}

TEST_F(CollectionContractTest, AMissingStartupFolderAddsNothing) {
  IsWin9x = true;
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kRunKey, "Kept", "k.exe"));
  const std::vector<StartupItem> expected{{"Kept", "k.exe", "Reg - HKCU"}};
  EXPECT_EQ(expected, Load());
  IsWin9x = false;
  IsWinNT = true;
  EXPECT_EQ(expected, Load());
}

TEST_F(CollectionContractTest, NtListsAllUsersThenTheLoggedOnUsersFolder) {
  IsWinNT = true;
  const std::string user = GetCurrentUserName(platform.system);
  ASSERT_FALSE(user.empty());
  std::string userFolder = NtUserStartupFolder(user);
  userFolder[0] = 'C';
  ASSERT_TRUE(wine::SetShellStartupFolder(HKEY_CURRENT_USER, "Startup", WithoutSlash(userFolder)));
  ASSERT_TRUE(wine::MakeFolders(kAllUsersFolder));
  ASSERT_TRUE(wine::MakeFolders(userFolder));
  ASSERT_TRUE(wine::MakeShortcut(kAllUsersFolder + "Shared.lnk", "c:\\windows\\notepad.exe", ""));
  ASSERT_TRUE(wine::MakeShortcut(userFolder + "Mine.lnk", "c:\\windows\\notepad.exe", ""));
  const std::vector<StartupItem> expected{
      {"Shared.lnk", kAllUsersFolder + "Shared.lnk", "Shortcut"},
      {"Mine.lnk", userFolder + "Mine.lnk", "Shortcut"},
  };
  EXPECT_EQ(expected, Load());
}

TEST_F(CollectionContractTest, AMachineKeyThatRefusesTheUsualAccessIsReadAnyway) {
  // Wine grants every access to root, so only check the read-only path opens.
  RegKey key = 0;
  ASSERT_EQ(kRegSuccess, platform.registry.OpenKeyEx(kHkeyLocalMachine, RunKeyPath, kKeyRead, &key));
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
  IsWin9x = true;
  const std::vector<StartupItem> win9x{{"Mine.lnk", kUserAutostart + "\\Mine.lnk", "Shortcut"}};
  EXPECT_EQ(win9x, Load());
  IsWin9x = false;
  IsWinNT = true;
  const std::vector<StartupItem> nt{
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
  IsWin9x = true;  // Wine keeps Unicode names whatever version it reports
  ASSERT_TRUE(wine::SetShellStartupFolder(HKEY_CURRENT_USER, "Startup", kUserAutostart));
  ASSERT_TRUE(wine::MakeFolders(kUserAutostart));
  WCHAR wideFolder[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, kUserAutostart.c_str(), -1, wideFolder, MAX_PATH);
  ASSERT_TRUE(wine::MakeShortcutWide(std::wstring(wideFolder) + L"\\Tool \u03A9.lnk", "c:\\windows\\notepad.exe"));
  ASSERT_TRUE(wine::MakeShortcut(kUserAutostart + "\\Tool O.lnk", "c:\\windows\\notepad.exe", ""));

  const std::vector<StartupItem> rows = LoadInOrder();
  ASSERT_EQ(5u, rows.size());
  const StartupItem* omegaValue = nullptr;
  const StartupItem* cjkValue = nullptr;
  const StartupItem* omegaFile = nullptr;
  for (const StartupItem& row : rows) {
    if (row.location == "omega.exe") omegaValue = &row;
    if (row.location == "cjk.exe") cjkValue = &row;
    if (row.identity.IsWide() && row.identity.Unicode().find(u"\u03A9.lnk") != std::u16string::npos) {
      omegaFile = &row;
    }
  }
  ASSERT_TRUE(omegaValue && cjkValue && omegaFile);
  EXPECT_EQ("Tool O", omegaValue->name) << "shown as the ANSI list shows it";
  EXPECT_EQ("??", cjkValue->name);
  EXPECT_EQ("Tool O.lnk", omegaFile->name);

  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(platform.registry, kHkeyCurrentUser, RunKeyPath,
                                             omegaValue->identity));
  EXPECT_FALSE(wine::ValueExistsWide(HKEY_CURRENT_USER, kRunKey, omega));
  EXPECT_TRUE(wine::ValueExists(HKEY_CURRENT_USER, kRunKey, "Tool O")) << "its ANSI twin stays";
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(platform.registry, kHkeyCurrentUser, RunKeyPath,
                                             cjkValue->identity));
  EXPECT_FALSE(wine::ValueExistsWide(HKEY_CURRENT_USER, kRunKey, cjk)) << "\"??\" names no value";

  EXPECT_EQ(kFileRemoved, platform.files.RemoveFile(omegaFile->identity));
  EXPECT_FALSE(wine::FileExistsWide(std::wstring(wideFolder) + L"\\Tool \u03A9.lnk"));
  EXPECT_TRUE(wine::FileExistsWide(std::wstring(wideFolder) + L"\\Tool O.lnk")) << "its ANSI twin stays";
}

}  // namespace
}  // namespace rw
