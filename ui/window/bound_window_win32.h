#pragma once
// Plumbing shared by the program's windows: their class, with the program's
// icon, and a window procedure bound to a C++ object at WM_NCCREATE.
#include <windows.h>

#include "res/resource.h"
#include "ui/window/command_boundary.h"

namespace rw {

// A child control's id, in the form CreateWindowEx takes it.
inline HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)); }

inline bool RegisterProgramWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
  WNDCLASSA windowClass = {};
  if (GetClassInfoA(instance, name, &windowClass)) return true;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_RUNWARDEN));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  return RegisterClassA(&windowClass) != 0;
}

// The object is passed as the creation parameter; T gives the procedure
// access to BindWindow(HWND), HandleMessage(UINT, WPARAM, LPARAM) and
// EndInterruptedCommand(bool outOfMemory). An object that unbinds itself (user data 0, at
// WM_NCDESTROY) leaves later messages to Windows. No exception gets past
// here: the command it cut short is ended by EndInterruptedCommand.
template <class T>
LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->BindWindow(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  RunAtBoundary([&] { result = self->HandleMessage(message, wParam, lParam); },
                [&](bool outOfMemory) { self->EndInterruptedCommand(outOfMemory); });
  return result;
}

}  // namespace rw
