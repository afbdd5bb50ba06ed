#pragma once
// Where a load's rows go: the main window's list.
#include <cstdint>

#include "core/startup_item.h"

namespace rw {

class StartupListSink {
 public:
  virtual ~StartupListSink() = default;
  // Adds an unchecked row at the end for item |id|, which shows |item|.
  // False when the list refused it.
  virtual bool AppendRow(std::uint32_t id, const StartupItem& item) = 0;
};

}  // namespace rw
