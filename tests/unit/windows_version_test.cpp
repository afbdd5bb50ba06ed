#include <gtest/gtest.h>

#include <cstring>

#include "core/user_name.h"
#include "core/windows_version.h"
#include "tests/unit/fake_platform.h"

namespace rw {
namespace {

struct NamingCase {
  std::uint32_t major, minor, platform;
  const char* name;
};

class VersionNameTest : public FakePlatformTest,
                        public ::testing::WithParamInterface<NamingCase> {};

TEST_P(VersionNameTest, NamesTheVersion) {
  const NamingCase& c = GetParam();
  system.version = {c.major, c.minor, c.platform};
  EXPECT_EQ(c.name, GetWindowsVersionName(system));
}

INSTANTIATE_TEST_SUITE_P(
    EveryRowOfTheTable, VersionNameTest,
    ::testing::Values(NamingCase{3, 51, 2, "Windows NT 3.x"}, NamingCase{3, 10, 0, "Windows 3.x"},
                      NamingCase{3, 11, 1, "Windows 3.x"}, NamingCase{4, 0, 2, "Windows NT 4.0"},
                      NamingCase{4, 90, 2, "Windows NT 4.0"}, NamingCase{4, 0, 1, "Windows 95"},
                      NamingCase{4, 10, 1, "Windows 98"}, NamingCase{4, 90, 1, "Windows 98"},
                      NamingCase{5, 0, 2, "Windows 2000"}, NamingCase{5, 1, 2, "Windows 2000"},
                      NamingCase{5, 0, 1, "Windows 2000"}, NamingCase{6, 1, 2, "Unknown Windows Version"},
                      NamingCase{10, 0, 2, "Unknown Windows Version"},
                      NamingCase{0, 0, 0, "Unknown Windows Version"}));

TEST_F(FakePlatformTest, AFailedVersionQueryNamesNoVersion) {
  system.version = {4, 10, 1};
  system.versionFails = true;
  EXPECT_EQ("Unknown Windows Version", GetWindowsVersionName(system));
}

struct GateCase {
  OsVersion version;
  WindowsFamily family;
};

class VersionGateTest : public FakePlatformTest, public ::testing::WithParamInterface<GateCase> {};

TEST_P(VersionGateTest, NamesTheFamilyOrRefuses) {
  const GateCase& c = GetParam();
  system.version = c.version;
  EXPECT_EQ(c.family, CheckWindowsVersion(services()));
  EXPECT_EQ(c.family != WindowsFamily::kNone ? 0u : 1u, messages.shown.size());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionGateTest,
    ::testing::Values(GateCase{{4, 0, 1}, WindowsFamily::kWin9x}, GateCase{{4, 10, 1}, WindowsFamily::kWin9x},
                      GateCase{{4, 90, 1}, WindowsFamily::kWin9x}, GateCase{{4, 0, 2}, WindowsFamily::kNT},
                      GateCase{{3, 51, 2}, WindowsFamily::kNone}, GateCase{{5, 0, 2}, WindowsFamily::kNone},
                      GateCase{{6, 1, 2}, WindowsFamily::kNone}, GateCase{{0, 0, 0}, WindowsFamily::kNone}));

TEST_F(FakePlatformTest, RefusalNamesTheVersionVerbatimAndTouchesNothing) {
  system.version = {5, 0, 2};
  registry.SetString(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "A", "a.exe");
  ASSERT_EQ(WindowsFamily::kNone, CheckWindowsVersion(services()));
  ASSERT_EQ(1u, messages.shown.size());
  EXPECT_EQ("You appear to be running 'Windows 2000'.  This application will only work with "
            "Windows 95, 98 or NT.",
            messages.shown[0].text);
  EXPECT_EQ("Windows Runwarden", messages.shown[0].title);
  EXPECT_EQ(kMbOk | kMbIconStop, messages.shown[0].style);
  EXPECT_EQ(0, registry.CallCount());
  EXPECT_TRUE(files.ListedFolders().empty());
}

TEST_F(FakePlatformTest, RefusalOfAFailedQueryNamesUnknownVersion) {
  system.versionFails = true;
  CheckWindowsVersion(services());
  ASSERT_EQ(1u, messages.shown.size());
  EXPECT_EQ("You appear to be running 'Unknown Windows Version'.  This application will only "
            "work with Windows 95, 98 or NT.",
            messages.shown[0].text);
}

TEST_F(FakePlatformTest, UserNameComesBackWithoutItsNul) {
  system.userName = "jsmith";
  EXPECT_EQ("jsmith", GetCurrentUserName(system));
  system.userName = std::string(254, 'u');  // the longest that fits
  EXPECT_EQ(std::string(254, 'u'), GetCurrentUserName(system));
}

TEST_F(FakePlatformTest, UserNameIsEmptyWhenTheQueryFails) {
  system.userName = std::string(255, 'u');  // one too long: the query fails
  EXPECT_EQ("", GetCurrentUserName(system));
  system.userName = "jsmith";
  system.userNameFails = true;
  EXPECT_EQ("", GetCurrentUserName(system));
}

// A platform that claims more characters than it wrote must not leak the
// buffer's blank tail into folder paths.
class OverstatingSystem : public FakeSystemQueries {
 public:
  bool QueryUserName(char* buffer, std::uint32_t* size) override {
    std::memcpy(buffer, "ann", 4);
    *size = 200;
    return true;
  }
};

TEST(UserNameTest, StopsAtTheFirstNulWhateverTheSizeSays) {
  OverstatingSystem system;
  EXPECT_EQ("ann", GetCurrentUserName(system));
}

}  // namespace
}  // namespace rw
