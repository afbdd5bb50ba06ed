#include "core/startup_inventory.h"

#include <new>
#include <utility>

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
// the system makes no key, by the ANSI collation, or by the text's own units.
enum class Keying { kUnicode, kAnsi, kUnits };

std::string KeyOf(const RowText& name, Keying keying, SystemQueries& system) {
  switch (keying) {
    case Keying::kUnicode:
      return system.SortKeyWide(UnicodeShown(name, system));
    case Keying::kAnsi:
      return system.SortKey(AnsiShown(name, system));
    case Keying::kUnits:
      break;
  }
  std::string units;  // each unit as two bytes, high first, so bytes order as units do
  for (std::size_t i = 0; i < name.length; ++i) {
    units += static_cast<char>(name.units[i] >> 8);
    units += static_cast<char>(name.units[i] & 0xff);
  }
  return units;
}

// Two names by their units, as the keys of Keying::kUnits order them.
int CompareUnits(const RowText& first, const RowText& second) {
  for (std::size_t i = 0; i < first.length && i < second.length; ++i) {
    if (first.units[i] != second.units[i]) return first.units[i] < second.units[i] ? -1 : 1;
  }
  return (first.length > second.length) - (first.length < second.length);
}

}  // namespace

void NameOrder::MakeKeys(SystemQueries& system, const std::vector<StartupItem>& items, bool unicode) {
  items_ = &items;
  unicode_ = unicode;
  // Tried twice: the first try gave back what it had taken.
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      MakeKeysOrThrow(system, items, unicode);
      byUnits_ = false;
      return;
    } catch (const std::bad_alloc&) {
      Clear();
    }
  }
  byUnits_ = true;
}

void NameOrder::MakeKeysOrThrow(SystemQueries& system, const std::vector<StartupItem>& items, bool unicode) {
  // Should the system make no key for a name, every name is keyed the next way.
  for (Keying keying = unicode ? Keying::kUnicode : Keying::kAnsi;;
       keying = static_cast<Keying>(static_cast<int>(keying) + 1)) {
    Clear();
    starts_.reserve(items.size() + 1);
    bool keyed = true;
    for (const StartupItem& item : items) {
      starts_.push_back(static_cast<std::uint32_t>(keys_.size()));
      const RowText name = item.Text(kColumnName);
      const std::string key = KeyOf(name, keying, system);
      keyed = !key.empty() || name.length == 0;
      if (!keyed) break;
      keys_ += key;
    }
    if (keyed || keying == Keying::kUnits) break;
  }
  starts_.push_back(static_cast<std::uint32_t>(keys_.size()));
}

void NameOrder::Clear() {
  // Given back, not only emptied: a sort short of memory needs what they held.
  std::string().swap(keys_);
  std::vector<std::uint32_t>().swap(starts_);
}

int NameOrder::Compare(std::uint32_t firstId, std::uint32_t secondId) const {
  const std::uint32_t first = firstId & StartupInventory::kIndexMask;
  const std::uint32_t second = secondId & StartupInventory::kIndexMask;
  if (byUnits_) {
    if (items_ == nullptr || first >= items_->size() || second >= items_->size()) return 0;
    return CompareUnits((*items_)[first].Text(kColumnName), (*items_)[second].Text(kColumnName));
  }
  if (first + 1 >= starts_.size() || second + 1 >= starts_.size()) return 0;
  const int order = keys_.compare(starts_[first], starts_[first + 1] - starts_[first], keys_,
                                  starts_[second], starts_[second + 1] - starts_[second]);
  return (order > 0) - (order < 0);
}

void StartupInventory::LoadStartupItems(const Platform& platform, WindowsFamily family) {
  Clear();
  KeepItems collector(items_, problems_.refusedRows, kIndexMask + std::size_t{1});
  ReadStartupItems(platform, family, collector, &problems_);
  pastMostIds_ = problems_.refusedRows;
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
