// The program's entry point, in place of a C runtime DLL's start-up code:
// Windows 95 as it shipped has no msvcrt.dll. It runs the static
// constructors, calls WinMain and ends the process with its result.
#include <windows.h>

#include "platform/win32/runtime/exit_functions.h"

extern "C" int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

namespace {

using StaticFunction = void (*)();

// The linker's table of static constructors: a count (or -1), the
// constructors, then a null.
extern "C" StaticFunction __CTOR_LIST__[];

void RunStaticConstructors() {
  auto count = reinterpret_cast<INT_PTR>(__CTOR_LIST__[0]);
  if (count == -1) {
    count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) ++count;
  }
  // Listed in link order; run last to first, as the compiler expects.
  for (INT_PTR i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

// The command line less the program's own name, as WinMain receives it.
LPSTR ArgumentsOf(LPSTR line) {
  if (*line == '"') {
    ++line;
    while (*line != '\0' && *line != '"') ++line;
    if (*line == '"') ++line;
  } else {
    while (*line > ' ') ++line;
  }
  while (*line != '\0' && *line <= ' ') ++line;
  return line;
}

int ShowCommand() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

extern "C" void WinMainCRTStartup() {
  RunStaticConstructors();
  const int result = WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()),
                             ShowCommand());
  rw::RunExitFunctions();
  ExitProcess(static_cast<UINT>(result));
}
