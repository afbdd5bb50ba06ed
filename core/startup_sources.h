#pragma once
// Where startup items come from, read and deleted in one place: the Run
// keys of both hives and the Startup folder(s).
#include <string>

#include "core/load_report.h"
#include "core/startup_item.h"
#include "core/windows_version.h"
#include "platform/platform.h"
#include "platform/scoped_reg_key.h"

namespace rw {

extern const char kRunKeyPath[];  // below both hives

extern const char kWin9xStartupFolder[];
extern const char kNtAllUsersStartupFolder[];
// The NT per-user folder for |userName| (empty names are used as they are).
std::string NtUserStartupFolder(const std::string& userName);

// Takes each item as it is read.
class StartupItemCollector {
 public:
  virtual ~StartupItemCollector() = default;
  virtual void Collect(StartupItem item) = 0;
};

// Reads the machine's Run key, then the user's, then the Startup folders of
// the Windows family, each in the system's order, as much of each as can be
// read; what could not be read goes to |problems|.
void ReadStartupItems(const Platform& platform, WindowsFamily family, StartupItemCollector& items,
                      LoadProblems* problems);

// Deletes the item where it comes from: a Run key's value by its exact name,
// a shortcut's file by its exact path. 0 when it is gone: deleted now, or a
// value already gone. A shortcut already gone is an error (file not found),
// as the system reports it. Otherwise the error code; other files are never
// deleted: their result is an error.
long DeleteStartupItem(const Platform& platform, const StartupItem& item);

// What a delete took away from one item, to put it back exactly: a value's
// type and every byte of its data, or a file's bytes, attributes and times.
struct TakenItem {
  StartupItem item;  // where it was, its exact name or path, and how its row showed it
  std::uint32_t type = 0;
  FileContents contents;  // a value's data in |bytes|
};

// The Run key of a hive's values, opened once for a pass over many of them.
class RunKeyOfPass {
 public:
  // |create|: made anew where it has gone, as Undo puts values back into it.
  explicit RunKeyOfPass(Registry& registry, bool create = false) : key_(registry), create_(create) {}
  // The key, opened on first use; 0 when it cannot be, |*error| then says why.
  RegKey Get(Registry& registry, RegKey hive, long* error);

 private:
  ScopedRegKey key_;
  bool create_;
  long error_ = -1;  // not opened yet
};

// Reads the item exactly as it is now, before a delete takes it away: at
// most |maxBytes| of data. 0, or why it cannot be read whole; a value or file
// already gone answers not found.
long ReadStartupItemExactly(const Platform& platform, RunKeyOfPass& runKey, const StartupItem& item,
                            std::size_t maxBytes, TakenItem* taken);
// Deletes the item, a value through the pass's open Run key; as DeleteStartupItem.
long DeleteStartupItemInPass(const Platform& platform, RunKeyOfPass& runKey, const StartupItem& item);
// Puts a taken item back where it was, a value through |runKey| (one made
// to create its key), the folder made anew where gone. An item that has
// appeared again under that exact name or path is left as it is: kRegFileExists.
long PutBackStartupItem(const Platform& platform, RunKeyOfPass& runKey, const TakenItem& taken);

// Deletes the value of exactly that counted name ("" is the key's default
// value; a name may hold NULs), through the wide call for a Unicode name.
// Returns kRegSuccess when the value is gone afterwards: deleted now, already
// missing, or its key missing; kErrorNameNotAddressable, deleting nothing,
// for a name that no call at hand addresses whole; otherwise the platform's
// error code for what stood in the way.
long DeleteRegistryValue(Registry& registry, RegKey hive, const std::string& keyPath,
                         const ExactName& valueName);

}  // namespace rw
