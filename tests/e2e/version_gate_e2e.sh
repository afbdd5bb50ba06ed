#!/usr/bin/env bash
# The version gate against every Windows version Wine can report to the
# program (its per-app setting): the four supported ones run; every other one
# shows the refusal naming the version as the gate names it, and reads nothing.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin version-gate
title="Windows Runwarden"
work=$E2E_WORK/version-gate

for version in win95 win98 winme nt40; do
  rw_set_app_version "$version"
  rw_start_program "$RW_WINE_PROGRAM"
  expect_eventually "$version runs and lists the inventory" 60 rw_list_loaded "$title"
  rw_probe close "$title" >/dev/null
  e2e_wait_gone 30
  e2e_stop_prefix
done

refused=(
  "nt351:Windows NT 3.x" "win31:Windows 3.x" "win2k:Windows 2000" "winxp:Windows 2000"
  "winxp64:Windows 2000" "win2003:Windows 2000" "vista:Unknown Windows Version"
  "win2008:Unknown Windows Version" "win7:Unknown Windows Version"
  "win2008r2:Unknown Windows Version" "win8:Unknown Windows Version"
  "win81:Unknown Windows Version" "win10:Unknown Windows Version" "win11:Unknown Windows Version"
)
for entry in "${refused[@]}"; do
  version=${entry%%:*}
  name=${entry#*:}
  rw_set_app_version "$version"
  e2e_start_traced "$work/$version.trace"
  if ! e2e_wait_for "$version: a message box refusing it" 30 e2e_dialog_open "$title"; then
    e2e_stop_prefix
    continue
  fi
  expect_eq "$version is refused as '$name'" \
    "You appear to be running '$name'.  This application will only work with Windows 95, 98 or NT." \
    "$(rw_probe dialog "$title" | grep '^Static' | cut -f2 | grep -v '^$')"
  xdotool mousemove 512 700 key Return
  # Only an ended program has written all of its trace.
  expect_eventually "$version: Enter ends the refused program" 30 e2e_program_gone
  e2e_stop_prefix
  expect_true "$version: nothing was read" e2e_reads_no_run_key "$work/$version.trace"
done
e2e_summary
