#pragma once
// What the deletes of this run of the program took away, newest last, held
// in memory until the program ends, so Undo can put each delete back exactly.
#include <cstddef>
#include <string>
#include <vector>

#include "core/startup_sources.h"
#include "platform/platform.h"

namespace rw {

class UndoHistory {
 public:
  // The most the history holds in all; past it, a delete keeps nothing more.
  static constexpr std::size_t kMaxBytesHeld = std::size_t{64} << 20;

  // Keeps what one delete took away; a delete that took nothing is not kept.
  void Keep(std::vector<TakenItem> taken);
  bool CanUndo() const { return !deletes_.empty(); }
  // What a new delete may still keep.
  std::size_t Room() const { return kMaxBytesHeld - std::min(kMaxBytesHeld, bytesHeld_); }
  // Puts back every item of the most recent delete that took anything away.
  // An item that has appeared again meanwhile is left as it is, and named;
  // one that cannot be put back is named with the reason and stays for the
  // next Undo. Returns the report, "" when everything went back.
  std::u16string PutBackLast(const Platform& platform);

 private:
  std::vector<std::vector<TakenItem>> deletes_;
  std::size_t bytesHeld_ = 0;
};

}  // namespace rw
