#include "core/name_key_batches.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "core/startup_item.h"

namespace rw {

namespace {

// Names a batch holds: small enough that the last batch, keyed after the
// reads, costs little; large enough that handing batches over costs less.
constexpr std::size_t kBatchNames = 1024;
// Room for a batch's keys: a few bytes a character are usual, and a key
// that does not fit is made after the reads.
constexpr std::size_t kKeyBytesPerUnit = 8;
constexpr std::size_t kKeyBytesPerName = 16;

}  // namespace

// As std::string compares: bytes unsigned, then the shorter first.
int KeyView::Compare(const KeyView& other) const {
  const int order = std::memcmp(bytes, other.bytes, std::min(length, other.length));
  if (order != 0) return order;
  return (length > other.length) - (length < other.length);
}

struct NameKeyBatches::Batch {
  SystemQueries* system = nullptr;
  bool wide = false;
  std::u16string names;  // one after another; ANSI names one byte a unit
  std::vector<std::uint32_t> nameEnds;
  // Written by the job, read once it has run.
  std::unique_ptr<char[]> keys;
  std::size_t keyRoom = 0;
  std::vector<std::uint32_t> keyEnds;
  std::size_t keyed = 0;  // the names keyed, from the first; the job stops at one it cannot key
  std::unique_ptr<std::uint32_t[]> order;  // the batch's names by key, once all are keyed
  std::atomic<bool> done{false};  // the job has run: set last, by it

  bool Sorted() const { return keyed == nameEnds.size(); }  // the job sorts what it keyed whole
  std::uint32_t NameStart(std::size_t name) const { return name == 0 ? 0 : nameEnds[name - 1]; }
  KeyView Key(std::size_t name) const {
    const std::uint32_t start = name == 0 ? 0 : keyEnds[name - 1];
    return {keys.get() + start, keyEnds[name] - start};
  }
};

NameKeyBatches::NameKeyBatches(SystemQueries& system, BackgroundWork& work, bool unicode)
    : system_(system), work_(work), unicode_(unicode) {}

NameKeyBatches::~NameKeyBatches() { work_.Wait(); }

void NameKeyBatches::Add(const RowText& name) noexcept {
  if (abandoned_) return;
  try {
    if (filling_ == nullptr) {
      filling_ = std::make_unique<Batch>();
      filling_->nameEnds.reserve(kBatchNames);
    }
    std::u16string& names = filling_->names;
    if (unicode_ != name.ansi) {
      names.append(name.units, name.length);  // shown as read
    } else if (unicode_) {
      names += UnicodeShown(name, system_);
    } else {
      for (const char byte : AnsiShown(name, system_)) names += static_cast<char16_t>(static_cast<unsigned char>(byte));
    }
    filling_->nameEnds.push_back(static_cast<std::uint32_t>(names.size()));
    if (filling_->nameEnds.size() == kBatchNames) Send();
  } catch (...) {
    abandoned_ = true;
  }
}

// Hands the batch being filled to the background thread, or keys it here
// where none takes it.
void NameKeyBatches::Send() {
  GiveBackKeyedNames();
  Batch& batch = *filling_;
  batch.system = &system_;
  batch.wide = unicode_;
  batch.keyRoom = batch.names.size() * kKeyBytesPerUnit + batch.nameEnds.size() * kKeyBytesPerName;
  batch.keys.reset(new char[batch.keyRoom]);
  batch.keyEnds.assign(batch.nameEnds.size(), 0);
  batch.order.reset(new std::uint32_t[batch.nameEnds.size()]);
  batches_.push_back(std::move(filling_));
  if (!work_.Post(&NameKeyBatches::MakeKeys, &batch)) MakeKeys(&batch);
}

// A batch whose every name has its key needs its names no more: given back
// while the reads go on, for the items read next.
void NameKeyBatches::GiveBackKeyedNames() noexcept {
  for (; namesKept_ < batches_.size(); ++namesKept_) {
    Batch& batch = *batches_[namesKept_];
    if (!batch.done.load(std::memory_order_acquire)) return;
    if (batch.Sorted()) std::u16string().swap(batch.names);
  }
}

void NameKeyBatches::MakeKeys(void* context) noexcept {
  Batch& batch = *static_cast<Batch*>(context);
  std::size_t used = 0;
  for (std::size_t name = 0; name < batch.nameEnds.size(); ++name) {
    const std::uint32_t nameStart = batch.NameStart(name);
    const int length = batch.system->SortKeyInto(batch.names.data() + nameStart, batch.nameEnds[name] - nameStart,
                                                 batch.wide, batch.keys.get() + used, batch.keyRoom - used);
    if (length < 0) break;
    used += static_cast<std::size_t>(length);
    batch.keyEnds[name] = static_cast<std::uint32_t>(used);
    batch.keyed = name + 1;
  }
  if (batch.Sorted()) SortBatch(batch);
  batch.done.store(true, std::memory_order_release);
}

// Sorts without memory of its own: std::sort takes none.
void NameKeyBatches::SortBatch(Batch& batch) noexcept {
  const std::size_t count = batch.nameEnds.size();
  for (std::size_t name = 0; name < count; ++name) batch.order[name] = static_cast<std::uint32_t>(name);
  std::sort(batch.order.get(), batch.order.get() + count, [&batch](std::uint32_t first, std::uint32_t second) {
    const int order = batch.Key(first).Compare(batch.Key(second));
    return order != 0 ? order < 0 : first < second;  // alike: in the order read
  });
}

std::string NameKeyBatches::OrdinaryKey(const Batch& batch, std::size_t name) const {
  const std::uint32_t start = batch.NameStart(name);
  const char16_t* units = batch.names.data() + start;
  const std::size_t length = batch.nameEnds[name] - start;
  if (unicode_) return system_.SortKeyWide(std::u16string(units, length));
  return system_.SortKey(std::string(units, units + length));
}

namespace {

// Merges the sorted runs of |sorted|, each ending at its |runEnds|, two by
// two until one is left.
template <class Before>
void MergeRuns(Before before, std::vector<std::size_t> runEnds, std::vector<std::uint32_t>* sorted) {
  std::vector<std::uint32_t> merged(sorted->size());
  std::vector<std::size_t> mergedEnds;
  const auto at = [](std::vector<std::uint32_t>& names, std::size_t position) {
    return names.begin() + static_cast<std::ptrdiff_t>(position);
  };
  while (runEnds.size() > 1) {
    mergedEnds.clear();
    std::size_t begin = 0;
    for (std::size_t run = 0; run < runEnds.size(); run += 2) {
      const std::size_t middle = runEnds[run];
      const std::size_t end = run + 1 < runEnds.size() ? runEnds[run + 1] : middle;
      std::merge(at(*sorted, begin), at(*sorted, middle), at(*sorted, middle), at(*sorted, end), at(merged, begin),
                 before);
      mergedEnds.push_back(end);
      begin = end;
    }
    sorted->swap(merged);
    runEnds.swap(mergedEnds);
  }
}

}  // namespace

bool NameKeyBatches::Take(std::vector<KeyView>* keys, std::vector<std::uint32_t>* sorted) {
  if (!abandoned_ && filling_ != nullptr) {
    try {
      Send();
    } catch (const std::bad_alloc&) {
      abandoned_ = true;
    }
  }
  work_.Wait();
  if (abandoned_) return false;
  std::size_t names = 0;
  std::size_t late = 0;
  for (const auto& batch : batches_) {
    names += batch->nameEnds.size();
    late += batch->nameEnds.size() - batch->keyed;
  }
  keys->clear();
  keys->reserve(names);
  sorted->clear();
  sorted->reserve(names);
  lateKeys_.clear();
  lateKeys_.reserve(late);  // views into them stay valid
  std::vector<std::size_t> runEnds;  // each batch's names, a run of |sorted| in key order
  runEnds.reserve(batches_.size());
  const auto before = [keys](std::uint32_t first, std::uint32_t second) {
    const int order = (*keys)[first].Compare((*keys)[second]);
    return order != 0 ? order < 0 : first < second;  // alike: in the order read
  };
  for (const auto& batch : batches_) {
    const auto first = static_cast<std::uint32_t>(keys->size());
    for (std::size_t name = 0; name < batch->nameEnds.size(); ++name) {
      if (name < batch->keyed) {
        keys->push_back(batch->Key(name));
        continue;
      }
      lateKeys_.push_back(OrdinaryKey(*batch, name));
      if (lateKeys_.back().empty() && batch->nameEnds[name] != batch->NameStart(name)) return false;  // none made
      keys->push_back({lateKeys_.back().data(), static_cast<std::uint32_t>(lateKeys_.back().size())});
    }
    const std::size_t runStart = sorted->size();
    for (std::size_t name = 0; name < batch->nameEnds.size(); ++name) {
      sorted->push_back(first + (batch->Sorted() ? batch->order[name] : static_cast<std::uint32_t>(name)));
    }
    if (!batch->Sorted()) std::sort(sorted->begin() + static_cast<std::ptrdiff_t>(runStart), sorted->end(), before);
    runEnds.push_back(sorted->size());
    std::u16string().swap(batch->names);  // what is left of them: for the merge's memory
  }
  MergeRuns(before, std::move(runEnds), sorted);
  return true;
}

}  // namespace rw
