#pragma once
// The main list's columns: caption and width in twips, in display order.

namespace rw {

struct ListColumnSpec {
  const char* caption;
  int widthTwips;
};

constexpr ListColumnSpec kMainListColumns[] = {
    {"Name", 2500},
    {"Location", 4500},
    {"Information", 1600},
};

}  // namespace rw
