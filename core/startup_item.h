#pragma once
// One row of the startup inventory and the texts of its Information column.
#include <string>
#include <utility>

#include "platform/exact_name.h"

namespace rw {

// The Information text of a row, as the list and the legend show it.
namespace SourceTag {
constexpr const char kMachineRun[] = "Reg - HKLM";
constexpr const char kUserRun[] = "Reg - HKCU";
constexpr const char kShortcut[] = "Shortcut";
}  // namespace SourceTag

// Where an entry comes from, and so how it is deleted.
enum class EntrySource {
  kMachineRun,        // a value of HKLM's Run key
  kUserRun,           // a value of HKCU's Run key
  kStartupShortcut,   // a shell link in a Startup folder
  kStartupOtherFile,  // any other file there: listed, never deleted
};

struct StartupItem {
  StartupItem() = default;
  StartupItem(std::string shownName, std::string shownLocation, std::string shownInformation,
               EntrySource from = EntrySource::kStartupOtherFile, ExactName exact = {})
      : name(std::move(shownName)),
        location(std::move(shownLocation)),
        information(std::move(shownInformation)),
        source(from),
        identity(std::move(exact)) {}

  std::string name;         // value name, or file name with extension
  std::string location;     // value data up to its first NUL, or the file's full path
  std::string information;  // a SourceTag: hive tag or the file's type description
  EntrySource source = EntrySource::kStartupOtherFile;
  // The value's exact name, or the file's exact path: what a delete addresses.
  // The texts above are only what the list shows, and may have lost characters
  // the ANSI code page cannot hold.
  ExactName identity;

  // Rows compare by what the user sees.
  bool operator==(const StartupItem& other) const {
    return name == other.name && location == other.location && information == other.information;
  }
};

}  // namespace rw
