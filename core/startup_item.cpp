#include "core/startup_item.h"

#include <utility>

namespace rw {

namespace {

// ANSI bytes as units, one byte each, so both forms share one string.
std::size_t UnitCount(const ExactName& text) {
  return text.IsWide() ? text.Unicode().size() : text.Ansi().size();
}

void AppendUnits(const ExactName& text, std::u16string* units) {
  if (text.IsWide()) {
    units->append(text.Unicode());
    return;
  }
  for (const char c : text.Ansi()) units->push_back(static_cast<unsigned char>(c));
}

std::uint32_t Size(const std::u16string& text) { return static_cast<std::uint32_t>(text.size()); }

constexpr char16_t kMachineRunTag[] = u"Reg - HKLM";
constexpr char16_t kUserRunTag[] = u"Reg - HKCU";

}  // namespace

StartupItem::StartupItem(EntrySource source, const ExactName& name, const ExactName& location,
                         const ExactName& information)
    : source_(source) {
  const ExactName* const texts[] = {&name, &location, &information};
  texts_.reserve(UnitCount(name) + UnitCount(location) + UnitCount(information) + 2);
  for (int column = kColumnName; column <= kColumnInformation; ++column) {
    if (column != kColumnName) texts_.push_back(u'\0');
    if (column == kColumnLocation) locationStart_ = Size(texts_);
    if (column == kColumnInformation) informationStart_ = Size(texts_);
    AppendUnits(*texts[column], &texts_);
    if (!texts[column]->IsWide()) ansiTexts_ |= static_cast<std::uint8_t>(1u << column);
  }
}

RowText StartupItem::Text(ListColumn column) const {
  if (column == kColumnInformation && source_ == EntrySource::kMachineRun) {
    return {kMachineRunTag, sizeof kMachineRunTag / 2 - 1, false};
  }
  if (column == kColumnInformation && source_ == EntrySource::kUserRun) {
    return {kUserRunTag, sizeof kUserRunTag / 2 - 1, false};
  }
  const std::uint32_t start = column == kColumnName       ? 0
                              : column == kColumnLocation ? locationStart_
                                                          : informationStart_;
  const std::uint32_t end = column == kColumnName       ? locationStart_ - 1
                            : column == kColumnLocation ? informationStart_ - 1
                                                        : Size(texts_);
  return {texts_.c_str() + start, end - start, ((ansiTexts_ >> column) & 1u) != 0};
}

ExactName StartupItem::Identity() const {
  const bool isFile = source_ == EntrySource::kStartupShortcut || source_ == EntrySource::kStartupOtherFile;
  const RowText text = Text(isFile ? kColumnLocation : kColumnName);
  if (!text.ansi) return ExactName::Wide(std::u16string(text.units, text.length));
  return ExactName(std::string(text.units, text.units + text.length));
}

std::string AnsiShown(const RowText& text, SystemQueries& system) {
  if (!text.ansi) return system.AnsiText(std::u16string(text.units, text.length));
  return std::string(text.units, text.units + text.length);  // one byte a unit
}

std::u16string UnicodeShown(const RowText& text, SystemQueries& system) {
  if (!text.ansi) return std::u16string(text.units, text.length);
  return system.WideText(std::string(text.units, text.units + text.length));
}

}  // namespace rw
