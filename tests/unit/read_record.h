#pragma once
// What a load read, in the order read: each item's row as the ANSI list
// shows it, and the item.
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/startup_inventory.h"
#include "tests/fakes/fake_code_page.h"

namespace rw {

// A row's three texts.
struct ShownRow {
  std::string name;
  std::string location;
  std::string information;
  bool operator==(const ShownRow& other) const {
    return name == other.name && location == other.location && information == other.information;
  }
};

// Readable failure output, with long texts shortened.
inline void PrintTo(const ShownRow& row, std::ostream* out) {
  auto shown = [](const std::string& text) {
    if (text.size() <= 60) return "\"" + text + "\"";
    return "\"" + text.substr(0, 40) + "...\" (" + std::to_string(text.size()) + " chars)";
  };
  *out << "{" << shown(row.name) << ", " << shown(row.location) << ", " << shown(row.information) << "}";
}

// A text as the stand-ins' ANSI list shows it.
inline std::string ShownAnsi(const RowText& text) {
  const std::u16string units(text.units, text.length);
  return text.ansi ? std::string(units.begin(), units.end()) : FakeAnsi(units);
}

// Records the items of |inventory|'s last load.
class ReadRecord {
 public:
  explicit ReadRecord(const StartupInventory& inventory) : inventory_(inventory) {}
  std::vector<ShownRow> rows;
  std::vector<StartupItem> items;  // what each row shows, its identity and source

  // Records the items read since, after those recorded before.
  void Record() {
    for (const std::uint32_t id : inventory_.Ids()) {
      const StartupItem& item = *inventory_.Find(id);
      rows.push_back({ShownAnsi(item.Text(kColumnName)), ShownAnsi(item.Text(kColumnLocation)),
                      ShownAnsi(item.Text(kColumnInformation))});
      items.push_back(item);
    }
  }
  void Clear() {
    rows.clear();
    items.clear();
  }

 private:
  const StartupInventory& inventory_;
};

}  // namespace rw
