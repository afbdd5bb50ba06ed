#include "core/startup_item.h"

#include <utility>

namespace rw {

namespace {

RowText TextOf(const ExactName& text) { return {text.Units().data(), text.Units().size(), !text.IsWide()}; }

void AppendUnits(const RowText& text, std::u16string* units) { units->append(text.units, text.length); }

// The name as shown: each NUL a mark, in the name's own form.
void AppendShownName(const RowText& name, std::u16string* units) {
  const std::size_t start = units->size();
  AppendUnits(name, units);
  const char16_t mark = name.ansi ? u'?' : kNulMark;
  for (std::size_t i = start; i < units->size(); ++i) {
    if ((*units)[i] == u'\0') (*units)[i] = mark;
  }
}

std::uint32_t Size(const std::u16string& text) { return static_cast<std::uint32_t>(text.size()); }

// The tag an item of |source| shows as its Information, or nullptr for a
// file that shows its own type.
const char16_t* TagOf(ItemSource source) {
  switch (source) {
    case ItemSource::kMachineRun:
      return SourceTag::kMachineRun;
    case ItemSource::kUserRun:
      return SourceTag::kUserRun;
    case ItemSource::kStartupShortcut:
      return SourceTag::kShortcut;
    case ItemSource::kStartupOtherFile:
      break;
  }
  return nullptr;
}

}  // namespace

StartupItem::StartupItem(ItemSource source, const ExactName& name, const ExactName& location,
                         const ExactName& information)
    : source_(source) {
  Keep({TextOf(name), TextOf(location), TextOf(information)});
}

StartupItem::StartupItem(ItemSource source, const char16_t* name, std::size_t nameLength,
                         const std::u16string& location)
    : source_(source) {
  Keep({{name, nameLength, false}, {location.data(), location.size(), false}, {u"", 0, false}});
}

void StartupItem::Keep(const RowText (&texts)[3]) {
  const RowText& name = texts[kColumnName];
  exactNameKept_ = std::char_traits<char16_t>::find(name.units, name.length, u'\0') != nullptr;
  texts_.reserve(name.length * (exactNameKept_ ? 2 : 1) + texts[kColumnLocation].length +
                 texts[kColumnInformation].length + 3);
  for (int column = kColumnName; column <= kColumnInformation; ++column) {
    if (column != kColumnName) texts_.push_back(u'\0');
    if (column == kColumnLocation) locationStart_ = Size(texts_);
    if (column == kColumnInformation) informationStart_ = Size(texts_);
    if (column == kColumnName) {
      AppendShownName(name, &texts_);
    } else {
      AppendUnits(texts[column], &texts_);
    }
    if (texts[column].ansi) ansiTexts_ |= static_cast<std::uint8_t>(1u << column);
  }
  if (exactNameKept_) {
    texts_.push_back(u'\0');
    AppendUnits(name, &texts_);
  }
}

RowText StartupItem::Text(ListColumn column) const {
  if (const char16_t* tag = column == kColumnInformation ? TagOf(source_) : nullptr) {
    return {tag, std::char_traits<char16_t>::length(tag), false};
  }
  const std::uint32_t start = column == kColumnName       ? 0
                              : column == kColumnLocation ? locationStart_
                                                          : informationStart_;
  const std::uint32_t end = column == kColumnName       ? locationStart_ - 1
                            : column == kColumnLocation ? informationStart_ - 1
                                                        : InformationEnd();
  return {texts_.c_str() + start, end - start, ((ansiTexts_ >> column) & 1u) != 0};
}

// A type description holds no NUL: the exact name, when kept, starts after its own.
std::uint32_t StartupItem::InformationEnd() const {
  if (!exactNameKept_) return Size(texts_);
  return static_cast<std::uint32_t>(texts_.find(u'\0', informationStart_));
}

ExactName StartupItem::Identity() const {
  const bool isFile = source_ == ItemSource::kStartupShortcut || source_ == ItemSource::kStartupOtherFile;
  RowText text = Text(isFile ? kColumnLocation : kColumnName);
  if (!isFile && exactNameKept_) {
    const std::uint32_t start = InformationEnd() + 1;
    text.units = texts_.c_str() + start;
    text.length = Size(texts_) - start;
  }
  return ExactName::FromUnits(std::u16string(text.units, text.length), !text.ansi);
}

std::string AnsiTag(const char16_t* tag) {
  std::string ansi;
  for (; *tag != u'\0'; ++tag) ansi += static_cast<char>(*tag);
  return ansi;
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
