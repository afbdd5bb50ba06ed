// Checks the program's own runtime layer (start-up, heap, string functions,
// exit functions, C++ exceptions) in an image linked exactly as
// runwarden.exe is, without a C runtime DLL. Prints one line a check and a
// closing 'N passed, N failed'; the exit code is the number of failures.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/win32/runtime/exit_functions.h"

namespace {

int passed = 0;
int failed = 0;

void Print(const char* text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, lstrlenA(text), &written, nullptr);
}

void Check(bool ok, const char* what) {
  char line[256];
  wsprintfA(line, "  %s: %s\r\n", ok ? "ok" : "FAILED", what);
  Print(line);
  ++(ok ? passed : failed);
}

// Set by a static constructor: proves the start-up code ran them.
struct ConstructedAtStart {
  ConstructedAtStart() : value(42) {}
  int value;
};
ConstructedAtStart constructedAtStart;
std::string staticText = "built before WinMain";

void CheckStartUp() {
  Check(constructedAtStart.value == 42, "static constructors run before WinMain");
  Check(staticText == "built before WinMain", "a static std::string is built at start");
}

void CheckHeap() {
  auto* block = static_cast<unsigned char*>(std::malloc(100));
  Check(block != nullptr, "malloc gives a block");
  for (int i = 0; i < 100; ++i) block[i] = static_cast<unsigned char>(i);
  block = static_cast<unsigned char*>(std::realloc(block, 100000));
  bool kept = block != nullptr;
  for (int i = 0; kept && i < 100; ++i) kept = block[i] == i;
  Check(kept, "realloc keeps the contents when it grows a block");
  std::free(block);
  auto* zeroed = static_cast<int*>(std::calloc(1000, sizeof(int)));
  bool allZero = zeroed != nullptr;
  for (int i = 0; allZero && i < 1000; ++i) allZero = zeroed[i] == 0;
  Check(allZero, "calloc gives zeroed memory");
  std::free(zeroed);
  volatile std::size_t half = static_cast<std::size_t>(-1) / 2;  // not folded at compile time
  Check(std::calloc(half, 4) == nullptr,
        "calloc refuses a size that overflows");
  void* fresh = std::realloc(nullptr, 10);
  Check(fresh != nullptr, "realloc of null allocates");
  std::free(fresh);
}

void CheckStrings() {
  char buffer[16] = "abcdefghij";
  std::memmove(buffer + 2, buffer, 5);
  Check(std::memcmp(buffer, "ababcdehij", 10) == 0, "memmove copies forward over an overlap");
  std::memcpy(buffer, "abcdefghij", 11);
  std::memmove(buffer, buffer + 2, 5);
  Check(std::memcmp(buffer, "cdefgfghij", 10) == 0, "memmove copies backward over an overlap");
  std::memset(buffer, 'x', 3);
  Check(std::memcmp(buffer, "xxxfg", 5) == 0, "memset fills");
  Check(std::strcmp("abc", "abd") < 0 && std::strcmp("b", "a") > 0 && std::strcmp("", "") == 0,
        "strcmp orders");
  Check(std::strcmp("\xe9", "e") > 0, "strcmp compares unsigned characters");
  Check(std::strncmp("abcx", "abcy", 3) == 0 && std::strncmp("ab", "abc", 3) < 0, "strncmp stops");
  const char hello[] = "hello";
  Check(std::memchr(hello, 'l', 5) == hello + 2 && std::memchr(hello, 'z', 5) == nullptr,
        "memchr finds the first such byte, or none");
  Check(std::strlen("") == 0 && std::strlen("four") == 4, "strlen counts");
}

struct OwnError : std::exception {
  const char* what() const noexcept override { return "own"; }
};

void CheckExceptions() {
  bool caught = false;
  try {
    std::string text;
    text.reserve(text.max_size() + 1);
  } catch (const std::exception&) {
    caught = true;
  }
  Check(caught, "the library's length error is caught as std::exception");

  caught = false;
  try {
    std::vector<int> numbers(3);
    numbers.at(7) = 1;
  } catch (const std::exception&) {
    caught = true;
  }
  Check(caught, "an out-of-range at() is caught as std::exception");

  caught = false;
  try {
    std::vector<char> huge(static_cast<std::size_t>(0x7FFFFFF0));
    huge[0] = 1;
  } catch (const std::bad_alloc&) {
    caught = true;
  } catch (const std::exception&) {
  }
  Check(caught, "an allocation that cannot be met throws std::bad_alloc");

  int value = 0;
  try {
    throw OwnError();
  } catch (const OwnError& error) {
    value = std::strcmp(error.what(), "own") == 0 ? 1 : 2;
  } catch (const std::exception&) {
    value = 3;
  }
  Check(value == 1, "a program's own exception keeps its type and text");
}

int exitOrder[41];
int exitCount = 0;
void First() { exitOrder[exitCount++] = 1; }
void Second() { exitOrder[exitCount++] = 2; }

void CheckExitFunctions() {
  bool registered = std::atexit(First) == 0;
  // More than one block's worth.
  for (int i = 0; i < 40; ++i) registered = std::atexit(Second) == 0 && registered;
  Check(registered, "atexit takes 41 functions");
  rw::RunExitFunctions();
  bool lastFirst = exitCount == 41 && exitOrder[40] == 1;
  for (int i = 0; lastFirst && i < 40; ++i) lastFirst = exitOrder[i] == 2;
  Check(lastFirst, "exit functions run once each, the last registered first");
  rw::RunExitFunctions();
  Check(exitCount == 41, "exit functions run only once");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  Print("runtime layer\r\n");
  CheckStartUp();
  CheckHeap();
  CheckStrings();
  CheckExceptions();
  CheckExitFunctions();
  Check(arguments != nullptr && lstrcmpA(arguments, "--probe this") == 0,
        "WinMain receives the arguments without the program's name");
  char line[64];
  wsprintfA(line, "%d passed, %d failed\r\n", passed, failed);
  Print(line);
  return failed;
}
