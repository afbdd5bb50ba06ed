#!/usr/bin/env bash
# The list's check boxes with the real program, as Windows 95 sees it: the
# mouse on a box and the space bar toggle it, Check All and Uncheck All,
# marks that survive both sort orders and all four views, and a delete that
# removes exactly the checked entries.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
source "$(dirname "$0")/lib.sh"
title="Windows Runwarden"

e2e_fresh_prefix check-boxes
rw_wine "$RW_WINE_TOOLS/seed_demo_prefix.exe" >/dev/null </dev/null
rw_set_app_version win95

rows() { rw_probe rows "$title"; }
names() { rows | cut -f3; }
checked_rows() { rows | awk -F'\t' '$2 == 1 {print $3}'; }
row_of() { names | grep -n -x -F "$1" | cut -d: -f1 | head -1 | awk '{print $1 - 1}'; }
point_of() { rw_probe "$1" "$title" "$(row_of "$2")"; }  # point_of checkbox|label NAME
click_at() { local x y; read -r x y <<<"$1"; xdotool mousemove "$x" "$y" click 1; }
keys() { xdotool mousemove 512 740; local key; for key in "$@"; do xdotool key "$key"; done; }
# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}
checked_are() { [ "$(checked_rows)" == "$1" ]; }
first_name_is() { [ "$(names | head -1)" == "$1" ]; }
lines() { printf '%s\n' "$@"; }

rw_start_program "$RW_WINE_PROGRAM"
rw_wait_for_rows "$title" 30
all=$(names)
expect_eq "nine rows, none checked" "9 0" "$(wc -l <<<"$all") $(checked_rows | grep -c .)"

# The mouse on a box: on, off, on again.
click_at "$(point_of checkbox SystemTray)"
wait_for 10 checked_are SystemTray
expect_eq "a click on SystemTray's box checks it" "SystemTray" "$(checked_rows)"
click_at "$(point_of checkbox SystemTray)"
wait_for 10 checked_are ""
expect_eq "a second click clears it" "" "$(checked_rows)"
click_at "$(point_of checkbox SystemTray)"

# A click on a name selects the row and leaves its box alone.
click_at "$(point_of label WeatherBug)"
wait_for 10 test "$(rows | awk -F'\t' '$1 == 1 {print $3}')" == WeatherBug
expect_eq "a click on WeatherBug's name selects it without checking it" \
  "1 0" "$(rows | awk -F'\t' '$3 == "WeatherBug" {print $1, $2}')"

# The space bar on the selected row: on, off, on again.
keys space
wait_for 10 checked_are "$(lines SystemTray WeatherBug)"
expect_eq "the space bar checks the selected row" "$(lines SystemTray WeatherBug)" "$(checked_rows)"
keys space
wait_for 10 checked_are SystemTray
expect_eq "the space bar again clears it" "SystemTray" "$(checked_rows)"
keys space
click_at "$(point_of checkbox "Office Startup.lnk")"
marked=$(lines "Office Startup.lnk" SystemTray WeatherBug)
wait_for 10 checked_are "$marked"
expect_eq "three rows checked by mouse and keys" "$marked" "$(checked_rows)"

# Both sort orders keep the marks with their rows.
keys alt+v d
wait_for 10 first_name_is WeatherBug
expect_eq "sorted descending, the marks moved with their rows" \
  "$(sort -r <<<"$marked")" "$(checked_rows)"
keys alt+v a
wait_for 10 first_name_is desktop.ini
expect_eq "sorted ascending again, the same rows checked" "$marked" "$(checked_rows)"

# The four views from the toolbar, details last.
for view in "5 small icons" "6 large icons" "7 list" "8 details"; do
  read -r button label <<<"$view"
  click_at "$(rw_probe button "$title" "$button")"
  wait_for 10 rw_probe rows "$title" >/dev/null
  expect_eq "in the $label view the same rows are checked" "$marked" "$(checked_rows)"
  [ "$button" = 6 ] && rw_screenshot "$E2E_SHOTS/check-boxes-large-icons.png"
done

# Check All and Uncheck All, then the three marks again.
keys alt+o c
wait_for 10 checked_are "$all"
expect_eq "Check All checks every row" "$all" "$(checked_rows)"
keys alt+o u
wait_for 10 checked_are ""
expect_eq "Uncheck All clears every row" "" "$(checked_rows)"
for name in "Office Startup.lnk" SystemTray WeatherBug; do click_at "$(point_of checkbox "$name")"; done
wait_for 10 checked_are "$marked"
rw_screenshot "$E2E_SHOTS/check-boxes-checked.png"

# Delete: exactly the checked entries go, from the registry and the folder.
keys alt+o d
expect_true "the delete question is asked" e2e_wait_dialog "$title"
keys Return
wait_for 20 test "$(names | wc -l)" -eq 6
expect_eq "the list lost exactly the checked rows" "$(grep -v -x -F "$marked" <<<"$all")" "$(names)"
keys F5
wait_for 20 test "$(names | wc -l)" -eq 6
expect_eq "a fresh read of the registry and the folder finds the rest only" \
  "$(grep -v -x -F "$marked" <<<"$all")" "$(names)"
expect_false() { ! "$@"; }
startup_unix="$WINEPREFIX/drive_c/windows/start menu/programs/startup"
expect_true "the shortcut's file is gone" expect_false test -e "$startup_unix/Office Startup.lnk"

rw_probe close "$title" >/dev/null
e2e_wait_gone 15
e2e_stop_prefix
e2e_summary
