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

# e2e_stop_prefix: ends everything still running in the current prefix.
e2e_stop_prefix() { "$RW_WINESERVER" -k 2>/dev/null || true; "$RW_WINESERVER" -w 2>/dev/null || true; }
