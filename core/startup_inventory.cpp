#include "core/startup_inventory.h"

#include <algorithm>
#include <new>
#include <utility>

#include "core/name_key_batches.h"

namespace rw {

namespace {

// Each item read is kept, up to the most ids a load can hand out; those
// past it are counted as rows the list could not show.
class KeepItems : public StartupItemCollector {
 public:
  KeepItems(std::vector<StartupItem>& items, int& refused, std::size_t maxItems)
      : items_(items), refused_(refused), maxItems_(maxItems) {}
  void Collect(StartupItem item) override {
    if (items_.size() >= maxItems_) {
      ++refused_;
      return;
    }
    items_.push_back(std::move(item));
  }

 private:
  std::vector<StartupItem>& items_;
  int& refused_;
  std::size_t maxItems_;
};

// How a name is keyed: by the collation of the text the list shows, or, where
// the system makes no key, by the ANSI collation; where it makes none
// either, names are ranked by the text's own units.
enum class Keying { kUnicode, kAnsi, kUnits };

std::string KeyOf(const RowText& name, Keying keying, SystemQueries& system) {
  if (keying == Keying::kUnicode) return system.SortKeyWide(UnicodeShown(name, system));
  return system.SortKey(AnsiShown(name, system));
}

// Two names by their units, code unit by code unit.
int CompareUnits(const RowText& first, const RowText& second) {
  for (std::size_t i = 0; i < first.length && i < second.length; ++i) {
    if (first.units[i] != second.units[i]) return first.units[i] < second.units[i] ? -1 : 1;
  }
  return (first.length > second.length) - (first.length < second.length);
}

// Ranks from the names' order: |sorted| holds the item indices in that
// order, and |same| says whether two neighbours there name alike.
template <class Same>
void RankSorted(const std::vector<std::uint32_t>& sorted, Same same, std::vector<std::uint32_t>* ranks) {
  ranks->assign(sorted.size(), 0);
  std::uint32_t rank = 0;
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    if (i > 0 && !same(sorted[i - 1], sorted[i])) ++rank;
    (*ranks)[sorted[i]] = rank;
  }
}

// Item indices ordered by |before|; names it finds equal keep their order.
template <class Before>
std::vector<std::uint32_t> IndicesInOrder(std::size_t count, Before before) {
  std::vector<std::uint32_t> sorted(count);
  for (std::size_t i = 0; i < count; ++i) sorted[i] = static_cast<std::uint32_t>(i);
  std::stable_sort(sorted.begin(), sorted.end(), before);
  return sorted;
}

}  // namespace

void NameOrder::MakeKeys(SystemQueries& system, const std::vector<StartupItem>& items, bool unicode) {
  Clear();
  items_ = &items;
  count_ = items.size();
  unicode_ = unicode;
  // Tried twice: the first try gave back what it had taken. Should the
  // system make no key for a name, every name is keyed the next way.
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      for (Keying keying = unicode ? Keying::kUnicode : Keying::kAnsi; keying != Keying::kUnits;
           keying = static_cast<Keying>(static_cast<int>(keying) + 1)) {
        if (RankOrThrow(system, items, static_cast<int>(keying))) return;
      }
      RankByUnitsOrThrow(items);  // a system that makes no keys at all
      return;
    } catch (const std::bad_alloc&) {
      std::vector<std::uint32_t>().swap(ranks_);
    }
  }
  // By the characters' codes: ranked where memory allows, else name by name.
  byUnits_ = true;
  try {
    RankByUnitsOrThrow(items);
  } catch (const std::bad_alloc&) {
    std::vector<std::uint32_t>().swap(ranks_);
  }
}

bool NameOrder::RankOrThrow(SystemQueries& system, const std::vector<StartupItem>& items, int keying) {
  std::string keys;                   // every key, one after another
  std::vector<std::uint32_t> starts;  // where each item's key starts; one more at the end
  starts.reserve(items.size() + 1);
  for (const StartupItem& item : items) {
    starts.push_back(static_cast<std::uint32_t>(keys.size()));
    const RowText name = item.Text(kColumnName);
    const std::string key = KeyOf(name, static_cast<Keying>(keying), system);
    if (key.empty() && name.length != 0) return false;
    keys += key;
  }
  starts.push_back(static_cast<std::uint32_t>(keys.size()));
  auto compare = [&](std::uint32_t first, std::uint32_t second) {
    return keys.compare(starts[first], starts[first + 1] - starts[first], keys, starts[second],
                        starts[second + 1] - starts[second]);
  };
  const std::vector<std::uint32_t> sorted =
      IndicesInOrder(items.size(), [&](std::uint32_t a, std::uint32_t b) { return compare(a, b) < 0; });
  RankSorted(sorted, [&](std::uint32_t a, std::uint32_t b) { return compare(a, b) == 0; }, &ranks_);
  byUnits_ = false;
  return true;
}

void NameOrder::RankByKeys(const std::vector<StartupItem>& items, bool unicode, const std::vector<KeyView>& keys,
                           const std::vector<std::uint32_t>& sorted) {
  Clear();
  RankSorted(sorted, [&](std::uint32_t first, std::uint32_t second) { return keys[first].Compare(keys[second]) == 0; },
             &ranks_);
  byUnits_ = false;
  items_ = &items;
  count_ = items.size();
  unicode_ = unicode;
}

bool NameOrder::SortAscending(std::vector<std::uint32_t>* ids) const {
  for (const std::uint32_t id : *ids) {
    if ((id & StartupInventory::kIndexMask) >= ranks_.size()) return false;
  }
  // By counting: how many ids rank below each rank gives where its ids go.
  std::vector<std::uint32_t> firstOfRank(ranks_.size() + 1, 0);
  for (const std::uint32_t id : *ids) ++firstOfRank[ranks_[id & StartupInventory::kIndexMask] + 1];
  for (std::size_t rank = 1; rank < firstOfRank.size(); ++rank) firstOfRank[rank] += firstOfRank[rank - 1];
  std::vector<std::uint32_t> sorted(ids->size());
  for (const std::uint32_t id : *ids) sorted[firstOfRank[ranks_[id & StartupInventory::kIndexMask]]++] = id;
  ids->swap(sorted);
  return true;
}

void NameOrder::RankByUnitsOrThrow(const std::vector<StartupItem>& items) {
  auto compare = [&](std::uint32_t first, std::uint32_t second) {
    return CompareUnits(items[first].Text(kColumnName), items[second].Text(kColumnName));
  };
  const std::vector<std::uint32_t> sorted =
      IndicesInOrder(items.size(), [&](std::uint32_t a, std::uint32_t b) { return compare(a, b) < 0; });
  RankSorted(sorted, [&](std::uint32_t a, std::uint32_t b) { return compare(a, b) == 0; }, &ranks_);
}

void NameOrder::Clear() {
  // Given back, not only emptied: a sort short of memory needs what they held.
  std::vector<std::uint32_t>().swap(ranks_);
  items_ = nullptr;
  count_ = 0;
  byUnits_ = false;
}

int NameOrder::Compare(std::uint32_t firstId, std::uint32_t secondId) const {
  const std::uint32_t first = firstId & StartupInventory::kIndexMask;
  const std::uint32_t second = secondId & StartupInventory::kIndexMask;
  if (first < ranks_.size() && second < ranks_.size()) {
    return (ranks_[first] > ranks_[second]) - (ranks_[first] < ranks_[second]);
  }
  if (!byUnits_ || items_ == nullptr || first >= items_->size() || second >= items_->size()) return 0;
  return CompareUnits((*items_)[first].Text(kColumnName), (*items_)[second].Text(kColumnName));
}

void StartupInventory::LoadStartupItems(const Platform& platform, WindowsFamily family, bool unicodeRows) {
  Clear();
  KeepItems collector(items_, problems_.refusedRows, kIndexMask + std::size_t{1});
  ReadStartupItems(platform, family, collector, &problems_);
  pastMostIds_ = problems_.refusedRows;
  // Where the keys could not all be made here, Order makes them.
  try {
    NameKeyBatches keys(platform.system, platform.background, unicodeRows);
    std::vector<KeyView> made;
    std::vector<std::uint32_t> sorted;
    if (keys.Take(items_, &made, &sorted)) order_.RankByKeys(items_, unicodeRows, made, sorted);
  } catch (const std::bad_alloc&) {
    order_.Clear();
  }
}

std::vector<std::uint32_t> StartupInventory::Ids() const {
  std::vector<std::uint32_t> ids(items_.size());
  for (std::size_t index = 0; index < ids.size(); ++index) ids[index] = IdOf(index);
  return ids;
}

void StartupInventory::Clear() {
  items_.clear();
  order_.Clear();
  problems_ = LoadProblems();
  pastMostIds_ = 0;
  ++generation_;
}

const StartupItem* StartupInventory::Find(std::uint32_t id) const {
  if (id >> kIndexBits != generation_) return nullptr;
  const std::uint32_t index = id & kIndexMask;
  return index < items_.size() ? &items_[index] : nullptr;
}

RowText StartupInventory::Text(std::uint32_t id, ListColumn column) const {
  const StartupItem* item = Find(id);
  if (item == nullptr) return {u"", 0, false};
  return item->Text(column);
}

const NameOrder& StartupInventory::Order(SystemQueries& system, bool unicode) {
  if (!order_.HasKeys(items_.size(), unicode)) order_.MakeKeys(system, items_, unicode);
  return order_;
}

}  // namespace rw
