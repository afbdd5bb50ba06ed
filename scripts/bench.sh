#!/usr/bin/env bash
# Benchmark, not a test: the program's load and delete at N startup values
# (and N/10 Startup files) against the raw platform cost of the same work,
# under Wine in a throwaway prefix. Arguments: the sizes (default 100 1000 10000).
# Also reports the peak working set of runwarden.exe itself at N = 10,000 and
# the size of the shipped runwarden.exe. Run it on an otherwise idle machine.
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/lib/common.sh"
unset WINEPREFIX

rw_build_for_wine
cmake --build "$RW_BUILD/win-$RW_ARCH-win32" --target runwarden_bench -- --no-print-directory >/dev/null
bench=$RW_BUILD/win-$RW_ARCH-win32/runwarden_bench.exe

work=$(mktemp -d /tmp/runwarden-bench.XXXXXX)
cleanup() { WINEPREFIX=$work/pfx "$RW_WINESERVER" -k 2>/dev/null || true; rw_stop_xvfb || true; rm -rf "$work"; }
trap cleanup EXIT
rw_prepare_prefix "$work/pfx"
rw_start_xvfb

echo "Runwarden benchmark, $(date -u +%Y-%m-%d), $("$RW_WINE" --version 2>/dev/null), $RW_ARCH build, $(nproc) cores"
echo "times are medians in ms; ratio = program / raw platform cost"
"$RW_WINE" "$bench" "$@" </dev/null 2>&1 | tr -d '\r'

"$RW_WINE" "$bench" --seed-only 10000 </dev/null >/dev/null 2>&1
rw_set_app_version win98
rw_start_program "$RW_WINE_PROGRAM"
rw_wait_for_rows "Windows Runwarden" 180
echo "runwarden.exe with 10,000 values and 1,000 files: peak working set $(rw_probe memory "Windows Runwarden") KB"
rw_probe close "Windows Runwarden" >/dev/null || true
rw_wait_for_exit "$RW_PROGRAM_PID" 30 || true

# A load long enough to look at while it runs: the window must stay drawn.
"$RW_WINE" "$bench" --seed-only 40000 </dev/null >/dev/null 2>&1
"$RW_WINE" "$RW_WINE_TOOLS/window_probe.exe" watch "Windows Runwarden" >/dev/null 2>&1 </dev/null &
watcher=$!
rw_start_program "$RW_WINE_PROGRAM"
wait "$watcher" || true
sleep 1.2  # the load starts 500 ms after the window opens
mkdir -p "$RW_ROOT/out"
rw_screenshot "$RW_ROOT/out/bench-during-load.png"
echo "screenshot during a 40,000-value load: out/bench-during-load.png"
rw_wait_for_rows "Windows Runwarden" 300
rw_probe close "Windows Runwarden" >/dev/null || true
rw_wait_for_exit "$RW_PROGRAM_PID" 30 || true
rw_build_program
echo "shipped runwarden.exe (i686): $(stat -c %s "$RW_PROGRAM") bytes"
