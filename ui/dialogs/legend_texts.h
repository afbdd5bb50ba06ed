#pragma once
// The Information Legend's two texts.
#include <string>

namespace rw {

std::string LegendHeading();  // lblInfo
std::string LegendText();     // lblShortcut: three paragraphs, an empty line between them

}  // namespace rw
