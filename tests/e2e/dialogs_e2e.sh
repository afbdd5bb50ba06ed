#!/usr/bin/env bash
# The Help menu's dialogs under Wine with real keys: one instance each, Enter
# and Esc, their texts; the About dialog's readme and System Info button; Exit
# and the close box with a dialog open; and the release archive run from a
# fresh folder.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin dialogs
title="Windows Runwarden"
legend="Information Legend"
about=$(printf 'About Windows\xc2\xa9 Runwarden')  # the probe's argument goes through Wine as UTF-8
work=$E2E_WORK/dialogs

rw_set_app_version win98
drive_c=$WINEPREFIX/drive_c

keys() { xdotool mousemove 900 740; local k; for k in "$@"; do xdotool key "$k"; done; }
count() { rw_probe count "$1"; }
counts() { [ "$(count "$1")" == "$2" ]; }
# expect_count DESCRIPTION TITLE N: passes once N windows are titled TITLE.
expect_count() { expect_eventually_eq "$1" 30 "$3" count "$2"; }
texts() { rw_probe texts "$1"; }
active() { rw_probe foreground "$1" >/dev/null; }
unavailable="System Information Is Unavailable At This Time"
# message_owner: the class of the owner of System Info's message, once the message is up.
message_owner() { grep -q -F "Static	$unavailable" <<<"$(rw_probe dialog "$title")" && rw_probe owner "$title" | cut -f1; }
covered() {  # covered X Y: true when an open dialog lies over that point
  local dialog l t r b
  for dialog in "$about" "$legend"; do
    read -r l t r b <<<"$(rw_probe frame "$dialog")"
    [ -n "$b" ] && [ "$1" -ge "$l" ] && [ "$1" -lt "$r" ] && [ "$2" -ge "$t" ] && [ "$2" -lt "$b" ] && return 0
  done
  return 1
}
focus_main() {  # a click on the main window's status bar, where no dialog covers it, gives it the keyboard
  local left top right bottom x
  read -r left top right bottom <<<"$(rw_probe frame "$title")"
  for x in $((left + 20)) $((right - 30)); do covered "$x" $((bottom - 12)) || break; done
  xdotool mousemove "$x" $((bottom - 12)) click 1
  e2e_wait_for "the main window to become active" 30 active "$title"
}

# open_then_close_main MENU KEY DIALOG: opens the dialog from the Help menu,
# then closes the main window with the mouse on its close box.
open_then_close_main() {
  local left top right bottom
  focus_main
  keys "$1" "$2"
  e2e_wait_for "the dialog '$3'" 30 counts "$3" 1
  read -r left top right bottom <<<"$(rw_probe frame "$title")"
  xdotool mousemove $((right - 12)) $((top + 12)) click 1
  e2e_wait_for "the main window to close" 30 counts "$title" 0
}

rw_start_program "$RW_WINE_PROGRAM"
e2e_wait_rows "$title"

# The legend. A second legend would outlive the Esc below, which closes one.
keys alt+h i
e2e_wait_for "the legend" 30 counts "$legend" 1
keys alt+h i
expect_count "Help > Information Legend twice gives one legend" "$legend" 1
legend_texts=$(texts "$legend")
expect_eq "the legend's heading" \
  "The 'Information' column of the grid shows where the item is loading from:" \
  "$(grep -m1 '^Static' <<<"$legend_texts" | cut -f2)"
expect_eq "the legend's three paragraphs" \
  "1. 'Shortcut' - Refers to an item loading from the Windows Startup folder||2. 'Reg - HKCU' - Refers to an item loading from the 'HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' section of the registry||3. 'Reg - HKLM' - Refers to an item loading from the 'HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' section of the registry" \
  "$(grep '^Static' <<<"$legend_texts" | sed -n 2p | cut -f2)"
fixed="owner=hidden sizable=0 minimize=0 maximize=0"  # a hidden owner: no taskbar button
expect_eq "the legend is fixed, with a single-line border and no taskbar button" \
  "$fixed border=single" "$(rw_probe style "$legend")"
expect_eq "the legend's client area is 8085 x 3600 twips" "539 240" "$(rw_probe layout "$legend" | head -1)"
e2e_screenshot "$E2E_SHOTS/dialog-legend.png"
keys Escape
expect_count "Esc closes the legend" "$legend" 0
focus_main
keys alt+h i
e2e_wait_for "the legend" 30 counts "$legend" 1
keys Return
expect_count "Enter closes the legend" "$legend" 0

# The About dialog.
focus_main
keys alt+h a
e2e_wait_for "the About dialog" 30 counts "$about" 1
keys alt+h a
expect_count "Help > About twice gives one About dialog" "$about" 1
about_texts=$(texts "$about")
expect_true "its title label" grep -q -x -F "Static	Windows© Runwarden" <<<"$about_texts"
expect_true "its version label" grep -q -x -F "Static	Version 1.0.1" <<<"$about_texts"
expect_true "it shows the readme beside the program" \
  grep -q -E '^RICHEDIT	Windows Runwarden 1\.0\.1\|=+\|\|Runwarden shows' <<<"$about_texts"
expect_eq "the About dialog is fixed, with a dialog border and no taskbar button" \
  "$fixed border=dialog" "$(rw_probe style "$about")"
expect_eq "its client area is 7800 x 5610 twips" "520 374" "$(rw_probe layout "$about" | head -1)"
e2e_screenshot "$E2E_SHOTS/dialog-about.png"
keys Return
expect_count "Enter closes the About dialog (OK has the focus)" "$about" 0

# System Info: the first location names a program; then neither location is usable.
mkdir -p "$drive_c/Program Files/Sys Info"
cp "$RW_WINE_TOOLS/marker_program.exe" "$drive_c/Program Files/Sys Info/msinfo32.exe"
rw_wine reg add 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /v PATH \
  /d 'C:\Program Files\Sys Info\msinfo32.exe' /f >/dev/null 2>&1 </dev/null
focus_main
keys alt+h a
e2e_wait_for "the About dialog" 30 counts "$about" 1
keys alt+s
ran() { [ -f "$drive_c/Program Files/Sys Info/msinfo32.exe.ran" ]; }
expect_eventually "System Info starts the program the first location names" 30 ran
rw_wine reg delete 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /f >/dev/null 2>&1 </dev/null
rw_wine reg delete 'HKLM\SOFTWARE\Microsoft\Shared Tools Location' /f >/dev/null 2>&1 </dev/null
e2e_wait_for "the About dialog to be active again" 30 active "$about"
xdotool key alt+s
e2e_wait_dialog "$title"
expect_true "without a location it says so" grep -q -F "Static	$unavailable" <<<"$(rw_probe dialog "$title")"
expect_eventually_eq "the message belongs to the About dialog, not the main window" 30 RunwardenAbout message_owner
expect_eq "the main window stays usable under it" "1" "$(rw_probe enabled "$title")"
keys Return
e2e_wait_for "the message to close" 30 e2e_dialog_closed "$title"
expect_eq "the About dialog stays open after the message" "1" "$(count "$about")"

# About open, the main window closed with its close box, then System Info
# without a System Information tool: the message still shows, over About, and
# About takes no clicks until it is answered.
open_then_close_main alt+h a "$about"
expect_eq "the close box closes the main window" "0" "$(count "$title")"
expect_eq "About stays open" "1" "$(count "$about")"
read -r x y <<<"$(rw_probe child "$about" "&System Info...")"
xdotool mousemove "$x" "$y" click 1
expect_eventually "System Info still shows its message" 30 e2e_dialog_open "$title"
expect_true "the message says why" grep -q -F "Static	$unavailable" <<<"$(rw_probe dialog "$title")"
expect_eventually_eq "the message belongs to About" 30 RunwardenAbout message_owner
expect_eventually_eq "About is disabled while the message is up" 30 0 rw_probe enabled "$about"
e2e_screenshot "$E2E_SHOTS/sysinfo-message-over-about.png"
read -r x y <<<"$(rw_probe child "$about" "OK")"
read -r box_left box_top box_right box_bottom <<<"$(rw_probe frame "$title")"
outside_box() { [ "$x" -lt "$box_left" ] || [ "$x" -ge "$box_right" ] || [ "$y" -lt "$box_top" ] || [ "$y" -ge "$box_bottom" ]; }
expect_true "About's OK button lies outside the message" outside_box
xdotool mousemove "$x" "$y" click 1  # would close About if it took the click
xdotool key Return  # answers the message; queued, and so handled, after the click
expect_eventually "Enter answers the message" 30 e2e_dialog_closed "$title"
expect_eq "the click on About's OK did not reach About" "1" "$(count "$about")"
expect_eventually_eq "About takes input again" 30 1 rw_probe enabled "$about"
xdotool mousemove "$x" "$y" click 1
expect_eventually "About's OK then ends the program, its last window" 30 e2e_program_gone
e2e_stop_prefix

# Exit with the About dialog open ends everything at once.
rw_start_program "$RW_WINE_PROGRAM"
e2e_wait_rows "$title"
focus_main
keys alt+h a
e2e_wait_for "the About dialog" 30 counts "$about" 1
expect_eq "About is open before Exit" "1" "$(count "$about")"
focus_main
keys alt+f x
expect_eventually "Exit ends the program with its dialog" 30 e2e_program_gone
e2e_stop_prefix

# The close box with the legend open: the program lives on until the legend closes.
rw_start_program "$RW_WINE_PROGRAM"
e2e_wait_rows "$title"
open_then_close_main alt+h i "$legend"
expect_eq "closing the main window leaves the legend open" "1" "$(count "$legend")"
expect_true "and the program running" e2e_program_running
xdotool mousemove 900 740
keys Escape
expect_eventually "closing the legend then ends the program" 30 e2e_program_gone
e2e_stop_prefix

# The release archive, unpacked into a folder of its own.
RW_RELEASE_ARCH=$RW_ARCH RW_RELEASE_OUT=$work/release "$RW_ROOT/scripts/release.sh" >/dev/null
unpacked="$drive_c/Unpacked Release"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$work/release/runwarden-1.0.1.zip")
expect_eq "the archive holds the program and its readme" "readme.txt runwarden.exe" "$(ls "$unpacked" | sort | tr '\n' ' ' | sed 's/ $//')"
rw_start_program "$unpacked/runwarden.exe"
e2e_wait_rows "$title"
focus_main
keys alt+h a
e2e_wait_for "the About dialog" 30 counts "$about" 1
expect_true "the unpacked program's About dialog finds the readme beside it" \
  grep -q -E '^RICHEDIT	Windows Runwarden 1\.0\.1' <<<"$(texts "$about")"
focus_main
keys alt+f x
expect_eventually "Exit ends the unpacked program" 30 e2e_program_gone
e2e_stop_prefix
e2e_summary
