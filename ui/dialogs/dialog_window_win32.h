#pragma once
// A fixed, modeless dialog laid out in twips: one instance, no taskbar button,
// Enter and Esc through its OK button, gone when closed and made afresh when
// opened again.
#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/scoped_handles.h"
#include "ui/window/screen_twips_win32.h"

namespace rw {

struct LabelFont {
  const char* face;
  int pointsTimes100;
  int weight;
  bool italic;
  bool underline;
  // Lets the font mapper find a like face where the named one is missing.
  BYTE pitchAndFamily = DEFAULT_PITCH | FF_ROMAN;
};

// The border: a dialog frame, or a thin single line; both with a caption and
// a close box, neither resizable.
enum class DialogFrame { kFixedDialog, kFixedSingle };

class DialogWindow {
 public:
  DialogWindow(const char* windowClass, int clientWidthTwips, int clientHeightTwips,
               DialogFrame frame)
      : windowClass_(windowClass),
        widthTwips_(clientWidthTwips),
        heightTwips_(clientHeightTwips),
        frame_(frame) {}
  virtual ~DialogWindow() = default;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Creates the dialog (running its load step) or brings the open one to the front.
  void Open(HINSTANCE instance);
  // Closes the open dialog, as its close box does.
  void Close();
  bool IsOpen() const { return window_ != nullptr; }
  HWND handle() const { return window_; }
  // Keyboard handling of an open dialog: Tab, Enter, Esc, access keys.
  bool HandleDialogKeys(MSG* message);

 protected:
  // The load step: create the controls and fill them.
  virtual void OnLoad() = 0;
  // The dialog's own window handle, as it changes: for message boxes it owns.
  const HWND* handleSlot() const { return &window_; }
  // Commands other than OK and Cancel, which close the dialog.
  virtual void OnCommand(int /*id*/) {}
  virtual void OnPaint(HDC /*dc*/) {}

  // |colour| is fixed, or kButtonTextColour to follow the system's scheme.
  HWND AddLabel(int id, int left, int top, int width, int height, const LabelFont& font,
                COLORREF colour);
  static constexpr COLORREF kButtonTextColour = CLR_INVALID;
  HWND AddButton(int id, const char* caption, int left, int top, int width, int height,
                 bool isDefault);
  void SetText(int id, const std::string& text);
  // Gives a control a font of its own, deleted when the dialog closes.
  void SetOwnFont(HWND control, int id, const LabelFont& font);
  RECT PixelsOf(int left, int top, int width, int height) const;  // right, bottom: width, height
  const ScreenTwips& twips() const { return twips_; }
  HINSTANCE instance() const { return instance_; }

 private:
  template <class T>
  friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
  void BindWindow(HWND window) { window_ = window; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A command cut short leaves nothing to put back: the dialog stays open.
  void EndInterruptedCommand(bool /*outOfMemory*/) {}
  static HWND HiddenOwner(HINSTANCE instance);

  const char* windowClass_;
  int widthTwips_;
  int heightTwips_;
  DialogFrame frame_;
  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  ScreenTwips twips_;
  std::map<int, COLORREF> labelColours_;
  std::map<int, ScopedFont> fonts_;  // freed when the dialog has closed
};

}  // namespace rw
