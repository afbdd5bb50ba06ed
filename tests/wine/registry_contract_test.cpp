// Key test and value deletion against the real registry of a throwaway prefix.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/startup_sources.h"
#include "platform/win32/win32_registry.h"
#include "tests/wine/wine_test_support.h"

namespace rw {
namespace {

const std::string kTestKey = "Software\\RunwardenTests\\Run";

std::vector<BYTE> Utf16(std::u16string_view text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
  return std::vector<BYTE>(bytes, bytes + text.size() * sizeof(char16_t));
}

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

using namespace std::literals;

// Values as other programs set them: strings without their NUL or of odd
// length, no data, more than one read takes, names outside the code page or
// holding a NUL. Each is read whole, deleted, and written back from a buffer
// with zeros past the data (where the system may look for a string's NUL)
// to exactly its own type and bytes, in a key made anew with the key above
// it. No ANSI call takes a name with a NUL.
TEST_F(RegistryContractTest, AValueReadWholeIsWrittenBackExactly) {
  std::vector<BYTE> odd = Utf16(u"tool");
  odd.pop_back();
  const std::vector<std::tuple<ExactName, DWORD, std::vector<BYTE>>> values = {
      {ExactName::Wide(u"sz bare"), REG_SZ, Utf16(u"tool.exe")},
      {ExactName::Wide(u"sz odd"), REG_SZ, odd},
      {ExactName::Wide(u"sz empty"), REG_SZ, {}},
      {ExactName::Wide(u"expand"), REG_EXPAND_SZ, Utf16(u"%windir%\\x.exe")},
      {ExactName::Wide(u"multi"), REG_MULTI_SZ, Utf16(u"a\0b\0\0"sv)},
      {ExactName::Wide(u"binary"), REG_BINARY, std::vector<BYTE>(70001, 0x5A)},
      {ExactName::Wide(u"dword"), REG_DWORD, {0x78, 0x56, 0x34, 0x12}},
      {ExactName::Wide(u"none"), REG_NONE, {}},
      {ExactName::Wide(u"\x5DE5\x5177"), REG_SZ, Utf16(u"\x5DE5\x5177.exe\0"sv)},
      {ExactName::Wide(u"Evil\0Hidden"s), REG_SZ, Utf16(u"hidden.exe\0"sv)},
      {ExactName("ansi bare"), REG_SZ, Utf16(u"tool.exe")},  // read by the ANSI call as 8 bytes
  };
  wine::RemoveKey(HKEY_CURRENT_USER, "Software\\RunwardenTests");
  HKEY above = nullptr;
  ASSERT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\RunwardenTests", 0, KEY_READ, &above));
  RegKey key = 0;
  ASSERT_EQ(kRegSuccess, registry.CreateKey(kHkeyCurrentUser, kTestKey, &key));
  for (const auto& [name, type, bytes] : values) {
    const std::wstring wide(name.Units().begin(), name.Units().end());
    SCOPED_TRACE(std::string(wide.begin(), wide.end()));
    ASSERT_TRUE(wine::SetExactValue(HKEY_CURRENT_USER, kTestKey, wide, type, bytes));
    std::uint32_t readType = 0;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(kRegSuccess, registry.ReadValue(key, name, &readType, &data));
    EXPECT_EQ(type, readType);
    EXPECT_EQ((name.IsWide() ? bytes : std::vector<BYTE>{'t', 'o', 'o', 'l', '.', 'e', 'x', 'e'}), data);
    ASSERT_EQ(kRegSuccess, registry.DeleteValueCounted(key, name.Units()));
    EXPECT_EQ(kRegFileNotFound, registry.ReadValue(key, name, &readType, &data));
    std::vector<std::uint8_t> zerosPast(data.size() + 4, 0);
    std::copy(data.begin(), data.end(), zerosPast.begin());
    zerosPast.resize(data.size());
    EXPECT_EQ(kRegSuccess, registry.WriteValue(key, name, type, zerosPast));
    DWORD storedType = 0;
    std::vector<BYTE> stored;
    ASSERT_TRUE(wine::ReadExactValue(HKEY_CURRENT_USER, kTestKey, wide, &storedType, &stored));
    EXPECT_EQ(type, storedType);
    EXPECT_EQ(bytes, stored);
  }
  ASSERT_TRUE(wine::SetStringValue(HKEY_CURRENT_USER, kTestKey, "Evil", "evil.exe"));
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  EXPECT_EQ(kRegCallNotImplemented, registry.ReadValue(key, ExactName("Evil\0Hidden"s), &type, &data));
  EXPECT_EQ(kRegCallNotImplemented, registry.WriteValue(key, ExactName("Evil\0Hidden"s), REG_SZ, {'x', 0}));
  EXPECT_TRUE(data.empty());
  registry.CloseKey(key);
}

}  // namespace
}  // namespace rw
