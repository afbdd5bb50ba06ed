#!/usr/bin/env bash
# The main window under Wine with real keys and clicks: the state before the
# first load, the layout of list and bars at the created size, with bars
# hidden and maximized, the status panels, Exit and the close box.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
# E2E_DPI=120 runs the same checks with large fonts: the layout is in twips,
# so every place scales with the screen's resolution.
dpi=${E2E_DPI:-96}
e2e_begin "main-window-$dpi"
title="Windows Runwarden"
rw_set_app_version win98
if [ "$dpi" != 96 ]; then
  rw_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  e2e_stop_prefix  # read at the next start
fi
echo "screen resolution: $dpi DPI"

px() { echo $((($1 * dpi + 720) / 1440)); }          # twips to pixels, rounded
tw() { echo $(($1 * 1440 / dpi)); }                  # pixels to twips (exact at 96 and 120)
list_place() {  # list_place CLIENT_W CLIENT_H TOP_TWIPS RESERVED_TWIPS
  echo "0 $(px "$3") $1 $(px $(($(tw "$2") - $4)))"
}
layout_line() { rw_probe layout "$title" | sed -n "$1p"; }
# expect_layout DESCRIPTION LINE EXPECTED: passes once the layout's line reads EXPECTED.
expect_layout() { expect_eventually_eq "$1" 30 "$3" layout_line "$2"; }
keys() { xdotool mousemove 512 700; local k; for k in "$@"; do xdotool key "$k"; done; }

# Before the first tick: an empty list and "Ready".
"$RW_WINE" "$RW_WINE_TOOLS/window_probe.exe" watch "$title" >"$E2E_WORK/main-window-$dpi/watch" 2>/dev/null </dev/null &
watcher=$!
rw_start_program "$RW_WINE_PROGRAM"
wait "$watcher"
rw_screenshot "$E2E_SHOTS/main-window-$dpi-start.png"
expect_eq "before the first load: no rows, status Ready" "0	Ready" "$(tr -d '\r' <"$E2E_WORK/main-window-$dpi/watch")"
e2e_wait_rows "$title"
expect_eq "after the first load the list is filled" "9" "$(rw_probe rows "$title" | wc -l)"

# The created size: client 9375 x 5490 twips.
read -r width height <<<"$(layout_line 1)"
expect_eq "client area of 9375 x 5490 twips" "$(px 9375) $(px 5490)" "$width $height"
expect_eq "list between the bars" "$(list_place "$width" "$height" 375 800)" "$(layout_line 2)"
expect_eq "toolbar along the top, 360 twips high" "0 0 $width $(px 360)" "$(layout_line 3)"
expect_eq "status bar along the bottom, 375 twips high" \
  "0 $((height - $(px 375))) $width $(px 375)" "$(layout_line 4)"
expect_eq "status panels 5405, 1845, 1845 twips" \
  "$(px 5405) $(($(px 5405) + $(px 1845))) $(($(px 5405) + 2 * $(px 1845)))" "$(rw_probe parts "$title")"
mapfile -t panels < <(rw_probe status "$title")
expect_eq "first panel says Ready" "Ready" "${panels[0]:-}"
expect_true "second panel shows a date (${panels[1]:-})" grep -q -E '^[0-9]{1,4}[/.-][0-9]{1,2}[/.-][0-9]{1,4}$' <<<"${panels[1]:-}"
expect_true "third panel shows hours and minutes (${panels[2]:-})" grep -q -E '^[0-9]{1,2}:[0-9]{2}( ?[AP]M)?$' <<<"${panels[2]:-}"
e2e_screenshot "$E2E_SHOTS/main-window-$dpi-loaded.png"

# Tooltips of the first and the last button, under the mouse.
tooltip_shows() { grep -q -x -F "$1" <<<"$(rw_probe tooltip "$title")"; }
expect_tooltip() {  # expect_tooltip DESCRIPTION BUTTON_INDEX TEXT
  local x y
  read -r x y <<<"$(rw_probe button "$title" "$2")"
  xdotool mousemove "$x" "$y" mousemove $((x + 1)) "$y"
  expect_eventually "$1" 30 tooltip_shows "$3" || echo "    shown: $(rw_probe tooltip "$title")"
}
expect_tooltip "the Delete button's tooltip" 0 "Delete Selected Item(s)"
expect_tooltip "the Sort Descending button's tooltip" 3 "Sort Descending"
expect_tooltip "the View Details button's tooltip" 8 "View Details"

# View > Toolbar and View > Status Bar, chosen with their access keys.
keys alt+v t
expect_layout "toolbar hidden" 3 "hidden"
expect_layout "without the toolbar the list starts 50 twips down" 2 \
  "$(list_place "$width" "$height" 50 450)"
keys alt+v s
expect_layout "status bar hidden" 4 "hidden"
expect_layout "without both bars the list keeps 50 twips above and below" 2 \
  "$(list_place "$width" "$height" 50 100)"
e2e_screenshot "$E2E_SHOTS/main-window-$dpi-bars-hidden.png"
keys alt+v t
expect_layout "toolbar back, status bar still hidden" 2 "$(list_place "$width" "$height" 375 450)"
keys alt+v s
expect_layout "both bars back: the first layout again" 2 "$(list_place "$width" "$height" 375 800)"

# Maximized through the system menu.
keys alt+space x
wider() { local w; read -r w _ <<<"$(layout_line 1)"; [ "$w" -gt "$width" ]; }
expect_eventually "maximizing widens the client area" 30 wider
read -r wide high <<<"$(layout_line 1)"
expect_layout "maximized: list refitted" 2 "$(list_place "$wide" "$high" 375 800)"
extra=$(((($(tw "$wide") - 280 - 7880) / 3)))
first=$(px $((5000 + extra))); second=$(px $((1440 + extra)))
expect_eventually_eq "maximized: status panels stretched equally" 30 \
  "$first $((first + second)) $((first + 2 * second))" rw_probe parts "$title"
e2e_screenshot "$E2E_SHOTS/main-window-$dpi-maximized.png"

keys alt+f x
expect_eventually "File > Exit ends the program" 30 e2e_program_gone
e2e_stop_prefix

# The close box, clicked with the mouse.
rw_start_program "$RW_WINE_PROGRAM"
expect_eventually "the program starts again" 60 rw_list_loaded "$title"
frame=$(rw_probe frame "$title")
read -r left top right bottom <<<"$frame"
xdotool mousemove $((right - 12)) $((top + 12)) click 1
expect_eventually "the close box ends the program" 30 e2e_program_gone
e2e_stop_prefix
e2e_summary
