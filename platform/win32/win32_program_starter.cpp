#include "platform/win32/win32_program_starter.h"

#include <windows.h>

#include <vector>

#include "platform/win32/scoped_handles.h"

namespace rw {

bool Win32ProgramStarter::Start(const std::string& path) {
  // The application name is the exact path, so a blank in it never splits it;
  // the quoted command line only gives the program its usual argv[0].
  std::string quoted = "\"" + path + "\"";
  std::vector<char> commandLine(quoted.begin(), quoted.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  // Not waited for: its handles go at once.
  const ScopedKernelHandle thread(process.hThread);
  const ScopedKernelHandle started(process.hProcess);
  return true;
}

}  // namespace rw
