#!/usr/bin/env bash
# The list's check boxes with the real program, as Windows 95 sees it: the
# mouse on a box toggles it
# and leaves selection and focus alone, the space bar toggles the focused row,
# a click anywhere in a row selects it, Check All and Uncheck All, marks that
# survive both sort orders and all four views, and a delete that removes
# exactly the checked entries.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin check-boxes
title="Windows Runwarden"

rw_set_app_version win95

rows() { rw_probe rows "$title"; }
names() { rows | cut -f3; }
checked_rows() { e2e_checked_rows "$title"; }
row_of() { e2e_row_of "$title" "$1"; }
point_of() { rw_probe "$1" "$title" "$(row_of "$2")"; }  # point_of checkbox|label|information NAME
click_at() { local x y; read -r x y <<<"$1"; xdotool mousemove "$x" "$y" click 1; }
keys() { xdotool mousemove 512 740; local key; for key in "$@"; do xdotool key "$key"; done; }
checked_are() { [ "$(checked_rows)" == "$1" ]; }
first_name_is() { [ "$(names | head -1)" == "$1" ]; }
selected() { rows | awk -F'\t' '$1 == 1 {print $3}'; }
selected_is() { [ "$(selected)" == "$1" ]; }
row_count_is() { [ "$(names | grep -c .)" -eq "$1" ]; }
# until_checked ROWS: waits for exactly these rows to be checked.
until_checked() { e2e_wait_for "checked rows: ${1//$'\n'/, }" 30 checked_are "$1"; }
lines() { printf '%s\n' "$@"; }
checked_and_selected() { echo "$(checked_rows) $(selected)"; }
marks_of() { rows | awk -F'\t' -v name="$1" '$3 == name {print $1, $2}'; }  # selected, checked

rw_start_program "$RW_WINE_PROGRAM"
e2e_wait_rows "$title"
all=$(names)
expect_eq "nine rows, none checked" "9 0" "$(wc -l <<<"$all") $(checked_rows | grep -c .)"

# The mouse on a box: on, off, on again. The box's row is not selected.
click_at "$(point_of checkbox SystemTray)"
expect_eventually_eq "a click on SystemTray's box checks it and leaves desktop.ini selected" 30 \
  "SystemTray desktop.ini" checked_and_selected
click_at "$(point_of checkbox SystemTray)"
expect_eventually_eq "a second click clears it" 30 "" checked_rows

# A click on a name selects the row and leaves its box alone.
click_at "$(point_of label WeatherBug)"
expect_eventually_eq "a click on WeatherBug's name selects it without checking it" 30 "1 0" marks_of WeatherBug
click_at "$(point_of checkbox SystemTray)"
expect_eventually_eq "the third click on SystemTray's box checks it and leaves WeatherBug selected" 30 \
  "SystemTray WeatherBug" checked_and_selected

# The space bar on the focused row, which the box did not take: on, off, on again.
keys space
expect_eventually_eq "the space bar checks the selected row, still focused" 30 "$(lines SystemTray WeatherBug)" checked_rows
keys space
expect_eventually_eq "the space bar again clears it" 30 SystemTray checked_rows
keys space
click_at "$(point_of checkbox "Office Startup.lnk")"
marked=$(lines "Office Startup.lnk" SystemTray WeatherBug)
expect_eventually_eq "three rows checked by mouse and keys" 30 "$marked" checked_rows

# Both sort orders keep the marks with their rows.
keys alt+v d
e2e_wait_for "the descending sort" 30 first_name_is WeatherBug
expect_eq "sorted descending, the marks moved with their rows" \
  "$(sort -r <<<"$marked")" "$(checked_rows)"
keys alt+v a
e2e_wait_for "the ascending sort" 30 first_name_is desktop.ini
expect_eq "sorted ascending again, the same rows checked" "$marked" "$(checked_rows)"

# The four views from the toolbar, details last.
view_is() { [ "$(rw_probe view "$title")" == "$1" ]; }
for view in "5 smallicon small icons" "6 icon large icons" "7 list list" "8 report details"; do
  read -r button style label <<<"$view"
  click_at "$(rw_probe button "$title" "$button")"
  e2e_wait_for "the $label view" 30 view_is "$style"
  expect_eq "in the $label view the same rows are checked" "$marked" "$(checked_rows)"
  [ "$button" = 6 ] && e2e_screenshot "$E2E_SHOTS/check-boxes-large-icons.png"
done

# Check All and Uncheck All, then the three marks again.
keys alt+o c
expect_eventually_eq "Check All checks every row" 30 "$all" checked_rows
keys alt+o u
expect_eventually_eq "Uncheck All clears every row" 30 "" checked_rows
for name in "Office Startup.lnk" SystemTray WeatherBug; do click_at "$(point_of checkbox "$name")"; done
until_checked "$marked"
rw_screenshot "$E2E_SHOTS/check-boxes-checked.png"

# Delete: exactly the checked entries go, from the registry and the folder.
keys alt+o d
expect_eventually "the delete question is asked" 30 e2e_dialog_open "$title"
keys Return
e2e_wait_for "six rows left" 30 row_count_is 6
expect_eq "the list lost exactly the checked rows" "$(grep -v -x -F "$marked" <<<"$all")" "$(names)"
# A load ends by selecting the first row: select another first, so its
# selection shows that the fresh read has happened. Clicked far right of its
# Name: the whole row selects.
click_at "$(point_of information TaskMonitor)"
expect_eventually_eq "a click in TaskMonitor's Information selects the row" 30 TaskMonitor selected
keys F5
e2e_wait_for "the list read again" 30 selected_is desktop.ini
expect_eq "a fresh read of the registry and the folder finds the rest only" \
  "$(grep -v -x -F "$marked" <<<"$all")" "$(names)"
expect_true "the shortcut's file is gone" expect_false test -e "$(e2e_user_startup_unix)/Office Startup.lnk"

rw_probe close "$title" >/dev/null
e2e_wait_gone 15
e2e_stop_prefix
e2e_summary
