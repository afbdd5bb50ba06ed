// Program start: the version gate, then the main window and its message loop.
#include <windows.h>
#include <commctrl.h>

#include "core/windows_version.h"
#include "platform/win32/win32_platform.h"
#include "ui/main/main_window_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  InitCommonControls();
  rw::Win32Platform platform;
  const rw::Platform services = platform.services();
  const rw::WindowsFamily family = rw::CheckWindowsVersion(services);
  if (family == rw::WindowsFamily::kNone) return 0;
  rw::Win32MainWindow mainWindow(services, family);
  if (!mainWindow.Create(instance, showCommand)) return 0;

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (mainWindow.TranslateKeys(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
