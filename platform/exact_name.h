#pragma once
// A registry value's name or a file's path exactly as the system keeps it.
// Windows NT and Wine keep names in Unicode: there it is the UTF-16 text,
// which the ANSI code page may not be able to hold. Windows 95/98 keep ANSI
// names: there it is the ANSI bytes. Either way it is handed back to the
// platform untouched, so an entry is always addressed by its own name.
#include <string>
#include <utility>

namespace rw {

class ExactName {
 public:
  ExactName() = default;
  // ANSI text, as the system's ANSI calls take it.
  ExactName(std::string ansi) : ansi_(std::move(ansi)) {}  // NOLINT: paths read as names
  ExactName(const char* ansi) : ansi_(ansi) {}             // NOLINT
  static ExactName Wide(std::u16string wide) {
    ExactName name;
    name.wide_ = std::move(wide);
    name.isWide_ = true;
    return name;
  }

  bool IsWide() const { return isWide_; }
  // A registry value's name may hold NULs: the registry counts names.
  bool HoldsNul() const {
    return isWide_ ? wide_.find(u'\0') != std::u16string::npos : ansi_.find('\0') != std::string::npos;
  }
  const std::string& Ansi() const { return ansi_; }     // only when !IsWide()
  const std::u16string& Unicode() const { return wide_; }  // only when IsWide()

  bool operator==(const ExactName& other) const {
    return isWide_ == other.isWide_ && ansi_ == other.ansi_ && wide_ == other.wide_;
  }
  bool operator!=(const ExactName& other) const { return !(*this == other); }

 private:
  std::string ansi_;
  std::u16string wide_;
  bool isWide_ = false;
};

}  // namespace rw
