#!/usr/bin/env bash
# Deleting with the real program under Wine: rows checked with the mouse and
# the space bar, the command chosen from the menu and from the toolbar, the
# question answered with the keyboard; then the registry and the Startup
# folder compared with what they held before. The Startup folders are where a
# German Windows in C:\WIN95 (and an NT in C:\WINNT40) keeps them, moved there
# through the shell's own settings.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin delete --autostart
title="Windows Runwarden"
work=$E2E_WORK/delete
run_key='Software\Microsoft\Windows\CurrentVersion\Run'

rw_set_app_version win95
startup_unix="$WINEPREFIX/drive_c/WIN95/Startmenü/Programme/Autostart"
startup='C:\WIN95\Startmenü\Programme\Autostart\'
common_unix="$WINEPREFIX/drive_c/WINNT40/Profiles/All Users/Startmenü/Programme/Autostart"
cp "$startup_unix/Office Startup.lnk" "$startup_unix/ReadOnly Tool.lnk"
cp "$startup_unix/Office Startup.lnk" "$startup_unix/Vanishing.lnk"
rw_wine cmd /c attrib +r "${startup}ReadOnly Tool.lnk" >/dev/null 2>&1 </dev/null
no_write_bits() { [ -z "$(find "$1" -perm /222)" ]; }  # root may write anything: look at the bits
expect_true "the read-only shortcut is read-only" no_write_bits "$startup_unix/ReadOnly Tool.lnk"
rw_wine reg add "HKLM\\$run_key" /v Twin /d 'machine twin.exe' /f >/dev/null 2>&1 </dev/null
rw_wine reg add "HKCU\\$run_key" /v Twin /d 'user twin.exe' /f >/dev/null 2>&1 </dev/null

# snapshot NAME: both Run keys as exported, and the Startup folder's files with their contents.
snapshot() {
  local hive
  for hive in HKLM HKCU; do
    rw_wine reg export "$hive\\$run_key" "$(rw_wine winepath -w "$work/$1-$hive.reg" 2>/dev/null </dev/null)" /y \
      >/dev/null 2>&1 </dev/null
    # One line a value: continuation lines of hex data joined to their value;
    # sorted, since a value put back comes last in its key.
    iconv -f UTF-16LE -t UTF-8 "$work/$1-$hive.reg" | tr -d '\r' | grep -v '^$' \
      | sed -e ':a' -e '/\\$/N; s/\\\n *//; ta' | sort >"$work/$1-$hive.txt"
  done
  # Each file's bytes, last-write time (to Windows' 100 ns) and Unix mode
  # (read-only shows as the write bits).
  (cd "$startup_unix" && find . -type f -printf '%p %T@ %m\n' | sort | while read -r line; do
    file=${line% * *}
    printf '%s %s\n' "$(md5sum <"$file" | cut -d' ' -f1)" "$line"
  done | sed 's/\(\.[0-9]\{7\}\)[0-9]* /\1 /') >"$work/$1-startup.txt"
}
without() {  # without FILE PATTERN...: the file's lines but those matching a pattern
  local file=$1; shift
  local args=() pattern
  for pattern in "$@"; do args+=(-e "$pattern"); done
  grep -v -F "${args[@]}" "$file"
}
row_of() { e2e_row_of "$title" "$1"; }
row_field() { rw_probe rows "$title" | awk -F'\t' -v row="$(($1 + 1))" -v field="$2" 'NR == row {print $field}'; }
check_mark_is() { [ "$(row_field "$1" 2)" == "$2" ]; }
selected_is() { [ "$(row_field "$1" 1)" == "$2" ]; }
# click_checkbox NAME: clicks the first row of that name's check box and waits for the mark to flip.
click_checkbox() {
  local row x y was
  row=$(row_of "$1")
  was=$(row_field "$row" 2)
  read -r x y <<<"$(rw_probe checkbox "$title" "$row")"
  xdotool mousemove "$x" "$y" click 1
  e2e_wait_for "the check box of $1 to flip" 30 check_mark_is "$row" "$((1 - was))"
}
# space_check NAME: selects the row with a click on its name, then checks it with the space bar.
space_check() {
  local row x y
  row=$(row_of "$1")
  read -r x y <<<"$(rw_probe label "$title" "$row")"
  xdotool mousemove "$x" "$y" click 1
  e2e_wait_for "$1 to be selected" 30 selected_is "$row" 1
  xdotool key space
  e2e_wait_for "$1 to be checked" 30 check_mark_is "$row" 1
}
checked_rows() { e2e_checked_rows "$title"; }
row_listed() { rw_probe rows "$title" | cut -f3 | grep -q -x -F "$1"; }
# The program's texts are in the ANSI code page (cp1252 here), the script's in UTF-8.
dialog_says() { grep -q -F "$1" <<<"$(rw_probe dialog "$title")"; }
dialog_gone() { ! dialog_says "$1"; }
# box_owner TEXT: the class of the owner of the box that says TEXT, once that box is up.
box_owner() { dialog_says "$1" && rw_probe owner "$title" | cut -f1; }
# answer KEY TEXT: answers the box that says TEXT and waits for it to close;
# another box of the same title may follow at once.
answer() { xdotool key "$1"; e2e_wait_for "the box saying '$2' to close" 30 dialog_gone "$2"; }
question="Are you sure you want to delete the select item(s) from 'Startup' folder and/or Registry?"
# The main window takes the keyboard again only once the command has ended:
# a report would hold it. View > Status Bar, twice, shows that it does.
status_bar_is() { [ "$(rw_probe layout "$title" | sed -n 4p)" $1 hidden ]; }
expect_main_window_takes_keys() {  # expect_main_window_takes_keys DESCRIPTION
  xdotool key alt+v s
  expect_eventually "$1: View > Status Bar hides the status bar" 30 status_bar_is == || return 1
  xdotool key alt+v s
  expect_eventually "$1: and shows it again" 30 status_bar_is !=
}
# checked_or_named NAME...: the rows that are checked or have one of these names.
checked_or_named() {
  local rows
  rows=$(rw_probe rows "$title") || { echo "(no list)"; return 1; }
  awk -F'\t' -v names="$(printf '%s\n' "$@")" '
    BEGIN { n = split(names, list, "\n"); for (i = 1; i <= n; i++) named[list[i]] = 1 }
    $2 == 1 || $3 in named {print $3}' <<<"$rows"
}

snapshot before
rw_start_program "$RW_WINE_PROGRAM"
e2e_wait_rows "$title"

# Round 1: mouse and space bar, then Options > Delete All Checked Items.
click_checkbox "SystemTray"
click_checkbox "Twin"              # the first Twin row: HKLM, listed before HKCU's
click_checkbox "ReadOnly Tool.lnk"
click_checkbox "desktop.ini"
expect_eq "clicks on boxes leave the selection on the first row" 0 \
  "$(rw_probe rows "$title" | awk -F'\t' '$1 == 1 {print NR - 1}')"
space_check "WeatherBug"
expect_eq "the mouse and the space bar checked five rows" \
  "$(printf '%s\n' desktop.ini 'ReadOnly Tool.lnk' SystemTray Twin WeatherBug)" "$(checked_rows)"
xdotool key alt+o d
expect_eventually "the question is asked" 30 e2e_dialog_open "$title"
expect_true "it asks the program's question" dialog_says "$question"
expect_eventually_eq "the question belongs to the main window" 30 RunwardenMain box_owner "$question"
answer Return "$question"
# The rows leave the list one by one, each once its entry is gone.
expect_eventually_eq "the list loses exactly the deleted rows; desktop.ini stays checked" 30 \
  "desktop.ini" checked_rows
snapshot after
expect_eq "HKLM: SystemTray and Twin gone, the rest unchanged" \
  "$(without "$work/before-HKLM.txt" '"SystemTray"=' '"Twin"=')" "$(cat "$work/after-HKLM.txt")"
expect_eq "HKCU: WeatherBug gone, its Twin and the rest unchanged" \
  "$(without "$work/before-HKCU.txt" '"WeatherBug"=')" "$(cat "$work/after-HKCU.txt")"
expect_eq "Startup folder: the read-only shortcut gone, every other file byte for byte the same" \
  "$(without "$work/before-startup.txt" './ReadOnly Tool.lnk')" "$(cat "$work/after-startup.txt")"
expect_main_window_takes_keys "the delete ended without a report: the main window takes keys again"
expect_true "no report after a delete that succeeded" e2e_dialog_closed "$title"
e2e_screenshot "$E2E_SHOTS/delete-after-menu.png"

# Round 2: a shortcut removed from outside, deleted from the toolbar.
click_checkbox "desktop.ini"       # uncheck it again
click_checkbox "Vanishing.lnk"
click_checkbox "LoadPowerProfile"
snapshot before2
rm -f "$startup_unix/Vanishing.lnk"
read -r x y <<<"$(rw_probe button "$title" 0)"
xdotool mousemove "$x" "$y" click 1
expect_eventually "the toolbar's Delete asks too" 30 e2e_dialog_open "$title"
expect_true "with the same question" dialog_says "$question"
answer Return "$question"
not_found=$(rw_probe error 2)  # ERROR_FILE_NOT_FOUND in this system's words
expect_true "the system has words for a missing file ($not_found)" test -n "$not_found"
expect_eventually "a report follows, naming the shortcut that could not be deleted, and why in the system's words" 30 \
  dialog_says "Vanishing.lnk (${startup}Vanishing.lnk): $not_found"
report="These items could not be deleted. They are still in the list, still checked:"
expect_true "the report keeps its first line" dialog_says "$report"
expect_eventually_eq "the report belongs to the main window" 30 RunwardenMain box_owner "$report"
e2e_screenshot "$E2E_SHOTS/delete-report.png"
answer Return "Vanishing.lnk (${startup}Vanishing.lnk)"
snapshot after2
expect_eq "HKLM: LoadPowerProfile gone" "$(without "$work/before2-HKLM.txt" '"LoadPowerProfile"=')" "$(cat "$work/after2-HKLM.txt")"
expect_eq "HKCU unchanged" "$(cat "$work/before2-HKCU.txt")" "$(cat "$work/after2-HKCU.txt")"
expect_eq "Vanishing.lnk stays listed and checked" "Vanishing.lnk" "$(checked_rows)"

rw_probe close "$title" >/dev/null
expect_eventually "the program ends when its window closes" 30 e2e_program_gone

# Round 3, as Windows NT 4.0: the all-users folder is listed before the
# user's own, and a delete reaches both.
e2e_stop_prefix
rw_set_app_version nt40
rw_start_program "$RW_WINE_PROGRAM"
e2e_wait_rows "$title"
location_of() { rw_probe rows "$title" | awk -F'\t' -v name="$1" '$3 == name {print $4}'; }
expect_eq "NT: the all-users folder's shortcut, where the shell keeps it" \
  'C:\WINNT40\Profiles\All Users\Startmenü\Programme\Autostart\Virus Scan.lnk' "$(location_of "Virus Scan.lnk")"
expect_eq "NT: the user's own shortcut, where the shell keeps it" "${startup}Office Startup.lnk" \
  "$(location_of "Office Startup.lnk")"
click_checkbox "Virus Scan.lnk"
click_checkbox "Office Startup.lnk"
xdotool key alt+o d
expect_eventually "NT: the question is asked" 30 e2e_dialog_open "$title"
answer Return "$question"
expect_eventually_eq "NT: both rows leave the list, and no row stays checked" 30 "" \
  checked_or_named "Virus Scan.lnk" "Office Startup.lnk"
expect_true "NT: the all-users shortcut is gone" expect_false test -e "$common_unix/Virus Scan.lnk"
expect_true "NT: the user's shortcut is gone" expect_false test -e "$startup_unix/Office Startup.lnk"
expect_true "NT: the rest of the folder stays" test -e "$startup_unix/desktop.ini"
rw_probe close "$title" >/dev/null
expect_eventually "the program ends when its window closes" 30 e2e_program_gone
e2e_stop_prefix

# delete_checked WHAT: Options > Delete All Checked Items, and Yes.
delete_checked() {
  xdotool key alt+o d
  expect_eventually "$1: the question is asked" 30 e2e_dialog_open "$title"
  answer Return "$question"
}

# Round 4, as NT and as Windows 98: entries beside their best-fit ANSI twins,
# a text file named like a shortcut in full-width letters, and the user's
# Startup folder "startup Ω" beside a real "startup O". Every row shows its
# entry as itself, and a delete reaches the checked ones only.
startup_unix="$WINEPREFIX/drive_c/users/Public/startup Ω"
omega='C:\users\Public\startup Ω\'
tab=$'\t'
lookalikes=("??" "evil.ｌｎｋ" "Omega.lnk" "Tool O" "Tool Ω" "Ωmega.lnk" "工具" "Twin.lnk")
# rows_named NAME...: the texts of the rows of those names, sorted.
rows_named() {
  rw_probe rows "$title" | cut -f3- | awk -F'\t' -v names="$(printf '%s\n' "$@")" '
    BEGIN { n = split(names, list, "\n"); for (i = 1; i <= n; i++) wanted[list[i]] = 1 }
    $1 in wanted' | sort
}
shown=$(printf '%s\n' "??${tab}c:\\tools\\question.exe${tab}Reg - HKCU" \
  "evil.ｌｎｋ${tab}${omega}evil.ｌｎｋ${tab}ｌｎｋ File" "Omega.lnk${tab}${omega}Omega.lnk${tab}Shortcut" \
  "Tool O${tab}c:\\plain\\tool.exe${tab}Reg - HKCU" "Tool Ω${tab}c:\\ωmega\\tool.exe${tab}Reg - HKCU" \
  "Ωmega.lnk${tab}${omega}Ωmega.lnk${tab}Shortcut" "工具${tab}c:\\tools\\cjk.exe${tab}Reg - HKCU" | sort)
expect_true "the list's font draws these names' letters, none as the box of a missing one" \
  rw_probe glyphs "$(printf '%s' "${lookalikes[@]}")"
for version in nt40 win98; do
  rw_wine "$RW_WINE_TOOLS/seed_demo_prefix.exe" --lookalikes >/dev/null </dev/null
  rw_set_app_version "$version"
  snapshot before4
  rw_start_program "$RW_WINE_PROGRAM"
  e2e_wait_rows "$title"
  expect_eq "$version: twins and look-alikes show as themselves, from the folder itself, not its best-fit twin" \
    "$shown" "$(rows_named "${lookalikes[@]}")"
  for name in "Tool Ω" "工具" "evil.ｌｎｋ"; do click_checkbox "$name"; done
  [ "$version" = win98 ] && delete_checked "$version: the first delete"  # two deletes to walk back
  click_checkbox "Ωmega.lnk"
  delete_checked "$version"
  expect_eventually_eq "$version: the deleted rows leave the list; the look-alike stays checked" 30 \
    "evil.ｌｎｋ" checked_rows
  snapshot after4
  expect_eq "$version: HKCU lost Tool Ω and 工具; their twins Tool O and ?? stay" \
    "$(without "$work/before4-HKCU.txt" '"Tool Ω"=' '"工具"=')" "$(cat "$work/after4-HKCU.txt")"
  expect_eq "$version: the folder lost Ωmega.lnk only; Omega.lnk and the look-alike stay" \
    "$(without "$work/before4-startup.txt" './Ωmega.lnk')" "$(cat "$work/after4-startup.txt")"
  expect_true "$version: the best-fit twin folder is untouched" \
    test -e "$WINEPREFIX/drive_c/users/Public/startup O/Twin.lnk"
  expect_true "$version: no report: the look-alike is no shortcut, and the rest went" e2e_dialog_closed "$title"
  # Undo puts back what the deletes took away, exactly; as NT a file made
  # meanwhile under the shortcut's name is left as it is, and named.
  if [ "$version" = nt40 ]; then
    printf 'made meanwhile' >"$startup_unix/Ωmega.lnk"
    snapshot remade
    xdotool key ctrl+z
    expect_eventually "$version: Ctrl+Z names the file that is there again" 30 dialog_says "Ωmega.lnk (${omega}Ωmega.lnk)"
    answer Return "Ωmega.lnk (${omega}Ωmega.lnk)"
    expect_eq "$version: the file made meanwhile is untouched" "$(grep 'Ωmega' "$work/remade-startup.txt")" \
      "$(cd "$startup_unix" && printf '%s %s\n' "$(md5sum <Ωmega.lnk | cut -d' ' -f1)" "$(find ./Ωmega.lnk -printf '%p %T@ %m')" \
        | sed 's/\(\.[0-9]\{7\}\)[0-9]* /\1 /')"
  else
    xdotool key alt+o n  # Options > Undo Delete: the second delete, then the first
    expect_eventually "$version: the menu's Undo puts the shortcut back" 30 test -e "$startup_unix/Ωmega.lnk"
    expect_eventually "$version: the list loads again with it" 30 row_listed "Ωmega.lnk"
    xdotool key alt+o n
  fi
  expect_eventually "$version: the values are back" 30 row_listed "工具"
  snapshot undone
  expect_eq "$version: HKCU as before, type for type and byte for byte" "$(cat "$work/before4-HKCU.txt")" \
    "$(cat "$work/undone-HKCU.txt")"
  # As NT the shortcut's place was taken meanwhile: the rest of the folder is compared.
  expect_eq "$version: the folder as before, byte for byte and time for time" \
    "$(without "$work/before4-startup.txt" "$([ $version = nt40 ] && echo './Ωmega.lnk' || echo '//')")" \
    "$(without "$work/undone-startup.txt" "$([ $version = nt40 ] && echo './Ωmega.lnk' || echo '//')")"
  xdotool key ctrl+z  # nothing is left to put back: nothing happens
  expect_main_window_takes_keys "$version: an Undo with nothing to put back"
  expect_true "$version: and says nothing" e2e_dialog_closed "$title"
  [ "$version" = win98 ] && e2e_screenshot "$E2E_SHOTS/delete-lookalikes.png"
  rw_probe close "$title" >/dev/null
  expect_eventually "$version: the program ends when its window closes" 30 e2e_program_gone
  e2e_stop_prefix
done
e2e_summary
