#pragma once
// Where a load's rows go: the main window's list.
#include <cstdint>

namespace rw {

class StartupListSink {
 public:
  virtual ~StartupListSink() = default;
  // Adds an unchecked row at the end for the item of id |id|. False when the
  // list refused it.
  virtual bool AppendRow(std::uint32_t id) = 0;
};

}  // namespace rw
