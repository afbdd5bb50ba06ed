#pragma once
// A top-level window of the program: bound to its C++ object from
// WM_NCCREATE to WM_NCDESTROY, made centred on the screen at a client size
// given in twips. The program lives while any of them is open: closing the
// main window leaves an open dialog working, and the last one to close ends it.
#include <windows.h>

#include "ui/window/screen_twips_win32.h"

namespace rw {

// What a window is made as. It opens centred on the screen.
struct WindowShape {
  const char* windowClass;
  const char* caption;
  DWORD style;
  DWORD exStyle;
  int clientWidthTwips;   // without the frame and the menu bar
  int clientHeightTwips;
  HWND owner;  // nullptr for none
  HMENU menu;  // nullptr for none; the window's once it is made
};

class ProgramWindow {
 public:
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;

  HWND handle() const { return window_; }
  bool IsOpen() const { return window_ != nullptr; }
  // True for the window itself and any of its controls.
  bool Contains(HWND window) const;
  // Closes the window, as its close box does.
  void Close();

 protected:
  ProgramWindow() = default;
  virtual ~ProgramWindow() = default;

  // Registers the class and makes the window; its WM_CREATE has run when
  // this returns. False when Windows refused.
  bool CreateCentred(HINSTANCE instance, const WindowShape& shape);

  // At WM_CREATE: the controls.
  virtual void OnCreate() = 0;
  // Every message but WM_CREATE and WM_NCDESTROY.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // At WM_NCDESTROY, the last message: the controls are gone, so what they
  // used goes too. The handle is still valid.
  virtual void OnDestroy() {}
  // After an exception cut a message short, to put the window back in order
  // for the next command; a window with nothing to put back stays as it is.
  virtual void EndInterruptedCommand(bool /*outOfMemory*/) {}

  // The window's handle, as it changes: for message boxes it owns.
  const HWND* handleSlot() const { return &window_; }
  HINSTANCE instance() const { return instance_; }
  const ScreenTwips& twips() const { return twips_; }

 private:
  // The one window procedure of the program's windows. No exception gets
  // past it: the command it cut short is ended by EndInterruptedCommand.
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  ScreenTwips twips_;
};

}  // namespace rw
