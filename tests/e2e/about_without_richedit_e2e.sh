#!/usr/bin/env bash
# A system without RichEdit 1.0 (riched32.dll): the About dialog still opens
# and shows the readme as plain text, and the program goes on working.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin about-without-richedit
title="Windows Runwarden"
about=$(printf 'About Windows\xc2\xa9 Runwarden')  # the probe's argument goes through Wine as UTF-8

rw_set_app_version win95

about_open() { [ "$(rw_probe count "$about")" = 1 ]; }
about_closed() { [ "$(rw_probe count "$about")" = 0 ]; }

# Wine's own riched32.dll turned off for this prefix: LoadLibrary fails as
# it would on a system without the file.
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;riched32=" rw_start_program "$RW_WINE_PROGRAM"
e2e_wait_rows "$title"
xdotool mousemove 900 740 key alt+h a
expect_eventually "Help > About opens the About dialog" 30 about_open
texts=$(rw_probe texts "$about")
expect_true "the readme shows in a plain edit box" \
  grep -q -E '^Edit	Windows Runwarden 1\.0\.1\|=+\|\|Runwarden shows' <<<"$texts"
expect_true "no RichEdit box was made" bash -c "! grep -q '^RICHEDIT' <<<\"\$1\"" _ "$texts"
rw_screenshot "$E2E_SHOTS/about-without-richedit.png"
xdotool key Return
expect_eventually "OK closes it" 30 about_closed
expect_eq "the main window still lists its rows" "9" "$(rw_probe rows "$title" | wc -l)"

rw_probe close "$title" >/dev/null
e2e_wait_gone 15
e2e_stop_prefix
e2e_summary
