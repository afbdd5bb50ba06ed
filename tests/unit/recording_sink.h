#pragma once
// A sink that remembers rows in the order appended and every other call in order.
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/startup_list_sink.h"

namespace rw {

// Readable failure output, with long texts shortened.
inline void PrintTo(const StartupItem& item, std::ostream* out) {
  auto shown = [](const std::string& text) {
    if (text.size() <= 60) return "\"" + text + "\"";
    return "\"" + text.substr(0, 40) + "...\" (" + std::to_string(text.size()) + " chars)";
  };
  *out << "{" << shown(item.name) << ", " << shown(item.location) << ", "
       << shown(item.information) << "}";
}

class RecordingSink : public StartupListSink {
 public:
  std::vector<StartupItem> rows;
  std::vector<std::string> calls;  // "append", "sort", "select", "status:<text>", "mark"

  void AppendRow(StartupItem item) override {
    rows.push_back(std::move(item));
    calls.push_back("append");
  }
  void SortAscending() override { calls.push_back("sort"); }
  void SelectFirstRow() override { calls.push_back("select"); }
  void SetStatusText(const std::string& text) override { calls.push_back("status:" + text); }
  void MarkAscendingSort() override { calls.push_back("mark"); }

  std::vector<std::string> FinishingCalls() const {
    std::vector<std::string> finishing;
    for (const std::string& call : calls) {
      if (call != "append") finishing.push_back(call);
    }
    return finishing;
  }
};

}  // namespace rw
