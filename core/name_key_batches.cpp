#include "core/name_key_batches.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>

#include "core/startup_item.h"

namespace rw {

namespace {

// Names a batch holds: small enough that the two threads finish close
// together; large enough that taking a batch costs little.
constexpr std::size_t kBatchNames = 1024;
// Room for a batch's keys: a few bytes a character are usual, and a key
// that does not fit is made the ordinary way, once the batches are keyed.
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
  // Each name's units, where the items or shown_ keep them; ANSI names one
  // byte a unit.
  std::vector<const char16_t*> names;
  std::vector<std::uint32_t> lengths;
  // Written by the thread that keys the batch, read once both are done.
  std::unique_ptr<char[]> keys;
  std::size_t keyRoom = 0;
  std::vector<std::uint32_t> keyEnds;
  std::size_t keyed = 0;  // the names keyed, from the first; keying stops at one it cannot key
  std::unique_ptr<std::uint32_t[]> order;  // the batch's names by key, once all are keyed

  bool Sorted() const { return keyed == names.size(); }  // a batch keyed whole is sorted
  KeyView Key(std::size_t name) const {
    const std::uint32_t start = name == 0 ? 0 : keyEnds[name - 1];
    return {keys.get() + start, keyEnds[name] - start};
  }
};

NameKeyBatches::NameKeyBatches(SystemQueries& system, BackgroundWork& work, bool unicode)
    : system_(system), work_(work), unicode_(unicode) {}

NameKeyBatches::~NameKeyBatches() = default;

// Every batch, with its room for keys: the threads that key them allocate
// nothing. A name read in the form the list shows is keyed where its item
// keeps it; the others are made as shown first.
void NameKeyBatches::MakeBatches(const std::vector<StartupItem>& items) {
  std::size_t others = 0;
  for (const StartupItem& item : items) others += item.Text(kColumnName).ansi == unicode_ ? 1 : 0;
  shown_.reserve(others);  // never moved: the batches point into them
  for (std::size_t first = 0; first < items.size(); first += kBatchNames) {
    auto batch = std::make_unique<Batch>();
    const std::size_t count = std::min(kBatchNames, items.size() - first);
    batch->names.reserve(count);
    batch->lengths.reserve(count);
    std::size_t units = 0;
    for (std::size_t item = first; item < first + count; ++item) {
      const RowText name = items[item].Text(kColumnName);
      if (unicode_ != name.ansi) {
        batch->names.push_back(name.units);  // shown as read
        batch->lengths.push_back(static_cast<std::uint32_t>(name.length));
      } else {
        std::u16string shown;
        if (unicode_) {
          shown = UnicodeShown(name, system_);
        } else {
          for (const char byte : AnsiShown(name, system_)) shown += static_cast<char16_t>(static_cast<unsigned char>(byte));
        }
        shown_.push_back(std::move(shown));
        batch->names.push_back(shown_.back().data());
        batch->lengths.push_back(static_cast<std::uint32_t>(shown_.back().size()));
      }
      units += batch->lengths.back();
    }
    batch->keyRoom = units * kKeyBytesPerUnit + count * kKeyBytesPerName;
    batch->keys.reset(new char[batch->keyRoom]);
    batch->keyEnds.assign(count, 0);
    batch->order.reset(new std::uint32_t[count]);
    batches_.push_back(std::move(batch));
  }
}

// The batches, taken one at a time by whichever thread is free: the next
// to take is all the threads change.
struct NameKeyBatches::Keying {
  const std::vector<std::unique_ptr<Batch>>& batches;
  SystemQueries& system;
  bool wide;
  std::atomic<std::size_t> next{0};
};

void NameKeyBatches::KeyBatches(void* context) noexcept {
  Keying& keying = *static_cast<Keying*>(context);
  for (std::size_t taken; (taken = keying.next.fetch_add(1)) < keying.batches.size();) {
    MakeKeys(*keying.batches[taken], keying.system, keying.wide);
  }
}

void NameKeyBatches::KeyAll() noexcept {
  Keying keying{batches_, system_, unicode_};
  const bool helped = batches_.size() > 1 && work_.Post(&NameKeyBatches::KeyBatches, &keying);
  KeyBatches(&keying);
  if (helped) work_.Wait();
}

void NameKeyBatches::MakeKeys(Batch& batch, SystemQueries& system, bool wide) noexcept {
  std::size_t used = 0;
  for (std::size_t name = 0; name < batch.names.size(); ++name) {
    const int length =
        system.SortKeyInto(batch.names[name], batch.lengths[name], wide, batch.keys.get() + used, batch.keyRoom - used);
    if (length < 0) break;
    used += static_cast<std::size_t>(length);
    batch.keyEnds[name] = static_cast<std::uint32_t>(used);
    batch.keyed = name + 1;
  }
  if (batch.Sorted()) SortBatch(batch);
}

// Sorts without memory of its own: std::sort takes none.
void NameKeyBatches::SortBatch(Batch& batch) noexcept {
  const std::size_t count = batch.names.size();
  for (std::size_t name = 0; name < count; ++name) batch.order[name] = static_cast<std::uint32_t>(name);
  std::sort(batch.order.get(), batch.order.get() + count, [&batch](std::uint32_t first, std::uint32_t second) {
    const int order = batch.Key(first).Compare(batch.Key(second));
    return order != 0 ? order < 0 : first < second;  // alike: in the order read
  });
}

std::string NameKeyBatches::OrdinaryKey(const Batch& batch, std::size_t name) const {
  const char16_t* units = batch.names[name];
  const std::size_t length = batch.lengths[name];
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

bool NameKeyBatches::Take(const std::vector<StartupItem>& items, std::vector<KeyView>* keys,
                          std::vector<std::uint32_t>* sorted) {
  MakeBatches(items);
  KeyAll();
  std::size_t names = 0;
  std::size_t late = 0;
  for (const auto& batch : batches_) {
    names += batch->names.size();
    late += batch->names.size() - batch->keyed;
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
    for (std::size_t name = 0; name < batch->names.size(); ++name) {
      if (name < batch->keyed) {
        keys->push_back(batch->Key(name));
        continue;
      }
      lateKeys_.push_back(OrdinaryKey(*batch, name));
      if (lateKeys_.back().empty() && batch->lengths[name] != 0) return false;  // none made
      keys->push_back({lateKeys_.back().data(), static_cast<std::uint32_t>(lateKeys_.back().size())});
    }
    const std::size_t runStart = sorted->size();
    for (std::size_t name = 0; name < batch->names.size(); ++name) {
      sorted->push_back(first + (batch->Sorted() ? batch->order[name] : static_cast<std::uint32_t>(name)));
    }
    if (!batch->Sorted()) std::sort(sorted->begin() + static_cast<std::ptrdiff_t>(runStart), sorted->end(), before);
    runEnds.push_back(sorted->size());
  }
  MergeRuns(before, std::move(runEnds), sorted);
  return true;
}

}  // namespace rw
