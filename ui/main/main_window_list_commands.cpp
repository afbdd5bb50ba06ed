// Commands that change only the list: sorting, checking every row, the views.
#include "ui/main/main_window.h"

namespace rw {

void MainWindow::SortAscendingAndMark() {
  Sort(true);
  MarkSort(true);
}

void MainWindow::SortDescendingAndMark() {
  Sort(false);
  MarkSort(false);
}

void MainWindow::SortAscending() { Sort(true); }
void MainWindow::SortDescending() { Sort(false); }
void MainWindow::CheckAll() { SetAllChecked(true); }
void MainWindow::UncheckAll() { SetAllChecked(false); }

// The list draws once, whole, rather than once a row.
void MainWindow::SetAllChecked(bool checked) {
  const int count = list_.Count();
  list_.SetRedraw(false);
  for (int position = 0; position < count; ++position) list_.SetChecked(position, checked);
  list_.SetRedraw(true);
}

void MainWindow::ViewLargeIcons() { list_.SetView(ListViewMode::kLargeIcons); }
void MainWindow::ViewSmallIcons() { list_.SetView(ListViewMode::kSmallIcons); }
void MainWindow::ViewList() { list_.SetView(ListViewMode::kList); }
void MainWindow::ViewDetails() { list_.SetView(ListViewMode::kDetails); }

}  // namespace rw
