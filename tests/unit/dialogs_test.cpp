#include <gtest/gtest.h>

#include "core/sys_info.h"
#include "tests/unit/fake_platform.h"
#include "ui/dialogs/about_texts.h"
#include "ui/dialogs/legend_texts.h"

namespace rw {
namespace {

const std::string kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

TEST(LegendTextsTest, HeadingAndThreeParagraphsWithAnEmptyLineBetween) {
  EXPECT_EQ("The 'Information' column of the grid shows where the item is loading from:",
            LegendHeading());
  EXPECT_EQ(
      "1. 'Shortcut' - Refers to an item loading from the Windows Startup folder\r\n\r\n"
      "2. 'Reg - HKCU' - Refers to an item loading from the "
      "'HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' section of the registry"
      "\r\n\r\n"
      "3. 'Reg - HKLM' - Refers to an item loading from the "
      "'HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' section of the registry",
      LegendText());
}

TEST(AboutTextsTest, CaptionTitleVersionAndReadmePath) {
  EXPECT_EQ("About Windows\xA9 Runwarden", AboutCaption());
  EXPECT_EQ("Windows\xA9 Runwarden", AboutTitle());
  EXPECT_EQ("Version 1.0.1", VersionLabel(1, 0, 1));
  EXPECT_EQ("Version 10.20.300", VersionLabel(10, 20, 300));
  EXPECT_EQ("C:\\Tools\\Runwarden\\readme.txt", ReadmePath("C:\\Tools\\Runwarden"));
  EXPECT_EQ("C:\\\\readme.txt", ReadmePath("C:\\")) << "plain concatenation";
}

class SysInfoTest : public FakePlatformTest {
 protected:
  bool Read(const std::string& name, std::string* text) {
    return ReadRegValue(registry, kHkeyLocalMachine, kMsinfoKey, name, text);
  }
  // Used as EXPECT_TRUE(SaidUnavailable()), so a failure names the calling line.
  ::testing::AssertionResult SaidUnavailable() const {
    if (messages.shown.size() != 1) {
      return ::testing::AssertionFailure() << messages.shown.size() << " message boxes shown, not 1";
    }
    const auto& box = messages.shown[0];
    if (box.text != "System Information Is Unavailable At This Time" || box.title != "Windows Runwarden" ||
        box.style != kMbOk) {
      return ::testing::AssertionFailure() << "the box said '" << box.text << "' titled '" << box.title
                                           << "' with style " << box.style;
    }
    return ::testing::AssertionSuccess();
  }
};

TEST_F(SysInfoTest, StringsReadTheSameWithOrWithoutTheirNul) {
  registry.SetString(kHkeyLocalMachine, kMsinfoKey, "WithNul", "C:\\a b\\msinfo32.exe");
  const std::string bare = "C:\\a b\\msinfo32.exe";
  registry.SetValue(kHkeyLocalMachine, kMsinfoKey, "NoNul", kRegSz,
                    std::vector<std::uint8_t>(bare.begin(), bare.end()));
  std::string a, b;
  EXPECT_TRUE(Read("WithNul", &a));
  EXPECT_TRUE(Read("NoNul", &b));
  EXPECT_EQ(bare, a);
  EXPECT_EQ(bare, b);
  EXPECT_EQ(0, registry.OpenHandleCount());
}

TEST_F(SysInfoTest, DwordsBecomeHexLiteralsLastByteFirst) {
  registry.SetDword(kHkeyLocalMachine, kMsinfoKey, "Big", 0x12345678);
  registry.SetDword(kHkeyLocalMachine, kMsinfoKey, "TwoFiftySix", 256);
  std::string text;
  EXPECT_TRUE(Read("Big", &text));
  EXPECT_EQ("&h12345678", text);
  EXPECT_TRUE(Read("TwoFiftySix", &text));
  EXPECT_EQ("&h000100", text);
}

TEST_F(SysInfoTest, OtherTypesCountAsReadAndLeaveTheTextAlone) {
  registry.SetString(kHkeyLocalMachine, kMsinfoKey, "Expand", "%ProgramFiles%\\x.exe", kRegExpandSz);
  std::string text = "before";
  EXPECT_TRUE(Read("Expand", &text));
  EXPECT_EQ("before", text);
}

TEST_F(SysInfoTest, MissingTooLargeOrEmptyValuesFailWithAnEmptyText) {
  registry.SetString(kHkeyLocalMachine, kMsinfoKey, "Large", std::string(1024, 'x'));  // 1025 with NUL
  registry.SetString(kHkeyLocalMachine, kMsinfoKey, "Fits", std::string(1023, 'x'));
  registry.SetValue(kHkeyLocalMachine, kMsinfoKey, "Empty", kRegSz, {});
  std::string text = "stale";
  EXPECT_FALSE(Read("Missing", &text));
  EXPECT_EQ("", text);
  text = "stale";
  EXPECT_FALSE(Read("Large", &text));
  EXPECT_EQ("", text);
  EXPECT_FALSE(Read("Empty", &text));
  EXPECT_TRUE(Read("Fits", &text));
  EXPECT_EQ(1023u, text.size());
  EXPECT_FALSE(ReadRegValue(registry, kHkeyLocalMachine, "SOFTWARE\\Nowhere", "PATH", &text));
  EXPECT_EQ(0, registry.OpenHandleCount());
  EXPECT_EQ(kSysInfoKeyAccess, registry.AccessOfLastOpen());
}

TEST_F(SysInfoTest, TheFirstLocationIsStartedUntestedAndWins) {
  registry.SetString(kHkeyLocalMachine, kMsinfoKey, "PATH", "C:\\Program Files\\Tools\\msinfo32.exe");
  registry.SetString(kHkeyLocalMachine, kLocationKey, "MSINFO", "C:\\Other");
  StartSysInfo(services());
  EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\Tools\\msinfo32.exe"}, programs.started);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SysInfoTest, TheSecondLocationNeedsANormalFile) {
  registry.SetString(kHkeyLocalMachine, kLocationKey, "MSINFO", "C:\\Program Files\\MSInfo");
  StartSysInfo(services());
  EXPECT_TRUE(SaidUnavailable());
  EXPECT_TRUE(programs.started.empty());

  files.AddFile("C:\\Program Files\\MSInfo\\", "MSINFO32.EXE", "Application");
  files.MakeHidden("C:\\Program Files\\MSInfo\\MSINFO32.EXE");
  messages.shown.clear();
  StartSysInfo(services());
  EXPECT_TRUE(SaidUnavailable());

  FakeFileSystem visible;
  visible.AddFile("C:\\Program Files\\MSInfo\\", "MSINFO32.EXE", "Application");
  messages.shown.clear();
  StartSysInfo(Platform{registry, system, visible, messages, programs});
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\MSInfo\\MSINFO32.EXE"}, programs.started);
}

TEST_F(SysInfoTest, AnEmptyFirstValueFallsThroughToTheSecond) {
  registry.SetValue(kHkeyLocalMachine, kMsinfoKey, "PATH", kRegSz, {});
  registry.SetString(kHkeyLocalMachine, kLocationKey, "MSINFO", "C:\\MSInfo");
  files.AddFile("C:\\MSInfo\\", "MSINFO32.EXE", "Application");
  StartSysInfo(services());
  EXPECT_EQ(std::vector<std::string>{"C:\\MSInfo\\MSINFO32.EXE"}, programs.started);
}

TEST_F(SysInfoTest, AFailedStartOrAnUnreadablePathSaysUnavailable) {
  registry.SetString(kHkeyLocalMachine, kMsinfoKey, "PATH", "%windir%\\msinfo32.exe", kRegExpandSz);
  programs.succeeds = false;
  StartSysInfo(services());
  EXPECT_EQ(std::vector<std::string>{""}, programs.started) << "the empty text is tried";
  EXPECT_TRUE(SaidUnavailable());
}

TEST_F(SysInfoTest, NeitherLocationSaysUnavailable) {
  StartSysInfo(services());
  EXPECT_TRUE(SaidUnavailable());
  EXPECT_TRUE(programs.started.empty());
}

}  // namespace
}  // namespace rw
