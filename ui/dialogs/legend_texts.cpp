#include "ui/dialogs/legend_texts.h"

#include "core/startup_item.h"

namespace rw {

std::string LegendHeading() {
  return std::string("The 'Information' column of the grid shows where the item is loading ") +
         "from:";
}

std::string LegendText() {
  const std::string newLine = "\r\n";
  std::string text;
  text += "1. '" + AnsiTag(SourceTag::kShortcut) + "' - Refers to an item loading from the ";
  text += "Windows Startup folder";
  text += newLine + newLine;
  text += "2. '" + AnsiTag(SourceTag::kUserRun) + "' - Refers to an ";
  text += "item loading from the 'HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\";
  text += "CurrentVersion\\Run' section of the registry";
  text += newLine + newLine;
  text += "3. '" + AnsiTag(SourceTag::kMachineRun) + "' - Refers to an item loading from the ";
  text += "'HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' ";
  text += "section of the registry";
  return text;
}

}  // namespace rw
