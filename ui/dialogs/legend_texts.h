#pragma once
// The Information Legend's two texts.
#include <string>

namespace rw {

std::string LegendHeading();  // what the Information column shows
std::string LegendText();     // three paragraphs, one per value, an empty line between them

}  // namespace rw
