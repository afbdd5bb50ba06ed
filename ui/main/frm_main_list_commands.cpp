// Commands that change only the list: sorting, checking every row, the view
// modes, and the toolbar's dispatch to them and to the delete command.
#include "res/resource.h"
#include "ui/main/frm_main.h"

namespace rw {

void FrmMain::SortFromMenu(bool ascending) {
  list_.SortByName(ascending);
  view_.SetMenuChecked(IDM_VIEW_ASCENDING, ascending);
  view_.SetMenuChecked(IDM_VIEW_DESCENDING, !ascending);
}

void FrmMain::mnuViewAscending_Click() { SortFromMenu(true); }
void FrmMain::mnuViewDescending_Click() { SortFromMenu(false); }
void FrmMain::mnuViewCheckAll_Click() { SetAllChecked(true); }
void FrmMain::mnuViewUncheckAll_Click() { SetAllChecked(false); }

void FrmMain::SetAllChecked(bool checked) {
  const int count = list_.Count();
  for (int position = 0; position < count; ++position) list_.SetChecked(position, checked);
}

void FrmMain::Toolbar1_ButtonClick(const std::string& key) {
  // The toolbar sorts without touching the menu's check marks.
  if (key == "Delete") {
    DeleteCheckedItems();
  } else if (key == "Sort Ascending") {
    list_.SortByName(true);
  } else if (key == "Sort Descending") {
    list_.SortByName(false);
  } else if (key == "View Small Icons") {
    list_.SetView(ListViewMode::kSmallIcons);
  } else if (key == "View Large Icons") {
    list_.SetView(ListViewMode::kLargeIcons);
  } else if (key == "View List") {
    list_.SetView(ListViewMode::kList);
  } else if (key == "View Details") {
    list_.SetView(ListViewMode::kDetails);
  }
}

}  // namespace rw
