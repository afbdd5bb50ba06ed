#pragma once
// The startup entries of the last load: read, held with their exact identity
// and source, ordered by name, and deleted. Each entry has an id, its index
// here, which is all a row of the list holds of it.
#include <cstdint>
#include <string>
#include <vector>

#include "core/startup_item.h"
#include "core/startup_list_sink.h"
#include "core/startup_sources.h"
#include "platform/list_control.h"
#include "platform/platform.h"

namespace rw {

// How the delete of one checked entry went.
enum class DeleteState : std::uint8_t {
  kNotReached,  // the delete stopped before it came to the entry
  kDeleted,     // gone: deleted now, or already gone
  kFailed,      // still there: |error| says why
  kNeverDeleted,  // a Startup-folder file that is not a shortcut
};

struct DeleteResult {
  std::uint32_t id;
  DeleteState state;
  long error;
};

// One delete command's account of its checked entries, kept as each changes,
// so a delete cut short still knows exactly what it did.
struct DeleteRun {
  std::vector<DeleteResult> results;  // in the list's order, every one kNotReached at first
  int passes = 0;
};

// The names' order for the list, by collation keys made once a load.
class NameOrder : public RowOrder {
 public:
  // Keys of the names as the list shows them: in Unicode for a list that
  // shows Unicode, else in ANSI; each as the system's collation orders them.
  void MakeKeys(SystemQueries& system, const std::vector<StartupItem>& items, bool unicode);
  bool HasKeys(std::size_t count, bool unicode) const {
    return starts_.size() == count + 1 && unicode_ == unicode;
  }
  void Clear();
  int Compare(std::uint32_t first, std::uint32_t second) const override;

 private:
  std::string keys_;                   // every key, one after another
  std::vector<std::uint32_t> starts_;  // where each id's key starts; one more at the end
  bool unicode_ = false;
};

class StartupEntries : public RowTexts {
 public:
  // Drops the entries of the last load, then reads them all anew. Each entry
  // is kept before its row is made and dropped again when the list refuses
  // the row, so every row has its entry and every entry its row. A load cut
  // short keeps what it read. What could not be read, or shown, is in Problems().
  void LoadStartupItems(const Platform& platform, WindowsFamily family, StartupListSink& rows);
  void Clear();
  std::size_t Count() const { return items_.size(); }
  // The entry of id |id|, or nullptr.
  const StartupItem* Find(std::uint32_t id) const;
  RowText Text(std::uint32_t id, ListColumn column) const override;
  // What the last load could not read, and how many rows the list refused.
  const LoadProblems& Problems() const { return problems_; }

  // The name order of the entries as a list of that form shows them, its
  // keys made on first use after a load.
  const RowOrder& Order(SystemQueries& system, bool unicode);

  // Runs the next pass of a delete, from the last entry up: each entry not
  // yet gone is deleted, and |deleted|(index) is called as each goes. False,
  // without a pass, when every entry is gone or ten passes have run: later
  // passes retry what the earlier ones could not delete.
  template <class OnDeleted>
  bool DeleteNextPass(const Platform& platform, DeleteRun* run, OnDeleted deleted) const;

 private:
  // Deletes one entry and records how it went; true when it is gone.
  bool DeleteOne(const Platform& platform, DeleteResult* result) const;
  static bool PassLeft(const DeleteRun& run);

  std::vector<StartupItem> items_;
  NameOrder order_;
  LoadProblems problems_;
};

template <class OnDeleted>
bool StartupEntries::DeleteNextPass(const Platform& platform, DeleteRun* run, OnDeleted deleted) const {
  if (!PassLeft(*run)) return false;
  ++run->passes;
  for (std::size_t i = run->results.size(); i-- > 0;) {
    if (DeleteOne(platform, &run->results[i])) deleted(i);
  }
  return true;
}

}  // namespace rw
