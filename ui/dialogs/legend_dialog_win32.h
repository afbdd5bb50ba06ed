#pragma once
#include "ui/dialogs/dialog_window_win32.h"

namespace rw {

// The Information Legend: what the Information column's values mean.
class LegendDialog : public DialogWindow {
 public:
  LegendDialog() : DialogWindow("RunwardenLegend", 8085, 3600, DialogFrame::kFixedSingle) {}

 protected:
  void OnCreate() override;
};

}  // namespace rw
