#!/usr/bin/env bash
# Benchmark, not a test: the real runwarden.exe as a user runs it, timed from
# outside, against the raw platform cost of the same work timed the same way.
#   scripts/bench.sh [N ...]    sizes (default 1000 10000 40000)
# At each size the Run keys hold N values and the Startup folder N/10 files.
# Load: once the main window shows, from the last moment it answered with an
# empty list (the 500 ms it waits before its first load are not counted)
# until its status bar says "Ready" over every row.
# Delete: View > Check All, Delete Checked Items, Yes; from the answer until
# only the rows that are not deleted (the folder's other files) are left.
# The raw cost is a window of the benchmark's own that makes only the platform
# calls the program makes, in the same run and prefix. Program and raw cost
# take turns, round by round. The ratios are compared with the last
# release's, recorded in tests/bench/release-figures.txt: when both the best
# rounds' and the medians' ratio are 20% worse than the release's, the
# benchmark ends with status 1.
# Memory: the peak working set, read from outside, of the program and of the
# raw cost once they show every row, and of a bare window at rest (the raw
# cost's window that never loads: what any window of its kind costs under
# Wine), every round; the program's cost above bare Wine is given relative to
# the raw cost's, (program - bare) / (raw - bare). Where Wine's heap puts the
# list's growing arrays moves with everything the process allocated before,
# the size of its environment included, and one layout in four or so holds
# some 6 MB more, the program's as the raw cost's, the same in every round.
# So each round runs in an environment of its own size (a variable of
# RW_BENCH_LAYOUT_STEP, default 1,000, characters more each round, the same
# for the three in that round): the medians are those of several layouts.
# The raw cost shows its rows in Unicode where the list holds them, as the
# program decides; RW_BENCH_RAW_ANSI=1 makes them ANSI, and
# RW_BENCH_WIDE_COST=1 times ANSI rows of the raw cost as well, every round,
# to tell what the wide rows cost.
# RW_ARCH=x86_64 times the 64-bit build; RW_BENCH_ROUNDS sets the rounds of
# each size (default 5, 7 up to 1,000 entries). Run it on an idle machine.
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/lib/common.sh"
unset WINEPREFIX

sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 10000 40000)
release_figures=$RW_ROOT/tests/bench/release-figures.txt
readonly kAllowedRegression=1.20

rw_build_for_wine
cmake --build "$RW_BUILD/win-$RW_ARCH-win32" --target runwarden_bench -- --no-print-directory >/dev/null
bench=$RW_BUILD/win-$RW_ARCH-win32/runwarden_bench.exe

work=$(mktemp -d /tmp/runwarden-bench.XXXXXX)
cleanup() { WINEPREFIX=$work/pfx "$RW_WINESERVER" -k 2>/dev/null || true; rw_stop_xvfb || true; rm -rf "$work"; }
trap cleanup EXIT
rw_prepare_prefix "$work/pfx"
rw_start_xvfb
rw_set_app_version win98

program_title="Windows Runwarden"
raw_title=$("$RW_WINE" "$bench" --raw-title </dev/null 2>/dev/null | tr -d '\r')
bare_title=$("$RW_WINE" "$bench" --bare-title </dev/null 2>/dev/null | tr -d '\r')
raw_options=()
if [ -n "${RW_BENCH_RAW_ANSI:-}" ]; then
  [ -z "${RW_BENCH_WIDE_COST:-}" ] || { rw_log "RW_BENCH_WIDE_COST compares the raw cost's own rows with ANSI rows: unset RW_BENCH_RAW_ANSI"; exit 2; }
  raw_options=(--ansi-rows)
  raw_rows="ANSI rows (RW_BENCH_RAW_ANSI)"
else
  raw_rows=$("$RW_WINE" "$bench" --raw-rows </dev/null 2>/dev/null | tr -d '\r')
fi
kinds=(program raw)
[ -z "${RW_BENCH_WIDE_COST:-}" ] || kinds+=(rawansi)

seed() { "$RW_WINE" "$bench" --seed-only "$1" </dev/null >/dev/null 2>&1; }

# start KIND: the program, the raw-cost window (raw; rawansi with ANSI rows)
# or the bare window, on the test desktop.
start() {
  local exe options=()
  case $1 in
    program) rw_start_program "$RW_WINE_PROGRAM"; return ;;
    raw) options=(--raw-window "${raw_options[@]}") ;;
    rawansi) options=(--raw-window --ansi-rows) ;;
    bare) options=(--bare-window) ;;
  esac
  exe=$("$RW_WINE" winepath -w "$bench" 2>/dev/null </dev/null)
  "$RW_WINE" explorer /desktop=runwarden,1024x768 "$exe" "${options[@]}" >/dev/null 2>&1 </dev/null &
  RW_PROGRAM_PID=$!
}

stop() {
  rw_probe close "$1" >/dev/null || true
  rw_wait_for_exit "$RW_PROGRAM_PID" 120 || { rw_log "$1 did not end"; exit 1; }
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
best() { sort -n | head -1; }

# One round for KIND at N: a fresh seed, a timed load, the peak working set
# once every row shows, a timed delete of every row. Appends the figures to
# $work/KIND-load-N, $work/KIND-memory-N and $work/KIND-delete-N.
round() {
  local kind=$1 n=$2 rows=$3 left=$4 title ms
  title=$program_title
  [ "$kind" = program ] || title=$raw_title
  seed "$n"
  start "$kind"
  ms=$(rw_probe timeload "$title" "$rows") || { rw_log "$kind: no load of $rows rows"; exit 1; }
  echo "$ms" >>"$work/$kind-load-$n"
  rw_probe memory "$title" >>"$work/$kind-memory-$n" || { rw_log "$kind: no memory figure"; exit 1; }
  ms=$(rw_probe timedelete "$title" "$left") || { rw_log "$kind: delete did not leave $left rows"; exit 1; }
  echo "$ms" >>"$work/$kind-delete-$n"
  if [ "$kind" = program ]; then  # Undo, with the load after it: the raw cost has none
    ms=$(rw_probe timeundo "$title" "$rows") || { rw_log "program: Undo did not bring back $rows rows"; exit 1; }
    echo "$ms" >>"$work/program-undo-$n"
  fi
  stop "$title"
}

# The bare window's peak working set once it shows, with its status bar
# saying "Ready" over no rows, appended to $work/bare-memory-N.
bare_round() {
  start bare
  rw_probe timeload "$bare_title" 0 >/dev/null || { rw_log "bare window did not show"; exit 1; }
  rw_probe memory "$bare_title" >>"$work/bare-memory-$1" || { rw_log "bare: no memory figure"; exit 1; }
  stop "$bare_title"
}

# memory_ratios N: per round, (program - bare) / (raw - bare) of the peak
# working sets; "-" where the raw cost is not above bare.
memory_ratios() {
  paste "$work/bare-memory-$1" "$work/program-memory-$1" "$work/raw-memory-$1" |
    awk '{ if ($3 > $1) printf "%.2f\n", ($2 - $1) / ($3 - $1); else print "-" }'
}

echo "Runwarden benchmark, $(date -u +%Y-%m-%d), $("$RW_WINE" --version 2>/dev/null), $RW_ARCH build, $(nproc) cores"
echo "times in ms from outside: the median, and the best of the rounds; ratio = program / raw platform cost"
echo "raw platform cost: $raw_rows; bare Wine: $bare_title (the raw cost's window, never loading)"
printf '%7s %7s %6s | %9s %9s %6s | %7s %9s %9s %6s\n' N rows "" load raw ratio deleted delete raw ratio
results=$work/results
: >"$results"
for n in "${sizes[@]}"; do
  files=$((n / 10))
  others=$(( (files / 10) * 3 + (files % 10 > 7 ? files % 10 - 7 : 0) ))  # .ini and .txt: listed, never deleted
  rows=$((n + files))
  rounds=${RW_BENCH_ROUNDS:-5}
  [ "$n" -le 1000 ] && [ -z "${RW_BENCH_ROUNDS:-}" ] && rounds=7
  for ((r = 0; r < rounds; ++r)); do
    RW_BENCH_LAYOUT=$(head -c $((r * ${RW_BENCH_LAYOUT_STEP:-1000})) /dev/zero | tr '\0' x)
    export RW_BENCH_LAYOUT
    for kind in "${kinds[@]}"; do round "$kind" "$n" "$rows" "$others"; done
    bare_round "$n"
  done
  memory_ratios "$n" >"$work/memory-ratio-$n"
  memory_ratio=$({ grep -v -x -- - "$work/memory-ratio-$n" || true; } | median)
  line="$RW_ARCH $n"
  for statistic in median best; do
    for series in program-load raw-load program-delete raw-delete; do
      line+=" $($statistic <"$work/$series-$n")"
    done
  done
  for series in bare program raw; do line+=" $(median <"$work/$series-memory-$n")"; done
  line+=" ${memory_ratio:--}"
  echo "$line" >>"$results"
  read -r _ _ l rl d rd bl brl bd brd <<<"$line"
  awk -v n="$n" -v rows="$rows" -v k=$((rows - others)) -v l="$l" -v rl="$rl" -v d="$d" -v rd="$rd" \
      -v bl="$bl" -v brl="$brl" -v bd="$bd" -v brd="$brd" 'BEGIN {
    printf "%7d %7d %6s | %9.1f %9.1f %6.2f | %7d %9.1f %9.1f %6.2f\n", n, rows, "median", l, rl, l / rl, k, d, rd, d / rd
    printf "%7s %7s %6s | %9.1f %9.1f %6.2f | %7s %9.1f %9.1f %6.2f\n", "", "", "best", bl, brl, bl / brl, "", bd, brd, bd / brd }'
  for kind in "${kinds[@]}"; do
    echo "    rounds, $kind: load $(tr '\n' ' ' <"$work/$kind-load-$n")| delete $(tr '\n' ' ' <"$work/$kind-delete-$n")"
  done
  memory_rounds=("$work/bare-memory-$n" "$work/program-memory-$n" "$work/raw-memory-$n" "$work/memory-ratio-$n")
  memory_heading="bare | program | raw | (program - bare) / (raw - bare)"
  if [ -n "${RW_BENCH_WIDE_COST:-}" ]; then
    memory_rounds+=("$work/rawansi-memory-$n")
    memory_heading+=" | raw with ANSI rows"
  fi
  echo "    peak working set, KB, by round: $memory_heading"
  paste "${memory_rounds[@]}" |
    awk '{ printf "      %d: %8d | %8d | %8d | %s", NR, $1, $2, $3, $4; if (NF > 4) printf " | %8d", $5; printf "\n" }'
  read -r _ _ _ _ _ _ _ _ _ _ mb mp mr mratio <<<"$line"
  spread=$({ grep -v -x -- - "$work/memory-ratio-$n" || true; } | sort -n | sed -n '1p;$p' | paste -sd' ' | awk '{ print $1 ".." $NF }')
  undo_rounds=$(paste "$work/program-undo-$n" "$work/program-delete-$n" | awk '{ printf " %.1f (%.2f)", $1, $1 / $2 }')
  undo_ratio=$(paste "$work/program-undo-$n" "$work/program-delete-$n" | awk '{ printf "%.2f\n", $1 / $2 }' | median)
  echo "    Undo of $((rows - others)) entries, the load after it included, ms (and / the delete), by round:$undo_rounds; median ratio $undo_ratio"
  echo "    memory at $n: bare $mb KB, program $mp KB, raw $mr KB (medians); (program - bare) / (raw - bare) median $mratio, rounds ${spread:-..}"
  if [ -n "${RW_BENCH_WIDE_COST:-}" ]; then
    awk -v l="$(median <"$work/raw-load-$n")" -v al="$(median <"$work/rawansi-load-$n")" \
        -v bl="$(best <"$work/raw-load-$n")" -v bal="$(best <"$work/rawansi-load-$n")" \
        -v d="$(median <"$work/raw-delete-$n")" -v ad="$(median <"$work/rawansi-delete-$n")" \
        -v bd="$(best <"$work/raw-delete-$n")" -v bad="$(best <"$work/rawansi-delete-$n")" \
        -v m="$(median <"$work/raw-memory-$n")" -v am="$(median <"$work/rawansi-memory-$n")" -v n="$n" 'BEGIN {
      printf "    raw cost at %d, load: wide rows cost %.1f ms against %.1f ms for ANSI rows (median; best %.1f against %.1f)\n", n, l, al, bl, bal
      printf "    raw cost at %d, delete: wide rows cost %.1f ms against %.1f ms for ANSI rows (median; best %.1f against %.1f)\n", n, d, ad, bd, bad
      printf "    raw cost at %d, peak working set: wide rows %d KB against %d KB for ANSI rows (medians)\n", n, m, am }'
  fi
done

# Growth: 10x the entries may cost at most 10x the time. On the medians and
# on the best rounds, since one round taken by other work moves either alone.
awk '{ n[NR] = $2; l[NR] = $3; d[NR] = $5; bl[NR] = $7; bd[NR] = $9 }
     END { for (i = 2; i <= NR; ++i)
             printf "growth %d -> %d (%.0fx the entries): load %.1fx (best %.1fx), delete %.1fx (best %.1fx)\n",
                    n[i - 1], n[i], n[i] / n[i - 1], l[i] / l[i - 1], bl[i] / bl[i - 1],
                    d[i] / d[i - 1], bd[i] / bd[i - 1] }' "$results"
if [ -f "$work/program-memory-10000" ]; then
  echo "runwarden.exe with 10,000 values and 1,000 files: peak working set $(median <"$work/program-memory-10000") KB (median of the rounds)"
fi

# A load long enough to look at while it runs: the window must stay drawn.
seed 40000
"$RW_WINE" "$RW_WINE_TOOLS/window_probe.exe" watch "$program_title" >/dev/null 2>&1 </dev/null &
watcher=$!
start program
wait "$watcher" || { rw_log "the program's window did not show"; exit 1; }
# The load starts 500 ms after the window shows and yields to nothing, so the
# program's use of the processor from then on is the load. Asking the window
# would keep the picture from showing it: Wine puts a paint on the screen at
# once only when the program has not waited for messages in the last 50 ms,
# and a loading program waits for none.
program_pid() {
  local pid
  for pid in $(pgrep -x runwarden.exe); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -q -x -F "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
loading() {  # loading PID: the process ran for a quarter or more of the last 0.2 s
  local before after
  before=$(cpu_ticks "$1") || return 1
  sleep 0.2
  after=$(cpu_ticks "$1") || return 1
  [ $((after - before)) -ge $(($(getconf CLK_TCK) / 20)) ]
}
pid=$(program_pid)
[ -n "$pid" ] || { rw_log "no runwarden.exe runs in $WINEPREFIX"; exit 1; }
rw_wait_for "the 40,000-value load to start" 60 loading "$pid" || exit 1
mkdir -p "$RW_ROOT/out"
rw_screenshot "$RW_ROOT/out/bench-during-load.png"
echo "screenshot during a 40,000-value load: out/bench-during-load.png"
# Until it says "Ready": reading 44,000 rows back on every poll would take minutes.
ready() { [ "$(rw_probe status "$program_title" | head -1)" = Ready ]; }
rw_wait_for "the 40,000-value load to end" 300 ready || exit 1
stop "$program_title"

rw_build_program
echo "shipped runwarden.exe (i686): $(stat -c %s "$RW_PROGRAM") bytes"

# Against the last release: the program's share of the platform's cost. Other
# work on a shared machine slows single rounds by twice and more, so a
# regression is one that both the best rounds and the medians show.
echo "against the last release ($(sed -n 's/^# release //p' "$release_figures")):"
status=0
while read -r arch n figures; do
  release=$(awk -v a="$arch" -v n="$n" '$1 == a && $2 == n { $1 = $2 = ""; print }' "$release_figures")
  if [ -z "$release" ]; then
    echo "  $arch N=$n: no release figures"
    continue
  fi
  verdict=$(awk -v now="$figures" -v then="$release" -v limit="$kAllowedRegression" '
    BEGIN {
      split(now, c); split(then, r)
      load = (c[5] / c[6]) / (r[5] / r[6]); del = (c[7] / c[8]) / (r[7] / r[8])
      loadMedian = (c[1] / c[2]) / (r[1] / r[2]); delMedian = (c[3] / c[4]) / (r[3] / r[4])
      printf "load ratio best %.2f (release %.2f: %.2fx), median %.2f (release %.2f: %.2fx); ",
             c[5] / c[6], r[5] / r[6], load, c[1] / c[2], r[1] / r[2], loadMedian
      printf "delete ratio best %.2f (release %.2f: %.2fx), median %.2f (release %.2f: %.2fx)",
             c[7] / c[8], r[7] / r[8], del, c[3] / c[4], r[3] / r[4], delMedian
      if (load > limit && loadMedian > limit) printf "; LOAD REGRESSED"
      if (del > limit && delMedian > limit) printf "; DELETE REGRESSED"
      # Memory, where both have it: told, not judged.
      if (c[12] + 0 > 0 && r[12] + 0 > 0)
        printf "; memory (program - bare) / (raw - bare) %.2f (release %.2f)", c[12], r[12]
    }')
  echo "  $arch N=$n: $verdict"
  case $verdict in *REGRESSED*) status=1 ;; esac
done <"$results"
echo "figures of this run, as $release_figures takes them:"
sed 's/^/  /' "$results"
[ "$status" = 0 ] || echo "a ratio more than 20% worse than the last release's"
exit "$status"
