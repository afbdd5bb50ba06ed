# Checks for the end-to-end scripts: each prints one line, and e2e_summary
# prints the counts and fails when any check failed. Brings in the builds,
# prefixes and display of scripts/lib/common.sh.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
E2E_PASSED=0
E2E_FAILED=0

pass() { E2E_PASSED=$((E2E_PASSED + 1)); echo "  ok: $1"; }
fail() {
  E2E_FAILED=$((E2E_FAILED + 1))
  echo "  FAILED: $1"
  shift
  local line
  for line in "$@"; do printf '    %s\n' "$line"; done
}

# expect_eq DESCRIPTION EXPECTED ACTUAL
expect_eq() {
  if [ "$2" == "$3" ]; then
    pass "$1"
  else
    fail "$1" "expected:" "$(printf '%s' "$2" | sed 's/^/      /')" "actual:" \
      "$(printf '%s' "$3" | sed 's/^/      /')"
  fi
}

# expect_true DESCRIPTION COMMAND...
expect_true() {
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

expect_false() { ! "$@"; }

# The prefix's own Startup folder of its user, where the shell keeps it and
# the demo set is seeded.
e2e_user_startup_unix() {
  printf '%s' "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp"
}

# expect_eventually DESCRIPTION SECONDS COMMAND...: passes once COMMAND
# succeeds, fails when it has not by the deadline.
expect_eventually() { e2e_wait_for "$@" && pass "$1"; }

# expect_eventually_eq DESCRIPTION SECONDS EXPECTED COMMAND...: passes once
# COMMAND prints EXPECTED, fails with what it printed last when it has not by
# the deadline.
expect_eventually_eq() {
  local what=$1 seconds=$2 expected=$3; shift 3
  if rw_wait_for "$what" "$seconds" e2e_prints "$expected" "$@" 2>/dev/null; then
    pass "$what"
  else
    e2e_gave_up "$what" "$seconds" "expected:" "$(printf '%s' "$expected" | sed 's/^/      /')" \
      "last printed:" "$(printf '%s' "$E2E_PRINTED" | sed 's/^/      /')"
    return 1
  fi
}
e2e_prints() { E2E_PRINTED=$("${@:2}"); [ "$E2E_PRINTED" == "$1" ]; }

e2e_summary() {
  echo "e2e: $E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}

# e2e_needs_test_command: the scripts run inside the test command, which
# builds, boots a template prefix and starts a display; started alone, a
# script says how to run it and stops.
e2e_needs_test_command() {
  if [ -z "${E2E_WORK:-}" ] || [ -z "${E2E_SHOTS:-}" ] || [ -z "${RW_TEST_PREFIX_TEMPLATE:-}" ] ||
    [ -z "${DISPLAY:-}" ]; then
    local suite=${0##*/}
    suite=${suite%_e2e.sh}
    echo "${0##*/} runs inside the test command: scripts/test.sh e2e-${suite//_/-}" >&2
    exit 2
  fi
}

# e2e_fresh_prefix NAME: a copy of the booted template prefix, private to one test.
e2e_fresh_prefix() {
  local dir=$E2E_WORK/$1
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -a "$RW_TEST_PREFIX_TEMPLATE" "$dir/pfx"
  export WINEPREFIX=$dir/pfx
}

# e2e_begin NAME [SEEDER OPTIONS...]: how every end-to-end script starts:
# inside the test command, in a fresh prefix of its own seeded with the demo set.
e2e_begin() {
  e2e_needs_test_command
  e2e_fresh_prefix "$1"
  shift
  rw_wine "$RW_WINE_TOOLS/seed_demo_prefix.exe" "$@" >/dev/null </dev/null
}

# e2e_wait_for WHAT SECONDS COMMAND...: runs COMMAND until it succeeds (see
# rw_wait_for). Giving up is a failed check, with the screen at that moment.
e2e_wait_for() {
  local what=$1 seconds=$2; shift 2
  rw_wait_for "$what" "$seconds" "$@" 2>/dev/null || { e2e_gave_up "$what" "$seconds"; return 1; }
}

# e2e_gave_up WHAT SECONDS [LINE...]: fails the check that waited for WHAT.
e2e_gave_up() {
  local what=$1 seconds=$2; shift 2
  E2E_GAVE_UP=$((${E2E_GAVE_UP:-0} + 1))
  local shot=${E2E_SHOTS:-/tmp}/gave-up-${0##*/}-$E2E_GAVE_UP.png
  rw_screenshot "$shot" 2>/dev/null || shot="(no screenshot)"
  fail "$what" "gave up after $seconds s" "$@" "the screen then: $shot"
}

# e2e_own_pids PATTERN: the processes matching PATTERN that run in this
# test's prefix (Wine passes WINEPREFIX on to every process it starts), so
# another test run or the user's own Runwarden does not count.
e2e_own_pids() {
  local pid
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -x -F "WINEPREFIX=$WINEPREFIX" >/dev/null && echo "$pid"
  done
}
e2e_program_running() { [ -n "$(e2e_own_pids 'runwarden\.exe')" ]; }
e2e_program_gone() { ! e2e_program_running; }

# e2e_wait_gone SECONDS: waits until no runwarden.exe of this prefix is left.
e2e_wait_gone() { e2e_wait_for "runwarden.exe in $WINEPREFIX to end" "$1" e2e_program_gone; }

# e2e_stop_prefix: ends everything still running in the current prefix.
e2e_stop_prefix() { "$RW_WINESERVER" -k 2>/dev/null || true; "$RW_WINESERVER" -w 2>/dev/null || true; }

# e2e_wait_dialog TITLE: waits for a dialog box with that title.
e2e_wait_dialog() { e2e_wait_for "a dialog box titled '$1'" 30 e2e_dialog_open "$1"; }
e2e_dialog_open() { rw_probe dialog "$1" >/dev/null; }
e2e_dialog_closed() { ! e2e_dialog_open "$1"; }

# e2e_wait_rows TITLE: waits until the window's list has loaded (rw_list_loaded).
e2e_wait_rows() { e2e_wait_for "a loaded list in '$1'" 60 rw_list_loaded "$1"; }

# e2e_checked_rows TITLE: the names of the window's checked rows, in list order;
# without such a window, says so rather than naming none.
e2e_checked_rows() {
  local rows
  rows=$(rw_probe rows "$1") || { echo "(no list in a window titled '$1')"; return 1; }
  awk -F'\t' '$2 == 1 {print $3}' <<<"$rows"
}
# e2e_row_of TITLE NAME: the position (from 0) of the first row of that name.
e2e_row_of() { rw_probe rows "$1" | cut -f3 | grep -n -x -F "$2" | cut -d: -f1 | awk 'NR == 1 {print $1 - 1}'; }

# e2e_screenshot FILE: the screen for people to look at, once the last change
# has painted.
e2e_screenshot() {
  rw_settled_screenshot "$1" 30 2>/dev/null || e2e_gave_up "the screen to stop changing for $1" 30
}

# Wine's registry trace names every key the program opens; these see the Run keys in it.
E2E_RUN_KEY_PATTERN='CurrentVersion\\\\Run"'
e2e_reads_run_key() { grep -q -E "$E2E_RUN_KEY_PATTERN" "$1"; }
e2e_reads_no_run_key() { ! e2e_reads_run_key "$1"; }

# e2e_start_traced TRACE: starts the program on its desktop with the registry trace in TRACE.
e2e_start_traced() {
  WINEDEBUG=+reg "$RW_WINE" explorer /desktop=runwarden,1024x768 \
    "$("$RW_WINE" winepath -w "$RW_WINE_PROGRAM" 2>/dev/null </dev/null)" >/dev/null 2>"$1" </dev/null &
}
