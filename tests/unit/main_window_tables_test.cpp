// The tables the Win32 builder reads: the mistakes that would only show on screen.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "res/resource.h"
#include "ui/main/common_control_features.h"
#include "ui/main/main_menu.h"
#include "ui/main/main_toolbar.h"

namespace rw {
namespace {

TEST(MainMenuTest, EveryCommandHasItsOwnIdAndOnlyRefreshAndUndoHaveShortcuts) {
  std::set<int> ids;
  int shortcuts = 0;
  for (int m = 0; m < kMainMenuCount; ++m) {
    for (int e = 0; e < kMainMenu[m].entryCount; ++e) {
      const MenuEntrySpec& entry = kMainMenu[m].entries[e];
      if (std::strcmp(entry.caption, "-") == 0) {
        EXPECT_EQ(0, entry.id);
        continue;
      }
      EXPECT_TRUE(ids.insert(entry.id).second) << "id used twice: " << entry.caption;
      if (entry.shortcut != nullptr) {
        ++shortcuts;
        EXPECT_STREQ(entry.id == IDM_REFRESH ? "F5" : entry.id == IDM_UNDO_DELETE ? "Ctrl+Z" : "", entry.shortcut);
      }
    }
  }
  EXPECT_EQ(2, shortcuts);
}

TEST(MainMenuTest, AccessKeysAreUniqueWithinEachMenu) {
  for (int m = 0; m < kMainMenuCount; ++m) {
    std::set<char> keys;
    for (int e = 0; e < kMainMenu[m].entryCount; ++e) {
      const char* amp = std::strchr(kMainMenu[m].entries[e].caption, '&');
      if (amp == nullptr) continue;
      EXPECT_TRUE(keys.insert(static_cast<char>(std::tolower(amp[1]))).second)
          << kMainMenu[m].entries[e].caption;
    }
  }
}

TEST(ToolbarTest, PicturesAreSixteenSquareInTheirPaletteAndAllDifferent) {
  std::set<std::string> seen;
  for (int p = 0; p < kToolbarPictureCount; ++p) {
    std::string whole;
    for (int row = 0; row < kPictureSize; ++row) {
      const std::string line = kToolbarPictures[p][row];
      ASSERT_EQ(16u, line.size()) << "picture " << p << " row " << row;
      for (char c : line) {
        EXPECT_TRUE(c == '.' || PictureColour(c) != kPictureBackground)
            << "picture " << p << " uses '" << c << "'";
      }
      whole += line;
    }
    EXPECT_NE(std::string(256, '.'), whole) << "picture " << p << " is blank";
    EXPECT_TRUE(seen.insert(whole).second) << "picture " << p << " repeats another";
  }
}

TEST(ToolbarTest, EveryButtonUsesItsOwnPictureAndCommand) {
  std::set<int> pictures, ids;
  int separators = 0;
  for (const ToolbarButtonSpec& button : kToolbarButtons) {
    if (button.picture < 0) {
      ++separators;
      continue;
    }
    EXPECT_LT(button.picture, kToolbarPictureCount);
    EXPECT_TRUE(pictures.insert(button.picture).second) << button.key;
    EXPECT_TRUE(ids.insert(button.id).second) << button.key;
  }
  EXPECT_GT(separators, 0);
}

// Windows 95 and NT 4.0 ship comctl32 4.00; what came with 4.70 is only
// asked for where the system has it.
TEST(CommonControlFeaturesTest, NewerLooksOnlyFromVersion470On) {
  const struct {
    unsigned major, minor;
    bool newer;
  } versions[] = {{0, 0, false}, {4, 0, false}, {4, 69, false}, {4, 70, true},
                  {4, 72, true}, {5, 80, true}, {6, 0, true}, {3, 99, false}};
  for (const auto& version : versions) {
    SCOPED_TRACE(std::to_string(version.major) + "." + std::to_string(version.minor));
    const CommonControlFeatures features = FeaturesOfCommonControls(version.major, version.minor, 0, 0, false);
    EXPECT_EQ(version.newer, features.fullRowSelect);
    EXPECT_EQ(version.newer, features.flatToolbar);
  }
}

// Unicode rows where the list can hold them: on NT, or from what comctl32 5.80 reports.
TEST(CommonControlFeaturesTest, UnicodeRowsOnNtOrFromReportedVersion580On) {
  EXPECT_FALSE(FeaturesOfCommonControls(4, 0, 0, 0, false).unicodeRows) << "Windows 95 as shipped";
  EXPECT_FALSE(FeaturesOfCommonControls(5, 0, 5, 0, false).unicodeRows) << "Internet Explorer 4.01";
  EXPECT_TRUE(FeaturesOfCommonControls(4, 0, 0, 0, true).unicodeRows) << "NT 4.0 as shipped";
  EXPECT_TRUE(FeaturesOfCommonControls(5, 80, 5, 80, false).unicodeRows);
  EXPECT_TRUE(FeaturesOfCommonControls(0, 0, 6, 0, false).unicodeRows);
}

}  // namespace
}  // namespace rw
