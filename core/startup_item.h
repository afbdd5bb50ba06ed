#pragma once
// One row of the startup inventory and the texts of its Information column.
#include <string>

namespace rw {

// The Information text of a row. Deletion and the legend match these exactly.
namespace SourceTag {
constexpr const char kMachineRun[] = "Reg - HKLM";
constexpr const char kUserRun[] = "Reg - HKCU";
constexpr const char kShortcut[] = "Shortcut";
}  // namespace SourceTag

struct StartupItem {
  std::string name;         // value name, or file name with extension
  std::string location;     // value data up to its first NUL, or the file's full path
  std::string information;  // a SourceTag: hive tag or the file's type description

  bool operator==(const StartupItem& other) const {
    return name == other.name && location == other.location && information == other.information;
  }
};

}  // namespace rw
