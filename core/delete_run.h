#pragma once
// One delete command over the checked rows: it reads each item exactly, then
// deletes it, in up to ten passes, each retrying what the ones before could
// not delete; it tells the window which rows to remove as their items go,
// and keeps what happened to each and what each delete took away, so even a
// delete cut short knows exactly what it did, and Undo can put it back.
#include <cstdint>
#include <string>
#include <vector>

#include "core/startup_inventory.h"
#include "platform/platform.h"

namespace rw {

// How the delete of one checked item went.
enum class DeleteState : std::uint8_t {
  kNotReached,    // the delete stopped before it came to the item
  kDeleted,       // gone: deleted now, or a value that was already gone
  kFailed,        // still there, or not known to be gone: |error| says why
  kNeverDeleted,  // a Startup-folder file that is not a shortcut
};

// Where the window hears of the rows whose items went, once a pass.
class DeletedRows {
 public:
  virtual ~DeletedRows() = default;
  // The rows now at |positions| (from 0, from the bottom up) show items that are gone.
  virtual void RowsDeleted(const std::vector<int>& positions) = 0;
};

class DeleteRun {
 public:
  // The most a delete keeps of one item, and, with |room|, of all it deletes.
  static constexpr std::size_t kMaxBytesPerItem = std::size_t{16} << 20;

  // |room|: how many bytes of what it takes away the delete may keep for Undo.
  explicit DeleteRun(std::size_t room = 0) : room_(room) {}
  // A checked row, in the list's order from the top: its position and the
  // id of its item. |known| is false for a row whose item could not be told:
  // it is never deleted, and the report names it.
  void AddCheckedRow(int position, std::uint32_t id, bool known);
  // The next pass, from the last row up, so a row that leaves moves none of
  // those still to visit; the rows whose items went are told at its end,
  // also when it is cut short. False, without a pass, when every item that
  // can go is gone or ten passes have run.
  bool RunPass(const StartupInventory& inventory, const Platform& platform, DeletedRows& rows);
  // Each checked item that is not gone, named as its row shows it, with why
  // it stayed; each checked row whose item could not be told, by its
  // position after the delete; each item deleted that Undo cannot put back,
  // with why; and why the delete stopped early when |stopReason| is not
  // empty. "" when there is nothing to say.
  std::u16string Report(const StartupInventory& inventory, const std::u16string& stopReason,
                        SystemQueries& system) const;
  // What the items that went took away, in the list's order; given up by the run.
  std::vector<TakenItem> TakeAway();

 private:
  struct CheckedRow {
    int position;  // at the start of the delete
    std::uint32_t id;
    bool known;
    DeleteState state;
    long error;
    long readError;   // why it could not be read whole; 0 when it was
    int taken;        // its index in taken_, or -1
  };
  bool PassLeft() const;
  // Reads, then deletes the row's item and records how it went; true when it is gone.
  bool DeleteOne(const StartupInventory& inventory, const Platform& platform, RunKeyOfPass* runKeys,
                 CheckedRow* row);

  std::vector<CheckedRow> rows_;
  std::vector<TakenItem> taken_;
  int passes_ = 0;
  std::size_t room_;
};

}  // namespace rw
