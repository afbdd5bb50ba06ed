#include "core/startup_entries.h"

#include <utility>

namespace rw {

namespace {

constexpr int kDeletePasses = 10;

// Each entry read is kept, then shown; one the list refuses goes again.
class KeepAndShow : public StartupItemCollector {
 public:
  KeepAndShow(std::vector<StartupItem>& items, StartupListSink& rows, int& refused)
      : items_(items), rows_(rows), refused_(refused) {}
  void Collect(StartupItem item) override {
    items_.push_back(std::move(item));
    const auto id = static_cast<std::uint32_t>(items_.size() - 1);
    bool shown = false;
    try {
      shown = rows_.AppendRow(id, items_.back());
    } catch (...) {
      items_.pop_back();
      throw;
    }
    if (!shown) {
      items_.pop_back();
      ++refused_;
    }
  }

 private:
  std::vector<StartupItem>& items_;
  StartupListSink& rows_;
  int& refused_;
};

}  // namespace

namespace {

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

}  // namespace

void NameOrder::MakeKeys(SystemQueries& system, const std::vector<StartupItem>& items, bool unicode) {
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
  unicode_ = unicode;
}

void NameOrder::Clear() {
  keys_.clear();
  starts_.clear();
}

int NameOrder::Compare(std::uint32_t first, std::uint32_t second) const {
  if (first + 1 >= starts_.size() || second + 1 >= starts_.size()) return 0;
  const int order = keys_.compare(starts_[first], starts_[first + 1] - starts_[first], keys_,
                                  starts_[second], starts_[second + 1] - starts_[second]);
  return (order > 0) - (order < 0);
}

void StartupEntries::LoadStartupItems(const Platform& platform, WindowsFamily family,
                                      StartupListSink& rows) {
  Clear();
  KeepAndShow collector(items_, rows, problems_.refusedRows);
  ReadStartupItems(platform, family, collector, &problems_);
}

void StartupEntries::Clear() {
  items_.clear();
  order_.Clear();
  problems_ = LoadProblems();
}

const StartupItem* StartupEntries::Find(std::uint32_t id) const {
  return id < items_.size() ? &items_[id] : nullptr;
}

RowText StartupEntries::Text(std::uint32_t id, ListColumn column) const {
  if (id >= items_.size()) return {u"", 0, false};
  return items_[id].Text(column);
}

const RowOrder& StartupEntries::Order(SystemQueries& system, bool unicode) {
  if (!order_.HasKeys(items_.size(), unicode)) order_.MakeKeys(system, items_, unicode);
  return order_;
}

bool StartupEntries::PassLeft(const DeleteRun& run) {
  if (run.passes >= kDeletePasses) return false;
  for (const DeleteResult& result : run.results) {
    if (result.state == DeleteState::kNotReached || result.state == DeleteState::kFailed) return true;
  }
  return false;
}

bool StartupEntries::DeleteOne(const Platform& platform, DeleteResult* result) const {
  if (result->state != DeleteState::kNotReached && result->state != DeleteState::kFailed) return false;
  const StartupItem* item = Find(result->id);
  if (item != nullptr && item->source() == EntrySource::kStartupOtherFile) {
    result->state = DeleteState::kNeverDeleted;
    return false;
  }
  result->error = item != nullptr ? DeleteStartupItem(platform, *item) : kErrorFileNotFound;
  result->state = result->error == 0 ? DeleteState::kDeleted : DeleteState::kFailed;
  return result->state == DeleteState::kDeleted;
}

}  // namespace rw
