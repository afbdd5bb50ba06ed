#pragma once
// A load's collation keys, made while it reads: each name goes into a batch
// as its item is read, and each full batch is keyed and sorted on the
// background thread while the reads go on.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/background_work.h"
#include "platform/list_control.h"
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
  // Waits for the batches still being keyed: the jobs write into them.
  ~NameKeyBatches();

  // The next item's name. Short of memory, batching stops, and Take says so.
  void Add(const RowText& name) noexcept;
  // Every name's key, in the order of Add, in |keys|, valid while this
  // lives; |sorted| the names' numbers in the order of their keys, names
  // keyed alike in the order of Add. False when they could not all be made:
  // short of memory, or a name the system made no key of; the keys are then
  // made the ordinary way. May throw bad_alloc.
  bool Take(std::vector<KeyView>* keys, std::vector<std::uint32_t>* sorted);

 private:
  struct Batch;
  static void MakeKeys(void* batch) noexcept;
  static void SortBatch(Batch& batch) noexcept;
  void Send();
  void GiveBackKeyedNames() noexcept;
  std::string OrdinaryKey(const Batch& batch, std::size_t name) const;

  SystemQueries& system_;
  BackgroundWork& work_;
  bool unicode_;
  bool abandoned_ = false;
  std::vector<std::unique_ptr<Batch>> batches_;  // sent, in order
  std::size_t namesKept_ = 0;                    // batches before it gave their names back
  std::unique_ptr<Batch> filling_;
  std::vector<std::string> lateKeys_;  // made after the reads
};

}  // namespace rw
