#pragma once
// A load's collation keys, made once the reads are done: the items' names
// in batches, keyed and sorted on the background thread and the caller's at
// once. Keyed beside the reads, they slowed them more than they cost: the
// reads wait on the wineserver, which then shares the processors with them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/startup_item.h"
#include "platform/background_work.h"
#include "platform/system_queries.h"

namespace rw {

// A name's key, where the batches keep it.
struct KeyView {
  const char* bytes;
  std::uint32_t length;
  int Compare(const KeyView& other) const;
};

class NameKeyBatches {
 public:
  // Keys of the names as a list of that form shows them: in Unicode
  // (LCMapStringW) or in ANSI (LCMapStringA).
  NameKeyBatches(SystemQueries& system, BackgroundWork& work, bool unicode);
  NameKeyBatches(const NameKeyBatches&) = delete;
  NameKeyBatches& operator=(const NameKeyBatches&) = delete;
  ~NameKeyBatches();

  // Every item's name's key, in the items' order, in |keys|, valid while
  // this and |items| live unchanged; |sorted| the items' numbers in the
  // order of their keys, names keyed alike in the items' order. False when
  // a name the system made no key of; the keys are then made the ordinary
  // way. May throw bad_alloc.
  bool Take(const std::vector<StartupItem>& items, std::vector<KeyView>* keys, std::vector<std::uint32_t>* sorted);

 private:
  struct Batch;
  struct Keying;
  static void KeyBatches(void* keying) noexcept;
  static void MakeKeys(Batch& batch, SystemQueries& system, bool wide) noexcept;
  static void SortBatch(Batch& batch) noexcept;
  void MakeBatches(const std::vector<StartupItem>& items);
  void KeyAll() noexcept;
  std::string OrdinaryKey(const Batch& batch, std::size_t name) const;

  SystemQueries& system_;
  BackgroundWork& work_;
  bool unicode_;
  std::vector<std::u16string> shown_;  // names read in the other form, as shown
  std::vector<std::unique_ptr<Batch>> batches_;
  std::vector<std::string> lateKeys_;  // made after the batches
};

}  // namespace rw
