#pragma once
// A fixed, modeless dialog laid out in twips: one instance, no taskbar button,
// Enter and Esc through its OK button, gone when closed and made afresh when
// opened again.
#include <windows.h>

#include <array>
#include <cstddef>
#include <string>

#include "platform/win32/scoped_handles.h"
#include "ui/window/program_window_win32.h"

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

class DialogWindow : public ProgramWindow {
 public:
  DialogWindow(const char* windowClass, int clientWidthTwips, int clientHeightTwips,
               DialogFrame frame)
      : windowClass_(windowClass),
        widthTwips_(clientWidthTwips),
        heightTwips_(clientHeightTwips),
        frame_(frame) {}

  // Creates the dialog (its controls made by OnCreate) or brings the open one to the front.
  void Open(HINSTANCE instance);
  // Keyboard handling of an open dialog: Tab, Enter, Esc, access keys.
  bool HandleDialogKeys(MSG* message);

 protected:
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

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The labels that used the fonts are gone.
  void OnDestroy() override;
  static HWND HiddenOwner(HINSTANCE instance);

  // What the dialog keeps for one control: the font it gave it and, for a
  // label, its colour.
  struct ControlLook {
    int id = 0;
    bool isLabel = false;  // a read-only edit box asks for colours too; it keeps the system's
    COLORREF colour = 0;
    ScopedFont font;  // freed when the dialog has closed
  };
  // The control's look, made when it has none; null when every slot is taken.
  ControlLook* LookOf(int id);
  ControlLook* FindLook(int id);

  const char* windowClass_;
  int widthTwips_;
  int heightTwips_;
  DialogFrame frame_;
  // The About dialog styles three controls, the legend two: a few fixed
  // slots, searched in order, hold them.
  std::array<ControlLook, 4> looks_;
  std::size_t lookCount_ = 0;
};

}  // namespace rw
