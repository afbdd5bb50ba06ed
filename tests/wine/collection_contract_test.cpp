// The inventory against the real registry, folders and shell of a throwaway
// Wine prefix.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/startup_collection.h"
#include "core/user_name.h"
#include "core/windows_version.h"
#include "platform/win32/win32_platform.h"
#include "tests/unit/recording_sink.h"
#include "tests/wine/wine_test_support.h"

namespace rw {
namespace {

using wine::kRunKey;

const std::string kWin9xFolder = "c:\\windows\\start menu\\programs\\startup\\";
const std::string kAllUsersFolder = "c:\\winnt\\profiles\\all users\\start menu\\programs\\startup\\";

class CollectionContractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wine::ClearRunKey(HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(wine::ClearRunKey(HKEY_CURRENT_USER));
    wine::RemoveTree(kWin9xFolder);
    wine::RemoveTree("c:\\winnt");
    IsWin9x = IsWinNT = false;
  }
  void TearDown() override {
    wine::ClearRunKey(HKEY_LOCAL_MACHINE);
    wine::ClearRunKey(HKEY_CURRENT_USER);
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
  const std::string userFolder = NtUserStartupFolder(user);
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

}  // namespace
}  // namespace rw
