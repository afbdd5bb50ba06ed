// Program start: the version gate, then the main window and its message loop.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/windows_version.h"
#include "platform/ascii_case.h"
#include "platform/win32/win32_platform.h"
#include "ui/main/main_window_win32.h"

namespace {

// "/comctl400" anywhere on the command line: the main window's list and
// toolbar are made as comctl32 4.00 (Windows 95 and NT 4.0 as shipped)
// makes them, on a system with a later one.
bool AsksForCommonControls400(const char* commandLine) {
  if (commandLine == nullptr) return false;
  return rw::AsciiLower(commandLine).find("/comctl400") != std::string::npos;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  InitCommonControls();
  rw::Win32Platform platform;
  const rw::Platform services = platform.services();
  const rw::WindowsFamily family = rw::CheckWindowsVersion(services);
  if (family == rw::WindowsFamily::kNone) return 0;
  rw::Win32MainWindow mainWindow(services, family, AsksForCommonControls400(commandLine));
  if (!mainWindow.Create(instance, showCommand)) return 0;

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (mainWindow.TranslateKeys(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
