#pragma once
// The program's window classes, with its icon, and the ids of child controls.
#include <windows.h>

#include "res/resource.h"

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

}  // namespace rw
