// The C++ library reports misuse (a string grown past its maximum, a
// position out of range) through these functions. Its own versions build
// std::logic_error and kin on the old reference-counted string, whose object
// file also brings std::random_device and with it C runtime functions that
// Windows 95 lacks. These throw one plain exception type instead; the
// program catches std::exception, never the library's finer types.
#include <bits/functexcept.h>

#include <exception>
#include <new>

namespace {

class LibraryError : public std::exception {
 public:
  explicit LibraryError(const char* what) : what_(what != nullptr ? what : "C++ library error") {}
  const char* what() const noexcept override { return what_; }

 private:
  const char* what_;  // always a string literal of the library
};

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_logic_error(const char* what) { throw LibraryError(what); }
void __throw_length_error(const char* what) { throw LibraryError(what); }
void __throw_out_of_range(const char* what) { throw LibraryError(what); }
// The format's arguments are left out: a fixed text is enough to end a command.
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
void __throw_invalid_argument(const char* what) { throw LibraryError(what); }

}  // namespace std
