// Key test and value deletion against the real registry of a throwaway prefix.
#include <gtest/gtest.h>

#include "core/startup_sources.h"
#include "platform/win32/win32_registry.h"
#include "tests/wine/wine_test_support.h"

namespace rw {
namespace {

const std::string kTestKey = "Software\\RunwardenTests\\Run";

class RegistryContractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) wine::RemoveKey(hive, kTestKey);
  }
  void TearDown() override { SetUp(); }
  Win32Registry registry;
};

TEST_F(RegistryContractTest, KeyExistsOnlyForAKeyThatIsThere) {
  EXPECT_FALSE(RegistryKeyExists(registry, kHkeyCurrentUser, kTestKey));
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kTestKey, "a", "a"));
  EXPECT_TRUE(RegistryKeyExists(registry, kHkeyCurrentUser, kTestKey));
  EXPECT_FALSE(RegistryKeyExists(registry, kHkeyLocalMachine, kTestKey));
}

TEST_F(RegistryContractTest, DeletesExactlyTheNamedValueOfTheGivenHive) {
  for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    ASSERT_TRUE(wine::SetStringValue(hive, kTestKey, "Update", "u.exe"));
    ASSERT_TRUE(wine::SetStringValue(hive, kTestKey, "Updater", "ur.exe"));
  }
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(registry, kHkeyCurrentUser, kTestKey, "Updater"));
  EXPECT_FALSE(wine::ValueExists(HKEY_CURRENT_USER, kTestKey, "Updater"));
  EXPECT_TRUE(wine::ValueExists(HKEY_CURRENT_USER, kTestKey, "Update"));
  EXPECT_TRUE(wine::ValueExists(HKEY_LOCAL_MACHINE, kTestKey, "Updater"));
}

TEST_F(RegistryContractTest, TheEmptyNameDeletesTheDefaultValue) {
  ASSERT_TRUE(wine::SetStringValue(HKEY_LOCAL_MACHINE, kTestKey, "", "default.exe"));
  ASSERT_TRUE(wine::SetStringValue(HKEY_LOCAL_MACHINE, kTestKey, "Named", "n.exe"));
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(registry, kHkeyLocalMachine, kTestKey, ""));
  EXPECT_FALSE(wine::ValueExists(HKEY_LOCAL_MACHINE, kTestKey, ""));
  EXPECT_TRUE(wine::ValueExists(HKEY_LOCAL_MACHINE, kTestKey, "Named"));
}

TEST_F(RegistryContractTest, MissingValuesAndKeysCountAsGone) {
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kTestKey, "Stay", "s.exe"));
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(registry, kHkeyCurrentUser, kTestKey, "Absent"));
  EXPECT_TRUE(wine::ValueExists(HKEY_CURRENT_USER, kTestKey, "Stay"));
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(registry, kHkeyLocalMachine, kTestKey, "Absent"));
}

TEST_F(RegistryContractTest, EnumerationReportsMoreDataAndTheSizeItNeeds) {
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kTestKey, "v", std::string(300, 'x')));
  RegKey key = 0;
  ASSERT_EQ(kRegSuccess, registry.OpenKeyEx(kHkeyCurrentUser, kTestKey, kKeyRead, &key));
  char name[100];
  std::uint8_t data[100];
  std::uint32_t nameChars = sizeof name, dataBytes = sizeof data, type = 0;
  EXPECT_EQ(kRegMoreData, registry.EnumValue(key, 0, name, &nameChars, &type, data, &dataBytes));
  EXPECT_EQ(301u, dataBytes);
  std::uint32_t maxName = 0, maxData = 0;
  EXPECT_EQ(kRegSuccess, registry.QueryValueLimits(key, &maxName, &maxData));
  EXPECT_EQ(1u, maxName);
  EXPECT_GE(maxData, 301u);  // NT-style registries may count the UTF-16 size
  nameChars = sizeof name;
  dataBytes = sizeof data;
  EXPECT_EQ(kRegNoMoreItems, registry.EnumValue(key, 1, name, &nameChars, &type, data, &dataBytes));
  EXPECT_EQ(kRegSuccess, registry.CloseKey(key));
}

}  // namespace
}  // namespace rw
