#include "ui/dialogs/legend_dialog_win32.h"

#include "res/resource.h"
#include "ui/dialogs/legend_texts.h"

namespace rw {

void LegendDialog::OnCreate() {
  SetWindowTextA(handle(), "Information Legend");
  // Created in their tab order.
  AddLabel(IDC_LBL_INFO, 240, 240, 7575, 495, {"Times New Roman", 1125, FW_BOLD, false, true},
           kButtonTextColour);
  AddButton(IDOK, "OK", 6600, 3000, 1260, 345, true);
  AddLabel(IDC_LBL_SHORTCUT, 360, 720, 7455, 2415, {"Times New Roman", 975, FW_BOLD, true, false},
           RGB(0, 0, 128));
  SetText(IDC_LBL_INFO, LegendHeading());
  SetText(IDC_LBL_SHORTCUT, LegendText());
}

}  // namespace rw
