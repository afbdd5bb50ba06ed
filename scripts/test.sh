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
known+=" e2e-version-gate"
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

# run_suite NAME COMMAND...: runs a suite, shows its output and adds its
# counts, read from GoogleTest's summary or a closing 'N passed, N failed' line.
run_suite() {
  local name=$1; shift
  wanted "$name" || return 0
  local log=$work/$name.log started=$SECONDS
  echo "=== $name"
  # Straight to a file: Wine's services, started by a prefix's first command,
  # inherit its output and would keep a pipe open.
  "$@" >"$log.raw" 2>&1 </dev/null
  local status=$?
  tr -d '\r' <"$log.raw" >"$log"
  grep -v -E '^\[ (RUN|      OK) ' "$log" || true
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
  if [ -z "$ok" ] || { [ "$status" -ne 0 ] && [ "${bad:-0}" -eq 0 ]; }; then
    broken+=("$name (exit status $status)")
    ok=${ok:-0}
    bad=${bad:-0}
  fi
  passed=$((passed + ok))
  failed=$((failed + bad))
  echo "--- $name: $((SECONDS - started)) s"
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

run_suite e2e-inventory "$RW_ROOT/tests/e2e/inventory_e2e.sh"
run_suite e2e-main-window "$RW_ROOT/tests/e2e/main_window_e2e.sh"
E2E_DPI=120 run_suite e2e-main-window-120dpi "$RW_ROOT/tests/e2e/main_window_e2e.sh"
run_suite e2e-check-boxes "$RW_ROOT/tests/e2e/check_boxes_e2e.sh"
run_suite e2e-delete "$RW_ROOT/tests/e2e/delete_e2e.sh"
run_suite e2e-dialogs "$RW_ROOT/tests/e2e/dialogs_e2e.sh"
run_suite e2e-about-without-richedit "$RW_ROOT/tests/e2e/about_without_richedit_e2e.sh"
run_suite e2e-refusal "$RW_ROOT/tests/e2e/refusal_e2e.sh"
run_suite e2e-version-gate "$RW_ROOT/tests/e2e/version_gate_e2e.sh"
echo "screenshots: $E2E_SHOTS"

for suite in "${broken[@]}"; do echo "suite did not finish: $suite"; failed=$((failed + 1)); done
echo "the whole run: $SECONDS s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
