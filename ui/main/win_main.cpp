// Program start: the version gate, then the main window and its message loop.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "core/windows_version.h"
#include "platform/win32/win32_platform.h"
#include "ui/main/frm_main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  InitCommonControls();
  rw::Win32Platform platform;
  const rw::Platform services = platform.services();
  std::unique_ptr<rw::FrmMainWindow> mainWindow;
  const bool accepted = rw::Main(services, [&] {
    mainWindow.reset(new rw::FrmMainWindow(services));
    if (!mainWindow->Create(instance, showCommand)) mainWindow.reset();
  });
  if (!accepted || !mainWindow) return 0;

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (mainWindow->TranslateKeys(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
