#!/usr/bin/env bash
# On an unsupported version the real program shows its refusal, reads nothing
# and ends when the user presses Enter.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin refusal
title="Windows Runwarden"

# Registry trace of a supported run first, so the trace is known to show reads.
rw_set_app_version win98
e2e_start_traced "$E2E_WORK/refusal/win98.trace"
e2e_wait_rows "$title"
rw_probe close "$title" >/dev/null
e2e_wait_gone 30
e2e_stop_prefix
expect_true "a supported run opens the Run keys (the trace sees reads)" \
  e2e_reads_run_key "$E2E_WORK/refusal/win98.trace"

rw_set_app_version win2k
e2e_start_traced "$E2E_WORK/refusal/win2k.trace"
expect_eventually "a message box appears" 30 e2e_dialog_open "$title"
texts=$(rw_probe texts "$title")
expect_eq "the refusal names Windows 2000" \
  "You appear to be running 'Windows 2000'.  This application will only work with Windows 95, 98 or NT." \
  "$(grep -v -E '^(window|Button)' <<<"$texts" | cut -f2 | grep -v '^$')"
buttons=$(grep -c '^Button' <<<"$texts")
expect_eq "the box has only an OK button" "1" "$buttons"
# The refusal comes before any window of the program's own, whatever its title.
no_main_window() { ! rw_probe class RunwardenMain >/dev/null; }
expect_true "no main window was created" no_main_window
e2e_screenshot "$E2E_SHOTS/refusal-win2k.png"
xdotool mousemove 512 384
xdotool key Return
expect_eventually "Enter dismisses the refusal and the program ends" 30 e2e_program_gone
e2e_stop_prefix
expect_true "the refused run read no Run key" e2e_reads_no_run_key "$E2E_WORK/refusal/win2k.trace"
e2e_summary
