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
  bool sorted = false;
};

namespace {

// Two keys of a batch's, as std::string compares them: bytes unsigned.
struct KeysInOrder {
  const char* keys;
  const std::uint32_t* ends;
  bool operator()(std::uint32_t first, std::uint32_t second) const {
    const std::uint32_t firstStart = first == 0 ? 0 : ends[first - 1];
    const std::uint32_t secondStart = second == 0 ? 0 : ends[second - 1];
    const std::size_t firstLength = ends[first] - firstStart;
    const std::size_t secondLength = ends[second] - secondStart;
    const int order = std::memcmp(keys + firstStart, keys + secondStart, std::min(firstLength, secondLength));
    if (order != 0) return order < 0;
    if (firstLength != secondLength) return firstLength < secondLength;
    return first < second;  // alike: in the order read
  }
};

// Two names by their keys among all of the load's, alike in the order read.
struct NamesInKeyOrder {
  const std::string* keys;
  const std::vector<std::uint32_t>* starts;
  bool operator()(std::uint32_t first, std::uint32_t second) const {
    const std::vector<std::uint32_t>& at = *starts;
    const int order = keys->compare(at[first], at[first + 1] - at[first], *keys, at[second], at[second + 1] - at[second]);
    return order != 0 ? order < 0 : first < second;
  }
};

// Merges the sorted runs of |sorted|, each ending at its |runEnds|, two by
// two until one is left.
void MergeRuns(const NamesInKeyOrder& before, std::vector<std::size_t> runEnds, std::vector<std::uint32_t>* sorted) {
  std::vector<std::uint32_t> merged(sorted->size());
  std::vector<std::size_t> mergedEnds;
  while (runEnds.size() > 1) {
    mergedEnds.clear();
    std::size_t begin = 0;
    for (std::size_t run = 0; run < runEnds.size(); run += 2) {
      const std::size_t middle = runEnds[run];
      const std::size_t end = run + 1 < runEnds.size() ? runEnds[run + 1] : middle;
      const auto at = [&](std::size_t position) { return sorted->begin() + static_cast<std::ptrdiff_t>(position); };
      std::merge(at(begin), at(middle), at(middle), at(end), merged.begin() + static_cast<std::ptrdiff_t>(begin), before);
      mergedEnds.push_back(end);
      begin = end;
    }
    sorted->swap(merged);
    runEnds.swap(mergedEnds);
  }
}

}  // namespace

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
      names.append(name.units, name.length);  // as read
    } else if (unicode_) {
      names += system_.WideText(std::string(name.units, name.units + name.length));
    } else {
      const std::string ansi = system_.AnsiText(std::u16string(name.units, name.length));
      for (const char byte : ansi) names += static_cast<char16_t>(static_cast<unsigned char>(byte));
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

void NameKeyBatches::MakeKeys(void* context) noexcept {
  Batch& batch = *static_cast<Batch*>(context);
  std::size_t used = 0;
  std::uint32_t nameStart = 0;
  for (std::size_t name = 0; name < batch.nameEnds.size(); ++name) {
    const std::uint32_t nameEnd = batch.nameEnds[name];
    const int length = batch.system->SortKeyInto(batch.names.data() + nameStart, nameEnd - nameStart, batch.wide,
                                                 batch.keys.get() + used, batch.keyRoom - used);
    if (length < 0) return;
    used += static_cast<std::size_t>(length);
    batch.keyEnds[name] = static_cast<std::uint32_t>(used);
    batch.keyed = name + 1;
    nameStart = nameEnd;
  }
  SortBatch(batch);
}

// Sorts without memory of its own: std::sort takes none.
void NameKeyBatches::SortBatch(Batch& batch) noexcept {
  const std::size_t count = batch.nameEnds.size();
  for (std::size_t name = 0; name < count; ++name) batch.order[name] = static_cast<std::uint32_t>(name);
  std::sort(batch.order.get(), batch.order.get() + count, KeysInOrder{batch.keys.get(), batch.keyEnds.data()});
  batch.sorted = true;
}

std::string NameKeyBatches::OrdinaryKey(const Batch& batch, std::size_t name) const {
  const std::uint32_t start = name == 0 ? 0 : batch.nameEnds[name - 1];
  const char16_t* units = batch.names.data() + start;
  const std::size_t length = batch.nameEnds[name] - start;
  if (unicode_) return system_.SortKeyWide(std::u16string(units, length));
  return system_.SortKey(std::string(units, units + length));
}

bool NameKeyBatches::Take(std::string* keys, std::vector<std::uint32_t>* starts,
                          std::vector<std::uint32_t>* sorted) {
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
  std::size_t keyBytes = 0;
  for (const auto& batch : batches_) {
    names += batch->nameEnds.size();
    if (batch->keyed > 0) keyBytes += batch->keyEnds[batch->keyed - 1];
  }
  keys->clear();
  keys->reserve(keyBytes);
  starts->clear();
  starts->reserve(names + 1);
  sorted->clear();
  sorted->reserve(names);
  std::vector<std::size_t> runEnds;  // each batch's names, a run of |sorted| in key order
  runEnds.reserve(batches_.size());
  const NamesInKeyOrder before{keys, starts};
  for (const auto& batch : batches_) {
    const auto first = static_cast<std::uint32_t>(starts->size());
    std::uint32_t keyStart = 0;
    for (std::size_t name = 0; name < batch->nameEnds.size(); ++name) {
      starts->push_back(static_cast<std::uint32_t>(keys->size()));
      if (name < batch->keyed) {
        keys->append(batch->keys.get() + keyStart, batch->keyEnds[name] - keyStart);
        keyStart = batch->keyEnds[name];
        continue;
      }
      const std::string key = OrdinaryKey(*batch, name);
      const std::uint32_t nameStart = name == 0 ? 0 : batch->nameEnds[name - 1];
      if (key.empty() && batch->nameEnds[name] != nameStart) return false;  // the system made none
      *keys += key;
    }
    const std::size_t runStart = sorted->size();
    for (std::size_t name = 0; name < batch->nameEnds.size(); ++name) {
      sorted->push_back(first + (batch->sorted ? batch->order[name] : static_cast<std::uint32_t>(name)));
    }
    if (!batch->sorted) {  // keyed here in part: sorted here
      starts->push_back(static_cast<std::uint32_t>(keys->size()));  // its last name's end, for the while
      std::sort(sorted->begin() + static_cast<std::ptrdiff_t>(runStart), sorted->end(), before);
      starts->pop_back();
    }
    runEnds.push_back(sorted->size());
  }
  starts->push_back(static_cast<std::uint32_t>(keys->size()));
  batches_.clear();  // given back before the runs are merged
  MergeRuns(before, std::move(runEnds), sorted);
  return true;
}

}  // namespace rw
