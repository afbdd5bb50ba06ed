#!/usr/bin/env bash
# The randomized differential test at length: ROUNDS rounds (default 2000) in
# a throwaway Wine prefix. SEED replays a seed a run printed.
#   scripts/soak.sh [ROUNDS] [SEED]
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/lib/common.sh"
unset WINEPREFIX
rounds=${1:-2000}
seed=${2:-$((RANDOM * 32768 + RANDOM))}
rw_build_for_wine
work=$(mktemp -d /tmp/runwarden-soak.XXXXXX)
cleanup() { WINEPREFIX=$work/pfx "$RW_WINESERVER" -k 2>/dev/null || true; rw_stop_xvfb || true; rm -rf "$work"; }
trap cleanup EXIT
rw_prepare_prefix "$work/pfx"
rw_start_xvfb
"$RW_WINE" "$RW_WINE_TOOLS/random_differential.exe" --seed "$seed" --rounds "$rounds" </dev/null 2>&1 | tr -d '\r'
