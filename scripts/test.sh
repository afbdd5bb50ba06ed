#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, the program image
# check, the Windows-side contract tests under Wine, and end-to-end runs of
# the real program under Wine and Xvfb. Each Wine test gets a throwaway
# prefix; nothing outside the build folder and a temporary folder is touched.
#
#   scripts/test.sh [SUITE ...]   only the named suites, e.g. e2e-delete
#                                 unit-tests (the names the output shows)
set -uo pipefail
"$(dirname "$0")/setup.sh" || exit 1
source "$(dirname "$0")/lib/common.sh"
unset WINEPREFIX

work=$(mktemp -d /tmp/runwarden-tests.XXXXXX)
export E2E_WORK=$work
export E2E_SHOTS=$RW_BUILD/e2e-screenshots
mkdir -p "$E2E_SHOTS"
cleanup() {
  for prefix in "$work"/*/pfx "$work/template"; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix "$RW_WINESERVER" -k 2>/dev/null
  done
  rw_stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
broken=()
only=("$@")
known="unit-tests program-image common-controls win32-contracts runtime-layer"
known+=" randomized-differential e2e-inventory e2e-main-window e2e-main-window-120dpi"
known+=" e2e-check-boxes e2e-delete e2e-dialogs e2e-about-without-richedit e2e-refusal"
known+=" e2e-version-gate e2e-check-boxes-comctl400 e2e-main-window-comctl400 e2e-delete-comctl400"
for name in "${only[@]}"; do
  [[ " $known " == *" $name "* ]] || { echo "no suite named '$name'; the suites: $known" >&2; exit 2; }
done

# wanted NAME: true when no suites were named, or NAME was.
wanted() {
  [ ${#only[@]} -eq 0 ] && return 0
  local name
  for name in "${only[@]}"; do [ "$name" = "$1" ] && return 0; done
  return 1
}

# run_quietly NAME COMMAND...: runs a suite into its log and notes its
# counts, read from GoogleTest's summary or a closing 'N passed, N failed'
# line, and how long it took, for show_suite.
run_quietly() {
  local name=$1; shift
  local log=$work/$name.log started=$SECONDS
  # Straight to a file: Wine's services, started by a prefix's first command,
  # inherit its output and would keep a pipe open.
  "$@" >"$log.raw" 2>&1 </dev/null
  local status=$?
  tr -d '\r' <"$log.raw" >"$log"
  local ran ok bad
  ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' "$log" | tail -1)
  if [ -n "$ran" ]; then
    ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -1)
    ok=${ok:-0}
    bad=$((ran - ok))
  else
    ok=$(sed -n 's/^\([a-z0-9-]*: \)\?\([0-9]*\) passed, \([0-9]*\) failed$/\2/p' "$log" | tail -1)
    bad=$(sed -n 's/^\([a-z0-9-]*: \)\?\([0-9]*\) passed, \([0-9]*\) failed$/\3/p' "$log" | tail -1)
  fi
  local finished=1
  if [ -z "$ok" ] || { [ "$status" -ne 0 ] && [ "${bad:-0}" -eq 0 ]; }; then finished=0; fi
  echo "${ok:-0} ${bad:-0} $finished $status $((SECONDS - started))" >"$work/$name.counts"
}

# show_suite NAME: shows a suite's output and adds its counts.
show_suite() {
  local name=$1 ok bad finished status seconds
  [ -f "$work/$name.counts" ] || return 0
  read -r ok bad finished status seconds <"$work/$name.counts"
  echo "=== $name"
  grep -v -E '^\[ (RUN|      OK) ' "$work/$name.log" || true
  [ "$finished" -eq 1 ] || broken+=("$name (exit status $status)")
  passed=$((passed + ok))
  failed=$((failed + bad))
  echo "--- $name: $seconds s"
}

# run_suite NAME COMMAND...: runs a suite, if wanted, and shows it.
run_suite() {
  wanted "$1" || return 0
  run_quietly "$@"
  show_suite "$1"
}

# run_lane SUITE...: runs end-to-end suites one after another on a display
# of their own, each given as NAME=SCRIPT, NAME=SCRIPT@DPI, or
# NAME=SCRIPT/SWITCH to start the program with /SWITCH; two lanes run side
# by side, on the two processors every machine here has.
run_lane() {
  rw_start_xvfb || return 1
  local suite name script
  for suite in "$@"; do
    name=${suite%%=*}
    script=${suite#*=}
    wanted "$name" || continue
    if [[ "$script" == *@* ]]; then
      E2E_DPI=${script#*@} run_quietly "$name" "$RW_ROOT/tests/e2e/${script%@*}"
    elif [[ "$script" == */* ]]; then
      RW_PROGRAM_SWITCH=/${script#*/} run_quietly "$name" "$RW_ROOT/tests/e2e/${script%%/*}"
    else
      run_quietly "$name" "$RW_ROOT/tests/e2e/$script"
    fi
  done
  rw_stop_xvfb
}

echo "=== building"
export RW_WERROR=ON  # every target, warnings as errors
rw_build_native || exit 1
rw_build_for_wine || exit 1
rw_log "Wine runs the $RW_ARCH build here"

run_suite unit-tests "$RW_BUILD/native/unit_tests"
run_suite program-image "$RW_ROOT/tests/e2e/check_program_image.sh"
run_suite common-controls "$RW_ROOT/tests/e2e/check_common_controls.sh"

# One booted prefix, copied for each suite.
rw_prepare_prefix "$work/template"
"$RW_WINESERVER" -k 2>/dev/null; "$RW_WINESERVER" -w 2>/dev/null
export RW_TEST_PREFIX_TEMPLATE=$work/template
rw_start_xvfb || exit 1  # the list control's contract needs a display too
mkdir -p "$work/contract"
cp -a "$work/template" "$work/contract/pfx"
# The contract tests' windows live on a Wine virtual desktop, as the program's
# do in the end-to-end runs: without a window manager every top-level window
# that closes would wait two seconds for one.
WINEPREFIX=$work/contract/pfx "$RW_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
  >/dev/null 2>&1 </dev/null
WINEPREFIX=$work/contract/pfx "$RW_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
  /d 1024x768 /f >/dev/null 2>&1 </dev/null
WINEPREFIX=$work/contract/pfx "$RW_WINESERVER" -k 2>/dev/null
WINEPREFIX=$work/contract/pfx "$RW_WINESERVER" -w 2>/dev/null
WINEPREFIX=$work/contract/pfx run_suite win32-contracts \
  "$RW_WINE" "$RW_WINE_TOOLS/win32_platform_tests.exe"
# The shipped image's own runtime layer (start-up, heap, exceptions), linked
# as the program is; it can run only where Wine runs 32-bit programs.
if [ "$RW_ARCH" = i686 ]; then
  WINEPREFIX=$work/contract/pfx run_suite runtime-layer \
    "$RW_WINE" "$RW_BUILD/win-i686-win32/runtime_layer_check.exe" --probe this
else
  rw_log "runtime layer check skipped: this machine cannot run 32-bit programs"
fi
WINEPREFIX=$work/contract/pfx "$RW_WINESERVER" -k 2>/dev/null

# Randomized listing and deleting; RW_RANDOM_SEED replays a printed seed.
mkdir -p "$work/random"
cp -a "$work/template" "$work/random/pfx"
WINEPREFIX=$work/random/pfx run_suite randomized-differential \
  "$RW_WINE" "$RW_WINE_TOOLS/random_differential.exe" --seed "${RW_RANDOM_SEED:-$((RANDOM * 32768 + RANDOM))}" --rounds 300
WINEPREFIX=$work/random/pfx "$RW_WINESERVER" -k 2>/dev/null

# The -comctl400 suites run the program with only what comctl32 4.00 has:
# its list of inserted rows, where the others see the virtual list.
lane_one=(e2e-version-gate=version_gate_e2e.sh e2e-delete=delete_e2e.sh
  e2e-about-without-richedit=about_without_richedit_e2e.sh e2e-refusal=refusal_e2e.sh
  e2e-check-boxes-comctl400=check_boxes_e2e.sh/comctl400 e2e-main-window-comctl400=main_window_e2e.sh/comctl400)
lane_two=(e2e-inventory=inventory_e2e.sh e2e-main-window=main_window_e2e.sh
  e2e-main-window-120dpi=main_window_e2e.sh@120 e2e-check-boxes=check_boxes_e2e.sh e2e-dialogs=dialogs_e2e.sh
  e2e-delete-comctl400=delete_e2e.sh/comctl400)
rw_stop_xvfb  # each lane has a display of its own
echo "=== end-to-end suites, in two lanes"
run_lane "${lane_one[@]}" &
lane=$!
run_lane "${lane_two[@]}"
wait "$lane"
for suite in "${lane_two[@]}" "${lane_one[@]}"; do show_suite "${suite%%=*}"; done
echo "screenshots: $E2E_SHOTS"

for suite in "${broken[@]}"; do echo "suite did not finish: $suite"; failed=$((failed + 1)); done
echo "the whole run: $SECONDS s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
