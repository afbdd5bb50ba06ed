#pragma once
#include "platform/platform.h"
#include "platform/win32/win32_message_boxes.h"
#include "ui/dialogs/dialog_window_win32.h"

namespace rw {

// The About dialog: title, version, the readme beside the program, and the
// System Information button.
class AboutDialog : public DialogWindow {
 public:
  explicit AboutDialog(const Platform& platform)
      : DialogWindow("RunwardenAbout", 7800, 5610, DialogFrame::kFixedDialog),
        boxes_(handleSlot()),
        platform_(WithMessages(platform, boxes_)) {}

 protected:
  void OnCreate() override;
  void OnCommand(int id) override;
  void OnPaint(HDC dc) override;

 private:
  void AddReadmeBox();
  Win32MessageBoxes boxes_;  // System Information's message belongs to this dialog
  Platform platform_;
};

}  // namespace rw
