#pragma once
// A registry value's name or a file's path exactly as the system keeps it.
// Windows NT and Wine keep names in Unicode: there it is the UTF-16 text,
// which the ANSI code page may not be able to hold. Windows 95/98 keep ANSI
// names: there it is the ANSI bytes. Either way it is held as units, UTF-16
// units or one byte a unit, as a row's text is (RowText is a view of the
// same form), and handed back to the platform untouched, so an entry is
// always addressed by its own name.
#include <string>
#include <utility>

namespace rw {

class ExactName {
 public:
  ExactName() = default;
  // ANSI text, as the system's ANSI calls take it.
  ExactName(const std::string& ansi) : units_(ansi.begin(), ansi.end()) {  // NOLINT: paths read as names
    for (char16_t& unit : units_) unit = static_cast<unsigned char>(unit);
  }
  ExactName(const char* ansi) : ExactName(std::string(ansi)) {}  // NOLINT
  static ExactName Wide(std::u16string wide) {
    ExactName name;
    name.units_ = std::move(wide);
    name.isWide_ = true;
    return name;
  }
  // UTF-16 units when |wide|, else ANSI bytes one a unit.
  static ExactName FromUnits(std::u16string units, bool wide) {
    ExactName name;
    name.units_ = std::move(units);
    name.isWide_ = wide;
    return name;
  }
  // The same form as |like|, with other units.
  static ExactName Like(const ExactName& like, std::u16string units) {
    return FromUnits(std::move(units), like.isWide_);
  }

  bool IsWide() const { return isWide_; }
  // UTF-16 units, or ANSI bytes one a unit.
  const std::u16string& Units() const { return units_; }
  bool empty() const { return units_.empty(); }
  std::string Ansi() const { return std::string(units_.begin(), units_.end()); }  // only when !IsWide()
  const std::u16string& Unicode() const { return units_; }                        // only when IsWide()
  // A registry value's name may hold NULs: the registry counts names.
  bool HoldsNul() const { return units_.find(u'\0') != std::u16string::npos; }

  bool operator==(const ExactName& other) const { return isWide_ == other.isWide_ && units_ == other.units_; }
  bool operator!=(const ExactName& other) const { return !(*this == other); }

 private:
  std::u16string units_;
  bool isWide_ = false;
};

}  // namespace rw
