#include "ui/dialogs/legend_dialog_win32.h"

#include "res/resource.h"
#include "ui/dialogs/legend_texts.h"

namespace rw {

void LegendDialog::OnCreate() {
  SetWindowTextA(handle(), "Information Legend");
  // Created in their tab order.
  AddLabel(IDC_LEGEND_HEADING, 240, 240, 7575, 495, {"Times New Roman", 1125, FW_BOLD, false, true},
           kButtonTextColour);
  AddButton(IDOK, "OK", 6600, 3000, 1260, 345, true);
  AddLabel(IDC_LEGEND_TEXT, 360, 720, 7455, 2415, {"Times New Roman", 975, FW_BOLD, true, false},
           RGB(0, 0, 128));
  SetText(IDC_LEGEND_HEADING, LegendHeading());
  SetText(IDC_LEGEND_TEXT, LegendText());
}

}  // namespace rw
