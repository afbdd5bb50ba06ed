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

void NameOrder::MakeKeys(SystemQueries& system, const std::vector<StartupItem>& items) {
  // Should the system make no key for a name, the names' own bytes order them all.
  bool keyed = true;
  for (const bool byCollation : {true, false}) {
    Clear();
    starts_.reserve(items.size() + 1);
    for (const StartupItem& item : items) {
      starts_.push_back(static_cast<std::uint32_t>(keys_.size()));
      const std::string name = AnsiShown(item.Text(kColumnName), system);
      const std::string key = byCollation ? system.SortKey(name) : name;
      keyed = !key.empty() || name.empty();
      if (!keyed) break;
      keys_ += key;
    }
    if (keyed) break;
  }
  starts_.push_back(static_cast<std::uint32_t>(keys_.size()));
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
  KeepAndShow collector(items_, rows, refusedRows_);
  ReadStartupItems(platform, family, collector);
}

void StartupEntries::Clear() {
  items_.clear();
  order_.Clear();
  refusedRows_ = 0;
}

const StartupItem* StartupEntries::Find(std::uint32_t id) const {
  return id < items_.size() ? &items_[id] : nullptr;
}

RowText StartupEntries::Text(std::uint32_t id, ListColumn column) const {
  if (id >= items_.size()) return {u"", 0, false};
  return items_[id].Text(column);
}

const RowOrder& StartupEntries::Order(SystemQueries& system) {
  if (!order_.HasKeys(items_.size())) order_.MakeKeys(system, items_);
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
