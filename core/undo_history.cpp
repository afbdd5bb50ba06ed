#include "core/undo_history.h"

#include <algorithm>
#include <utility>

#include "core/delete_report.h"
#include "core/report_words.h"

namespace rw {

namespace {

std::size_t BytesOf(const std::vector<TakenItem>& taken) {
  std::size_t bytes = 0;
  for (const TakenItem& item : taken) bytes += item.contents.bytes.size();
  return bytes;
}

DeleteFailure Named(const TakenItem& taken, std::u16string reason, SystemQueries& system) {
  return {UnicodeShown(taken.item.Text(kColumnName), system), UnicodeShown(taken.item.Text(kColumnLocation), system),
          std::move(reason)};
}

}  // namespace

void UndoHistory::Keep(std::vector<TakenItem> taken) {
  if (taken.empty()) return;
  bytesHeld_ += BytesOf(taken);
  deletes_.push_back(std::move(taken));
}

std::u16string UndoHistory::PutBackLast(const Platform& platform) {
  if (deletes_.empty()) return std::u16string();
  std::vector<TakenItem>& last = deletes_.back();
  std::vector<TakenItem> left;  // what could not go back, for the next Undo
  std::vector<DeleteFailure> appeared;
  std::vector<DeleteFailure> failed;
  // Each Run key is opened, or made anew, once for every value put back into it.
  RunKeyOfPass runKeys[2] = {RunKeyOfPass(platform.registry, true), RunKeyOfPass(platform.registry, true)};
  for (TakenItem& taken : last) {
    RunKeyOfPass& runKey = runKeys[taken.item.source() == ItemSource::kUserRun ? 1 : 0];
    const long result = PutBackStartupItem(platform, runKey, taken);
    if (result == 0) continue;
    if (result == kRegFileExists) {
      appeared.push_back(Named(taken, u"It is there again, and was left as it is.", platform.system));
      continue;
    }
    failed.push_back(Named(taken, FailureReason(result, platform.system), platform.system));
    left.push_back(std::move(taken));
  }
  bytesHeld_ -= std::min(bytesHeld_, BytesOf(last) - BytesOf(left));
  if (left.empty()) {
    deletes_.pop_back();
  } else {
    last = std::move(left);
  }
  std::u16string report;
  if (!failed.empty()) {
    report = ItemListReport(u"These items could not be put back. Undo Delete tries them again:\n", failed);
  }
  if (!appeared.empty()) {
    report += report.empty() ? u"" : u"\n\n";
    report += ItemListReport(u"These items were not put back: an item of the same name is there again:\n", appeared);
  }
  return report;
}

}  // namespace rw
