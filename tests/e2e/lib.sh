# Checks for the end-to-end scripts: each prints one line, and e2e_summary
# prints the counts and fails when any check failed.
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

e2e_summary() {
  echo "e2e: $E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" -eq 0 ]
}

# e2e_fresh_prefix NAME: a copy of the booted template prefix, private to one test.
e2e_fresh_prefix() {
  local dir=$E2E_WORK/$1
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -a "$RW_TEST_PREFIX_TEMPLATE" "$dir/pfx"
  export WINEPREFIX=$dir/pfx
}

# e2e_wait_gone SECONDS: waits until no runwarden.exe process is left.
e2e_wait_gone() {
  local deadline=$((SECONDS + $1))
  while [ $SECONDS -lt $deadline ]; do
    pgrep -f 'runwarden\.exe' >/dev/null || return 0
    sleep 0.3
  done
  return 1
}

# e2e_running_here: true while a runwarden.exe of the current prefix runs;
# runs elsewhere on the machine have prefixes of their own.
e2e_running_here() {
  local pid
  for pid in $(pgrep -f 'runwarden\.exe'); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -q -x -F "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# e2e_wait_gone_here SECONDS: waits until no runwarden.exe of the current prefix is left.
e2e_wait_gone_here() {
  local deadline=$((SECONDS + $1))
  while [ $SECONDS -lt $deadline ]; do
    e2e_running_here || return 0
    sleep 0.3
  done
  return 1
}

# e2e_stop_prefix: ends everything still running in the current prefix.
e2e_stop_prefix() { "$RW_WINESERVER" -k 2>/dev/null || true; "$RW_WINESERVER" -w 2>/dev/null || true; }

# e2e_wait_dialog TITLE: waits up to 15 s for a dialog box with that title.
e2e_wait_dialog() {
  local _
  for _ in $(seq 60); do
    rw_probe dialog "$1" >/dev/null && return 0
    sleep 0.25
  done
  return 1
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
