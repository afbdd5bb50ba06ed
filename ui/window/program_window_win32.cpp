#include "ui/window/program_window_win32.h"

#include "ui/window/command_boundary.h"
#include "ui/window/window_class_win32.h"

namespace rw {

namespace {

int openWindows = 0;

}  // namespace

bool ProgramWindow::Contains(HWND window) const {
  return window_ != nullptr && (window == window_ || IsChild(window_, window));
}

void ProgramWindow::Close() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool ProgramWindow::CreateCentred(HINSTANCE instance, const WindowShape& shape) {
  if (!RegisterProgramWindowClass(instance, shape.windowClass, &ProgramWindow::Procedure)) return false;
  instance_ = instance;
  RECT frame = {0, 0, twips_.ToPixelsX(shape.clientWidthTwips), twips_.ToPixelsY(shape.clientHeightTwips)};
  AdjustWindowRectEx(&frame, shape.style, shape.menu != nullptr, shape.exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  return CreateWindowExA(shape.exStyle, shape.windowClass, shape.caption, shape.style,
                         (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, shape.owner,
                         shape.menu, instance, this) != nullptr;
}

// The object comes as the creation parameter. Once it has unbound itself
// (user data 0, at WM_NCDESTROY) later messages are left to Windows.
LRESULT CALLBACK ProgramWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<ProgramWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<ProgramWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  RunAtBoundary([&] { result = self->Dispatch(message, wParam, lParam); },
                [&](bool outOfMemory) { self->EndInterruptedCommand(outOfMemory); });
  return result;
}

LRESULT ProgramWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      ++openWindows;
      OnCreate();
      return 0;
    case WM_NCDESTROY: {
      HWND closing = window_;
      OnDestroy();
      SetWindowLongPtrA(closing, GWLP_USERDATA, 0);
      window_ = nullptr;  // the next opening makes it afresh
      if (--openWindows <= 0) PostQuitMessage(0);
      return DefWindowProcA(closing, message, wParam, lParam);
    }
    default:
      return HandleMessage(message, wParam, lParam);
  }
}

}  // namespace rw
