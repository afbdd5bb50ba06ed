// Key test and value deletion against the real registry of a throwaway prefix.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

// Names set through the native call, as a program hiding an entry sets
// them: the enumeration gives them whole, and the delete takes exactly them,
// never "Evil" or the default value that the name cut at its NUL would be.
TEST_F(RegistryContractTest, ANameWithANulIsEnumeratedWholeAndDeletedExactly) {
  const std::wstring hidden(L"Evil\0Hidden", 11), lead(L"\0Lead", 5);
  for (const std::wstring& name : {std::wstring(L"Evil"), hidden, lead, std::wstring()}) {
    ASSERT_TRUE(wine::SetStringValueWide(HKEY_CURRENT_USER, kTestKey, name, "x.exe"));
  }
  RegKey key = 0;
  ASSERT_EQ(kRegSuccess, registry.OpenKeyEx(kHkeyCurrentUser, kTestKey, kKeyRead, &key));
  std::vector<std::u16string> names;
  for (std::uint32_t index = 0;; ++index) {
    char16_t name[64];
    std::uint8_t data[64];
    std::uint32_t nameChars = 64, dataBytes = sizeof data, type = 0;
    if (registry.EnumValueWide(key, index, name, &nameChars, &type, data, &dataBytes) != kRegSuccess) break;
    names.emplace_back(name, nameChars);
  }
  registry.CloseKey(key);
  EXPECT_EQ(1, std::count(names.begin(), names.end(), std::u16string(u"Evil\0Hidden", 11)));
  EXPECT_EQ(1, std::count(names.begin(), names.end(), std::u16string(u"\0Lead", 5)));

  for (const std::wstring& name : {hidden, lead}) {
    EXPECT_EQ(kRegSuccess, DeleteRegistryValue(registry, kHkeyCurrentUser, kTestKey,
                                               ExactName::Wide(std::u16string(name.begin(), name.end()))));
    EXPECT_FALSE(wine::ValueExistsWide(HKEY_CURRENT_USER, kTestKey, name));
  }
  EXPECT_TRUE(wine::ValueExists(HKEY_CURRENT_USER, kTestKey, "Evil"));
  EXPECT_TRUE(wine::ValueExists(HKEY_CURRENT_USER, kTestKey, ""));
  EXPECT_EQ(kRegSuccess, DeleteRegistryValue(registry, kHkeyCurrentUser, kTestKey,
                                             ExactName::Wide(std::u16string(u"Evil\0Hidden", 11))))
      << "already gone";
  EXPECT_TRUE(wine::ValueExists(HKEY_CURRENT_USER, kTestKey, "Evil"));
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
