#pragma once
#include "platform/platform.h"
#include "ui/dialogs/dialog_window_win32.h"

namespace rw {

// The About dialog: title, version, the readme beside the program, and the
// System Information button.
class FrmAbout : public DialogWindow {
 public:
  explicit FrmAbout(const Platform& platform)
      : DialogWindow("RunwardenAbout", 7800, 5610), platform_(platform) {}

 protected:
  void OnLoad() override;
  void OnCommand(int id) override;
  void OnPaint(HDC dc) override;

 private:
  void AddReadmeBox();
  Platform platform_;
};

}  // namespace rw
