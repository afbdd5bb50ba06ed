#!/usr/bin/env bash
# Deleting with the real program under Wine: rows checked with the mouse and
# the space bar, the command chosen from the menu and from the toolbar, the
# question answered with the keyboard; then the registry and the Startup
# folder compared with what they held before.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
source "$(dirname "$0")/lib.sh"
title="Windows Runwarden"
work=$E2E_WORK/delete
run_key='Software\Microsoft\Windows\CurrentVersion\Run'

e2e_fresh_prefix delete
rw_wine "$RW_WINE_TOOLS/seed_demo_prefix.exe" >/dev/null </dev/null
rw_set_app_version win98
startup_unix="$WINEPREFIX/drive_c/windows/start menu/programs/startup"
startup='c:\windows\start menu\programs\startup\'
cp "$startup_unix/Office Startup.lnk" "$startup_unix/ReadOnly Tool.lnk"
cp "$startup_unix/Office Startup.lnk" "$startup_unix/Vanishing.lnk"
rw_wine cmd /c attrib +r "${startup}ReadOnly Tool.lnk" >/dev/null 2>&1 </dev/null
rw_wine reg add "HKLM\\$run_key" /v Twin /d 'machine twin.exe' /f >/dev/null 2>&1 </dev/null
rw_wine reg add "HKCU\\$run_key" /v Twin /d 'user twin.exe' /f >/dev/null 2>&1 </dev/null

# snapshot NAME: both Run keys as exported, and the Startup folder's files with their contents.
snapshot() {
  local hive
  for hive in HKLM HKCU; do
    rw_wine reg export "$hive\\$run_key" "$(rw_wine winepath -w "$work/$1-$hive.reg" 2>/dev/null </dev/null)" /y \
      >/dev/null 2>&1 </dev/null
    # One line a value: continuation lines of hex data joined to their value.
    iconv -f UTF-16LE -t UTF-8 "$work/$1-$hive.reg" | tr -d '\r' | grep -v '^$' \
      | sed -e ':a' -e '/\\$/N; s/\\\n *//; ta' >"$work/$1-$hive.txt"
  done
  (cd "$startup_unix" && find . -type f -print0 | sort -z | xargs -0 md5sum) >"$work/$1-startup.txt"
}
without() {  # without FILE PATTERN...: the file's lines but those matching a pattern
  local file=$1; shift
  local args=() pattern
  for pattern in "$@"; do args+=(-e "$pattern"); done
  grep -v -F "${args[@]}" "$file"
}
row_of() { rw_probe rows "$title" | cut -f3 | grep -n -x -F "$1" | cut -d: -f1 | head -1 | awk '{print $1 - 1}'; }
click_checkbox() { local x y; read -r x y <<<"$(rw_probe checkbox "$title" "$(row_of "$1")")"; xdotool mousemove "$x" "$y" click 1; sleep 0.3; }
space_check() { local x y; read -r x y <<<"$(rw_probe label "$title" "$(row_of "$1")")"; xdotool mousemove "$x" "$y" click 1; sleep 0.3; xdotool key space; sleep 0.3; }
checked_rows() { rw_probe rows "$title" | awk -F'\t' '$2 == 1 {print $3}'; }
answer() { xdotool key "$1"; sleep 1; }

snapshot before
rw_start_program "$RW_WINE_PROGRAM"
rw_wait_for_rows "$title" 30

# Round 1: mouse and space bar, then Options > Delete All Checked Items.
click_checkbox "SystemTray"
click_checkbox "Twin"              # the first Twin row: HKLM, listed before HKCU's
click_checkbox "ReadOnly Tool.lnk"
click_checkbox "desktop.ini"
space_check "WeatherBug"
expect_eq "the mouse and the space bar checked five rows" \
  "$(printf '%s\n' desktop.ini 'ReadOnly Tool.lnk' SystemTray Twin WeatherBug)" "$(checked_rows)"
xdotool key alt+o d
expect_true "the question is asked" e2e_wait_dialog "$title"
question=$(rw_probe dialog "$title")
expect_true "it asks the program's question" grep -q -F \
  "Are you sure you want to delete the select item(s) from 'Startup' folder and/or Registry?" <<<"$question"
expect_eq "the question belongs to the main window" "RunwardenMain" "$(rw_probe owner "$title" | cut -f1)"
answer Return
snapshot after
expect_eq "HKLM: SystemTray and Twin gone, the rest unchanged" \
  "$(without "$work/before-HKLM.txt" '"SystemTray"=' '"Twin"=')" "$(cat "$work/after-HKLM.txt")"
expect_eq "HKCU: WeatherBug gone, its Twin and the rest unchanged" \
  "$(without "$work/before-HKCU.txt" '"WeatherBug"=')" "$(cat "$work/after-HKCU.txt")"
expect_eq "Startup folder: the read-only shortcut gone, every other file byte for byte the same" \
  "$(without "$work/before-startup.txt" './ReadOnly Tool.lnk')" "$(cat "$work/after-startup.txt")"
expect_eq "the list lost exactly the deleted rows; desktop.ini is still checked" "desktop.ini" "$(checked_rows)"
no_dialog() { ! rw_probe dialog "$title" >/dev/null; }
expect_true "no report after a delete that succeeded" no_dialog
sleep 0.5
rw_screenshot "$E2E_SHOTS/delete-after-menu.png"

# Round 2: a shortcut removed from outside, deleted from the toolbar.
click_checkbox "desktop.ini"       # uncheck it again
click_checkbox "Vanishing.lnk"
click_checkbox "LoadPowerProfile"
snapshot before2
rm -f "$startup_unix/Vanishing.lnk"
read -r x y <<<"$(rw_probe button "$title" 0)"
xdotool mousemove "$x" "$y" click 1
expect_true "the toolbar's Delete asks too" e2e_wait_dialog "$title"
answer Return
expect_true "a report follows" e2e_wait_dialog "$title"
report=$(rw_probe dialog "$title")
not_found=$(rw_probe error 2)  # ERROR_FILE_NOT_FOUND in this system's words
expect_true "the system has words for a missing file ($not_found)" test -n "$not_found"
expect_true "the report names the shortcut that could not be deleted, and why in the system's words" \
  grep -q -F "Vanishing.lnk (${startup}Vanishing.lnk): $not_found" <<<"$report"
expect_true "the report keeps its first line" grep -q -F \
  "These items could not be deleted. They are still in the list, still checked:" <<<"$report"
expect_eq "the report belongs to the main window" "RunwardenMain" "$(rw_probe owner "$title" | cut -f1)"
sleep 1
rw_screenshot "$E2E_SHOTS/delete-report.png"
answer Return
snapshot after2
expect_eq "HKLM: LoadPowerProfile gone" "$(without "$work/before2-HKLM.txt" '"LoadPowerProfile"=')" "$(cat "$work/after2-HKLM.txt")"
expect_eq "HKCU unchanged" "$(cat "$work/before2-HKCU.txt")" "$(cat "$work/after2-HKCU.txt")"
expect_eq "Vanishing.lnk stays listed and checked" "Vanishing.lnk" "$(checked_rows)"

rw_probe close "$title" >/dev/null
e2e_wait_gone 15
e2e_stop_prefix
e2e_summary
