#pragma once
// One startup item: where it comes from, its exact identity, and the three
// texts its row shows.
#include <cstdint>
#include <string>

#include "platform/exact_name.h"
#include "platform/list_control.h"
#include "platform/system_queries.h"

namespace rw {

// The Information text of a row, as the list and the legend show it.
namespace SourceTag {
constexpr char16_t kMachineRun[] = u"Reg - HKLM";
constexpr char16_t kUserRun[] = u"Reg - HKCU";
constexpr char16_t kShortcut[] = u"Shortcut";
}  // namespace SourceTag

// A tag as ANSI text: its letters are all ASCII.
std::string AnsiTag(const char16_t* tag);

// Where an item comes from, and so how it is deleted.
enum class ItemSource : std::uint8_t {
  kMachineRun,        // a value of HKLM's Run key
  kUserRun,           // a value of HKCU's Run key
  kStartupShortcut,   // a shell link in a Startup folder
  kStartupOtherFile,  // any other file there: listed, never deleted
};

// How a NUL within a value's name is shown, in the list and in the reports:
// the registry counts names, so "Evil\0Hidden" is a value of its own beside
// "Evil", and must read differently. A list that shows only the ANSI code
// page shows the mark as the code page's "?".
constexpr char16_t kNulMark = u'\u2400';  // SYMBOL FOR NULL

// Immutable once read. The three texts are kept in one string, each ended by
// a NUL, so an item costs one allocation; each keeps the form it was read in.
// A name that holds a NUL is shown with marks, and kept exactly after the
// three texts for the delete.
class StartupItem {
 public:
  // |name| is the value's exact name or the file's name; |location| the
  // value's data as text or the file's exact path; |information| the type
  // description of a file other than a shell link (the others show their
  // source's tag).
  StartupItem(ItemSource source, const ExactName& name, const ExactName& location,
              const ExactName& information = ExactName());
  // A value read through the wide calls, its name and string data in UTF-16,
  // straight from the buffers they were read into.
  StartupItem(ItemSource source, const char16_t* name, std::size_t nameLength, const std::u16string& location);

  ItemSource source() const { return source_; }
  // As the row shows it: UTF-16 where it was read through the wide calls,
  // otherwise the ANSI bytes, one per unit; a name's NULs as marks.
  RowText Text(ListColumn column) const;
  // What a delete addresses: the value's exact name, or the file's exact path.
  ExactName Identity() const;

 private:
  std::uint32_t InformationEnd() const;
  // The three texts, as RowText tells them: units, length, and ANSI or not.
  void Keep(const RowText (&texts)[3]);

  std::u16string texts_;
  std::uint32_t locationStart_ = 0;
  std::uint32_t informationStart_ = 0;
  ItemSource source_;
  std::uint8_t ansiTexts_ = 0;  // one bit a column: read through the ANSI calls
  bool exactNameKept_ = false;  // the name holds a NUL: kept exactly after the texts
};

// A text as the ANSI list shows it: characters the code page lacks replaced
// as the system replaces them.
std::string AnsiShown(const RowText& text, SystemQueries& system);
// A text as the Unicode list shows it: exactly, or as the system reads ANSI text.
std::u16string UnicodeShown(const RowText& text, SystemQueries& system);

}  // namespace rw
