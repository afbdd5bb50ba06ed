#pragma once
// The startup items of the last load: read, held with their exact identity
// and source, and ordered by name. Each item has an id, which is all a row
// of the list holds of it: its index here, and the load it belongs to, so a
// row of an earlier load never addresses an item of a later one.
#include <cstdint>
#include <string>
#include <vector>

#include "core/name_key_batches.h"
#include "core/startup_item.h"
#include "core/startup_sources.h"
#include "platform/list_control.h"
#include "platform/platform.h"

namespace rw {

// The names' order for the list: each name's rank among the names of the
// load, by collation keys made once a load, so that every later comparison
// is of two numbers.
class NameOrder : public RowOrder {
 public:
  // Ranks the names as the list shows them: in Unicode for a list that
  // shows Unicode, else in ANSI; each as the system's collation orders them.
  // Where memory runs short for the keys, the names are ordered by their
  // characters' codes instead: Keyed() then says false.
  void MakeKeys(SystemQueries& system, const std::vector<StartupItem>& items, bool unicode);
  // Ranks by keys made already, one an item; |sorted| the items' indices
  // in the keys' order. Throws bad_alloc and keeps no ranks when short of
  // memory.
  void RankByKeys(const std::vector<StartupItem>& items, bool unicode, const std::vector<KeyView>& keys,
                  const std::vector<std::uint32_t>& sorted);
  bool HasKeys(std::size_t count, bool unicode) const {
    return items_ != nullptr && count_ == count && unicode_ == unicode;
  }
  bool Keyed() const { return !byUnits_; }
  // Puts |ids| of the ranked items in ascending order of their names, ties
  // keeping their order, in time linear in their count. False, leaving them
  // as they are, where the names are not ranked.
  bool SortAscending(std::vector<std::uint32_t>* ids) const;
  void Clear();
  // By ids of the items' load: <0, 0 for names that rank alike, or >0.
  int Compare(std::uint32_t first, std::uint32_t second) const override;

 private:
  // Ranks by keys of |keying| (see the source); false when the system made
  // no key for a name.
  bool RankOrThrow(SystemQueries& system, const std::vector<StartupItem>& items, int keying);
  void RankByUnitsOrThrow(const std::vector<StartupItem>& items);

  std::vector<std::uint32_t> ranks_;  // by item index; equal names share one
  const std::vector<StartupItem>* items_ = nullptr;  // for the order without ranks
  std::size_t count_ = 0;
  bool unicode_ = false;
  bool byUnits_ = false;
};

class StartupInventory : public RowTexts {
 public:
  // Drops the items of the last load, then reads them all anew. A load cut
  // short keeps what it read. What could not be read is in Problems().
  // The names are ranked as a list of that form shows them (see NameOrder)
  // while they are read.
  void LoadStartupItems(const Platform& platform, WindowsFamily family, bool unicodeRows);
  // Every item's id, in the order they were read.
  std::vector<std::uint32_t> Ids() const;
  // The list showed all but |count| of the items.
  void CountRefusedRows(std::size_t count) { problems_.refusedRows = pastMostIds_ + static_cast<int>(count); }
  // Drops every item; ids handed out before address none from now on.
  void Clear();
  std::size_t Count() const { return items_.size(); }
  // The item of id |id| of the current load, or nullptr.
  const StartupItem* Find(std::uint32_t id) const;
  RowText Text(std::uint32_t id, ListColumn column) const override;
  // What the last load could not read, and how many of its rows the list refused.
  const LoadProblems& Problems() const { return problems_; }

  // The name order of the items as a list of that form shows them, its
  // keys made on first use after a load.
  const NameOrder& Order(SystemQueries& system, bool unicode);

 private:
  friend class NameOrder;
  // An id's parts: the item's index in the low bits, its load's number above.
  static constexpr int kIndexBits = 24;
  static constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
  std::uint32_t IdOf(std::size_t index) const {
    return (static_cast<std::uint32_t>(generation_) << kIndexBits) | static_cast<std::uint32_t>(index);
  }

  std::vector<StartupItem> items_;
  NameOrder order_;
  LoadProblems problems_;
  int pastMostIds_ = 0;  // items read past the most ids a load hands out
  std::uint8_t generation_ = 0;
};

}  // namespace rw
