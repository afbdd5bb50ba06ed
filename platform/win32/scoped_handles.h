#pragma once
// Owning wrappers for the Win32 handles the program holds: each closes its
// handle itself, cannot be copied (no double release) and can be moved.
#include <windows.h>

namespace rw {

template <class Handle, class Traits>
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  bool valid() const { return Traits::IsValid(handle_); }
  Handle get() const { return handle_; }
  // Gives the handle up, to an owner that frees it itself (a window taking its menu).
  Handle release() {
    const Handle handle = handle_;
    handle_ = Handle();
    return handle;
  }
  void reset(Handle handle = Handle()) {
    if (valid()) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Handle();
};

namespace handle_traits {
// Kernel handles and find handles: both NULL and INVALID_HANDLE_VALUE mean none.
inline bool IsKernelHandle(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}
struct Kernel {  // files, processes, threads
  static bool IsValid(HANDLE handle) { return IsKernelHandle(handle); }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct Find {
  static bool IsValid(HANDLE handle) { return IsKernelHandle(handle); }
  static void Close(HANDLE handle) { FindClose(handle); }
};
template <class T>
struct Gdi {
  static bool IsValid(T object) { return object != nullptr; }
  static void Close(T object) { DeleteObject(object); }
};
struct MemoryDC {  // from CreateCompatibleDC
  static bool IsValid(HDC dc) { return dc != nullptr; }
  static void Close(HDC dc) { DeleteDC(dc); }
};
struct Menu {
  static bool IsValid(HMENU menu) { return menu != nullptr; }
  static void Close(HMENU menu) { DestroyMenu(menu); }
};
struct Accelerators {
  static bool IsValid(HACCEL table) { return table != nullptr; }
  static void Close(HACCEL table) { DestroyAcceleratorTable(table); }
};
}  // namespace handle_traits

using ScopedKernelHandle = ScopedHandle<HANDLE, handle_traits::Kernel>;
using ScopedFile = ScopedKernelHandle;
using ScopedFindHandle = ScopedHandle<HANDLE, handle_traits::Find>;
using ScopedFont = ScopedHandle<HFONT, handle_traits::Gdi<HFONT>>;
using ScopedPen = ScopedHandle<HPEN, handle_traits::Gdi<HPEN>>;
using ScopedBitmap = ScopedHandle<HBITMAP, handle_traits::Gdi<HBITMAP>>;
using ScopedBrush = ScopedHandle<HBRUSH, handle_traits::Gdi<HBRUSH>>;
using ScopedMemoryDC = ScopedHandle<HDC, handle_traits::MemoryDC>;
// A menu not yet given to a window; a window's own menu is destroyed with it.
using ScopedMenu = ScopedHandle<HMENU, handle_traits::Menu>;
using ScopedAccelerators = ScopedHandle<HACCEL, handle_traits::Accelerators>;

// A device context from GetDC, released to its window.
class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedGetDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  ScopedGetDC(ScopedGetDC&& other) noexcept : window_(other.window_), dc_(other.dc_) {
    other.dc_ = nullptr;
  }
  ScopedGetDC& operator=(ScopedGetDC&&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a DC for a while; the one it replaced goes back.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelectObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
  ScopedSelectObject(ScopedSelectObject&& other) noexcept
      : dc_(other.dc_), previous_(other.previous_) {
    other.previous_ = nullptr;
  }
  ScopedSelectObject& operator=(ScopedSelectObject&&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace rw
