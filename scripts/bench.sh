#!/usr/bin/env bash
# Benchmark, not a test: the real runwarden.exe as a user runs it, timed from
# outside, against two references of the benchmark's own timed the same way.
#   scripts/bench.sh [N ...]    sizes (default 10000 20000 40000)
# At each size the Run keys hold N values and the Startup folder N/10 files.
# References, in the same run and prefix:
#   raw cost: a window shaped as the program's that makes only the platform
#     calls the program makes, into a plain report list.
#   reads alone: the raw cost's reads, with the same calls and one type
#     lookup per extension, each row's texts made and dropped, and no list:
#     the floor of any load. Its status bar says "Ready" when they are done
#     and tells their count.
# Load: once the window shows, from the last moment it answered with no rows
# (the 500 ms each waits before its first load are not counted) until its
# status bar says "Ready" over every row; then loads again, each from
# Refresh, as F5, until "Ready". A round's load time is the best of them: the
# same reads vary by a fifth and more from one load to the next on this
# machine, the reads alone's as the program's. The reads alone and the
# program are open side by side and load again in turn, RW_BENCH_PAIRS times
# (default 7), so that each pair meets the machine in the same moment; the
# round's program / reads alone is the median of its pairs' ratios, which no
# one slow or lucky load moves. On a virtual machine whose hypervisor takes
# its processors' time elsewhere (the steal of /proc/stat) the machine is not
# quiet: a pair during which more than 3% was taken loads again, up to three
# times, and the round says how many did. The raw cost loads RW_BENCH_LOADS
# times in all (default 5), and its best counts.
# Delete: View > Check All, Delete Checked Items, Yes; from the answer until
# only the rows that are not deleted (the folder's other files) are left.
# Undo (the program only): Options > Undo Delete until the load after it says
# "Ready" over every row again.
# Sort (the program only): with every row shown, View > Sort Descending, then
# Sort Ascending (the menu's commands: they have no shortcut key), from the
# command until the list's first and last rows have changed places.
# Memory: the peak working set, read from outside, once every row shows; and
# of the program and the raw cost over no entries, once they have loaded at
# once (Refresh, as F5) and say "Ready". A row's cost is the increment over
# that empty load, (memory(N) - memory(0)) / rows, round by round. The bare
# window (the raw cost's, never loading) is measured too, for the last
# release's (program - bare) / (raw - bare).
# Where Wine's heap puts the lists' growing arrays moves with everything the
# process allocated before, the size of its environment included, and one
# layout in four or so holds some 6 MB more, the program's as the raw
# cost's. So each round runs in an environment of its own size (a variable
# of RW_BENCH_LAYOUT_STEP, default 1,000, characters more each round, the
# same for every window and size in that round): the medians are those of
# several layouts, and rounds of the same index share one.
# Every round of every series is printed, then its median.
# Targets, judged on every round and on the medians; each prints PASS or
# FAIL, and any FAIL ends the benchmark with status 1:
#   load: the program's load at 10,000, 20,000 and 40,000 entries at most
#     1.15 times the reads alone's (the list costs at most 15% above them).
#   growth: the program's load from 10,000 to 40,000 entries grows at most
#     1.10 times as much as the reads alone's: per round, program / reads
#     alone at 40,000 against that at 10,000, rounds of the same index
#     paired; and the same on the medians of each size.
#   memory: at 10,000, 20,000 and 40,000 entries a row costs the program at
#     most half of what it costs the raw cost, each as its increment over its
#     own empty load, per round and on the medians of those increments.
#   sort: at 40,000 entries (44,000 rows) either sort is done within 100 ms
#     of the command.
# The ratios to the raw cost are also compared with the last release's, in
# tests/bench/release-figures.txt: when both the best rounds' and the
# medians' ratio are 20% worse than the release's, the status is 1 as well.
# The raw cost and the reads show their rows in Unicode where the list holds
# them, as the program decides; RW_BENCH_RAW_ANSI=1 makes them ANSI, and
# RW_BENCH_WIDE_COST=1 times ANSI rows of the raw cost as well, every round,
# to tell what the wide rows cost.
# RW_ARCH=x86_64 times the 64-bit build; RW_BENCH_ROUNDS sets the rounds of
# each size (default 5, 7 up to 1,000 entries). Run it on an idle machine.
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/lib/common.sh"
unset WINEPREFIX

sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10000 20000 40000)
release_figures=$RW_ROOT/tests/bench/release-figures.txt
readonly kAllowedRegression=1.20
readonly kLoadToReads=1.15 kGrowthToReads=1.10 kRowMemoryToRaw=0.5 kSortMs=100
readonly kJudgedSizes=" 10000 20000 40000 " kSortSize=40000 kGrowthFrom=10000 kGrowthTo=40000

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
bench_says() { "$RW_WINE" "$bench" "$1" </dev/null 2>/dev/null | tr -d '\r'; }
raw_title=$(bench_says --raw-title)
bare_title=$(bench_says --bare-title)
reads_title=$(bench_says --reads-title)
raw_options=()
if [ -n "${RW_BENCH_RAW_ANSI:-}" ]; then
  [ -z "${RW_BENCH_WIDE_COST:-}" ] || { rw_log "RW_BENCH_WIDE_COST compares the raw cost's own rows with ANSI rows: unset RW_BENCH_RAW_ANSI"; exit 2; }
  raw_options=(--ansi-rows)
  raw_rows="ANSI rows (RW_BENCH_RAW_ANSI)"
else
  raw_rows=$(bench_says --raw-rows)
fi
kinds=(program raw)  # the windows with a list, timed loading, deleting, and measured
[ -z "${RW_BENCH_WIDE_COST:-}" ] || kinds+=(rawansi)

seed() { "$RW_WINE" "$bench" --seed-only "$1" </dev/null >/dev/null 2>&1; }

title_of() {
  case $1 in
    program) echo "$program_title" ;;
    raw | rawansi) echo "$raw_title" ;;
    reads) echo "$reads_title" ;;
    bare) echo "$bare_title" ;;
  esac
}

# start KIND: the program, the raw-cost window (raw; rawansi with ANSI rows),
# the reads alone or the bare window, on the test desktop.
start() {
  local exe options=()
  case $1 in
    program) rw_start_program "$RW_WINE_PROGRAM"; return ;;
    raw) options=(--raw-window "${raw_options[@]}") ;;
    rawansi) options=(--raw-window --ansi-rows) ;;
    reads) options=(--reads-window "${raw_options[@]}") ;;
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

# One round for KIND at N, on the entries seeded: a timed load, the peak
# working set once every row shows, for the program its two sorts, then a
# timed delete of every row and for the program its Undo. Appends the
# figures to $work/KIND-SERIES-N.
round() {
  local kind=$1 n=$2 rows=$3 left=$4 title ms order
  title=$(title_of "$kind")
  start "$kind"
  ms=$(rw_probe timeload "$title" "$rows") || { rw_log "$kind: no load of $rows rows"; exit 1; }
  rw_probe memory "$title" >>"$work/$kind-memory-$n" || { rw_log "$kind: no memory figure"; exit 1; }
  if [ "$kind" = program ]; then
    paired_loads "$n" "$rows" "$ms"
  else
    best_load "$kind" "$title" "$rows" "$ms" >>"$work/$kind-load-$n"
  fi
  if [ "$kind" = program ]; then  # its load ends sorted ascending
    for order in descending ascending; do
      ms=$(rw_probe timesort "$title" "$order") || { rw_log "program: no sort $order of $rows rows"; exit 1; }
      echo "$ms" >>"$work/program-sort-$order-$n"
    done
  fi
  ms=$(rw_probe timedelete "$title" "$left") || { rw_log "$kind: delete did not leave $left rows"; exit 1; }
  echo "$ms" >>"$work/$kind-delete-$n"
  if [ "$kind" = program ]; then  # Undo, with the load after it: the raw cost has none
    ms=$(rw_probe timeundo "$title" "$rows") || { rw_log "program: Undo did not bring back $rows rows"; exit 1; }
    echo "$ms" >>"$work/program-undo-$n"
  fi
  stop "$title"
  if [ "$kind" = program ]; then
    rw_wait_for_exit "$reads_pid" 120 || { rw_log "the reads alone did not end"; exit 1; }
  fi
}

lesser() { awk -v a="$1" -v b="$2" 'BEGIN { print (b < a ? b : a) }'; }

# best_load KIND TITLE ROWS MS: the least of MS, the first load's time, and
# of RW_BENCH_LOADS - 1 loads again of ROWS rows.
best_load() {
  local best=$4 ms i
  for ((i = 1; i < ${RW_BENCH_LOADS:-5}; ++i)); do
    ms=$(rw_probe loadnow "$2" "$3") || { rw_log "$1: no load again of $3 rows"; exit 1; }
    best=$(lesser "$best" "$ms")
  done
  echo "$best"
}

# The reads alone, opened before the program's round at N and left open
# beside it: its first load of ROWS is timed into reads_first.
reads_open() {
  start reads
  reads_pid=$RW_PROGRAM_PID
  reads_first=$(rw_probe timeload "$reads_title" "$2") || { rw_log "reads alone: no load of $2 rows"; exit 1; }
}

# stolen_ms: the processor time the hypervisor has given elsewhere since
# boot, over every processor of this virtual machine (0 on real hardware).
stolen_ms() { awk -v hz="$(getconf CLK_TCK)" '/^cpu / { print $9 * 1000 / hz }' /proc/stat; }

# paired_loads N ROWS MS: the reads alone and the program, open side by
# side, load again in turn, RW_BENCH_PAIRS times each, so that a slower
# moment of the machine falls on both loads of a pair alike. On a virtual
# machine a pair during which the hypervisor took more than 3% of its
# processors' time (and more than two of its 10 ms ticks) is not a quiet
# machine's: it is loaded again, up to RW_BENCH_RETAKES times (default 3),
# and its last try counts. Each side's
# best, its first load (MS for the program's) included, is appended to
# $work/KIND-load-N; the median of the pairs' program / reads alone to
# $work/load-to-reads-N, and the pairs' ratios, least first, with the pairs
# loaded again and those never quiet, to $work/load-pairs-N. Then the reads
# alone's window closes. Its process, which holds the test desktop, ends with
# the program's: round waits for it then.
paired_loads() {
  local reads program stolen i try retaken=0 noisy=0
  local -r cores=$(nproc)
  : >"$work/pair-reads"
  : >"$work/pair-program"
  for ((i = 0; i < ${RW_BENCH_PAIRS:-7}; ++i)); do
    for ((try = 0; ; ++try)); do
      stolen=$(stolen_ms)
      reads=$(rw_probe loadnow "$reads_title" "$2") || { rw_log "reads alone: no load again of $2 rows"; exit 1; }
      program=$(rw_probe loadnow "$program_title" "$2") || { rw_log "program: no load again of $2 rows"; exit 1; }
      awk -v before="$stolen" -v after="$(stolen_ms)" -v ms="$((${reads%.*} + ${program%.*}))" -v cores="$cores" \
        'BEGIN { s = after - before; exit !(s > 20 && s > 0.03 * ms * cores) }' || break
      if ((try == ${RW_BENCH_RETAKES:-3})); then
        ((++noisy))
        break
      fi
      ((++retaken))
    done
    echo "$reads" >>"$work/pair-reads"
    echo "$program" >>"$work/pair-program"
  done
  { echo "$reads_first"; cat "$work/pair-reads"; } | best >>"$work/reads-load-$1"
  { echo "$3"; cat "$work/pair-program"; } | best >>"$work/program-load-$1"
  ratios "$work/pair-program" "$work/pair-reads" >"$work/pair-ratios"
  median <"$work/pair-ratios" >>"$work/load-to-reads-$1"
  echo "$(sort -n "$work/pair-ratios" | paste -sd ' ')$( ((retaken == 0)) || echo " · $retaken loaded again")$( ((noisy == 0)) || echo " · $noisy never quiet")" >>"$work/load-pairs-$1"
  rw_probe close "$reads_title" >/dev/null || true
}

# With no entries seeded: the peak working set of KIND (program or raw) once
# it has loaded at once and says "Ready" over no rows, appended to
# $work/KIND-empty-N.
empty_round() {
  local title
  title=$(title_of "$1")
  start "$1"
  rw_probe loadnow "$title" 0 >/dev/null || { rw_log "$1: no empty load"; exit 1; }
  rw_probe memory "$title" >>"$work/$1-empty-$2" || { rw_log "$1: no memory figure"; exit 1; }
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

# row_bytes KIND N ROWS: per round, the bytes a row adds to KIND's peak
# working set over its empty load.
row_bytes() {
  paste "$work/$1-empty-$2" "$work/$1-memory-$2" | awk -v rows="$3" '{ printf "%.1f\n", ($2 - $1) * 1024 / rows }'
}

# target WHAT LIMIT FILE MEDIANS: judges each round's figure in FILE (one a
# line; "-" where there is none) and the medians' figure against LIMIT, a
# figure at most LIMIT passing, on one line, appended to $work/targets too.
target() {
  local what=$1 limit=$2 file=$3
  awk -v what="$what" -v limit="$limit" -v m="$4" '
    function judge(v) { if (v == "-" || v == "") return "n/a"; return v + 0 <= limit + 0 ? "PASS" : "FAIL" }
    { rounds = rounds sprintf(" %d: %s %s,", NR, $1, judge($1)) }
    END { printf "    target %s: rounds%s medians: %s %s\n", what, rounds, m, judge(m) }' "$file" | tee -a "$work/targets"
}

ratios() { paste "$1" "$2" | awk '{ if ($2 > 0) printf "%.2f\n", $1 / $2; else print "-" }'; }

echo "Runwarden benchmark, $(date -u +%Y-%m-%d), $("$RW_WINE" --version 2>/dev/null), $RW_ARCH build, $(nproc) cores"
echo "times in ms from outside: the median, and the best of the rounds; ratio = program / reference"
echo "raw platform cost: $raw_rows; reads alone: its reads, no list; bare Wine: $bare_title (the raw cost's window, never loading)"
echo "round r runs in an environment (r - 1) * ${RW_BENCH_LAYOUT_STEP:-1000} characters larger, at every size"
printf '%7s %7s %6s | %9s %9s %9s %6s %6s | %7s %9s %9s %6s\n' N rows "" load raw reads /raw /reads deleted delete raw ratio
results=$work/results
: >"$results"
: >"$work/targets"
for n in "${sizes[@]}"; do
  files=$((n / 10))
  others=$(( (files / 10) * 3 + (files % 10 > 7 ? files % 10 - 7 : 0) ))  # .ini and .txt: listed, never deleted
  rows=$((n + files))
  rounds=${RW_BENCH_ROUNDS:-5}
  [ "$n" -le 1000 ] && [ -z "${RW_BENCH_ROUNDS:-}" ] && rounds=7
  for ((r = 0; r < rounds; ++r)); do
    RW_BENCH_LAYOUT=$(head -c $((r * ${RW_BENCH_LAYOUT_STEP:-1000})) /dev/zero | tr '\0' x)
    export RW_BENCH_LAYOUT
    seed "$n"
    reads_open "$n" "$rows"  # reads only: the program meets the same seed, and loads beside it
    round program "$n" "$rows" "$others"
    for kind in "${kinds[@]:1}"; do
      seed "$n"
      round "$kind" "$n" "$rows" "$others"
    done
    seed 0
    empty_round program "$n"
    empty_round raw "$n"
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
      -v bl="$bl" -v brl="$brl" -v bd="$bd" -v brd="$brd" \
      -v sl="$(median <"$work/reads-load-$n")" -v bsl="$(best <"$work/reads-load-$n")" 'BEGIN {
    printf "%7d %7d %6s | %9.1f %9.1f %9.1f %6.2f %6.2f | %7d %9.1f %9.1f %6.2f\n", n, rows, "median", l, rl, sl, l / rl, l / sl, k, d, rd, d / rd
    printf "%7s %7s %6s | %9.1f %9.1f %9.1f %6.2f %6.2f | %7s %9.1f %9.1f %6.2f\n", "", "", "best", bl, brl, bsl, bl / brl, bl / bsl, "", bd, brd, bd / brd }'

  # Every round.
  load_columns=("$work/program-load-$n" "$work/raw-load-$n" "$work/reads-load-$n" "$work/load-to-reads-$n")
  load_heading="program | raw | reads alone (best loads) | program / reads alone (median of the pairs)"
  delete_columns=("$work/program-delete-$n" "$work/raw-delete-$n")
  delete_heading="program | raw"
  if [ -n "${RW_BENCH_WIDE_COST:-}" ]; then
    load_columns+=("$work/rawansi-load-$n"); load_heading+=" | raw with ANSI rows"
    delete_columns+=("$work/rawansi-delete-$n"); delete_heading+=" | raw with ANSI rows"
  fi
  echo "    load, ms, by round: $load_heading"
  paste "${load_columns[@]}" "$work/load-pairs-$n" |
    awk -F '\t' '{ printf "      %d:", NR; for (i = 1; i < NF; ++i) printf " %9s |", $i; printf " pairs %s\n", $NF }'
  echo "    delete of $((rows - others)) entries, ms, by round: $delete_heading | program's Undo, the load after it included (and / its delete)"
  paste "${delete_columns[@]}" "$work/program-undo-$n" "$work/program-delete-$n" |
    awk '{ printf "      %d:", NR; for (i = 1; i <= NF - 2; ++i) printf " %9s |", $i; printf " %9s (%.2f)\n", $(NF - 1), $(NF - 1) / $NF }'
  echo "    sort of $rows rows, ms, by round: descending | ascending"
  paste "$work/program-sort-descending-$n" "$work/program-sort-ascending-$n" | awk '{ printf "      %d: %9s | %9s\n", NR, $1, $2 }'
  row_bytes program "$n" "$rows" >"$work/program-row-bytes-$n"
  row_bytes raw "$n" "$rows" >"$work/raw-row-bytes-$n"
  ratios "$work/program-row-bytes-$n" "$work/raw-row-bytes-$n" >"$work/row-bytes-ratio-$n"
  memory_columns=("$work/program-empty-$n" "$work/program-memory-$n" "$work/raw-empty-$n" "$work/raw-memory-$n"
                  "$work/bare-memory-$n" "$work/program-row-bytes-$n" "$work/raw-row-bytes-$n" "$work/row-bytes-ratio-$n"
                  "$work/memory-ratio-$n")
  memory_heading="program empty | program | raw empty | raw | bare || bytes a row over the empty load: program | raw | program / raw || (program - bare) / (raw - bare)"
  if [ -n "${RW_BENCH_WIDE_COST:-}" ]; then
    memory_columns+=("$work/rawansi-memory-$n")
    memory_heading+=" || raw with ANSI rows"
  fi
  echo "    peak working set, KB, by round: $memory_heading"
  paste "${memory_columns[@]}" |
    awk '{ printf "      %d: %8d | %8d | %8d | %8d | %8d || %7s | %7s | %5s || %s", NR, $1, $2, $3, $4, $5, $6, $7, $8, $9
           if (NF > 9) printf " || %8d", $10; printf "\n" }'
  read -r _ _ _ _ _ _ _ _ _ _ mb mp mr mratio <<<"$line"
  spread=$({ grep -v -x -- - "$work/memory-ratio-$n" || true; } | sort -n | sed -n '1p;$p' | paste -sd' ' | awk '{ print $1 ".." $NF }')
  undo_ratio=$(paste "$work/program-undo-$n" "$work/program-delete-$n" | awk '{ printf "%.2f\n", $1 / $2 }' | median)
  echo "    medians at $n: Undo $(median <"$work/program-undo-$n") ms (/ the delete $undo_ratio); sort descending $(median <"$work/program-sort-descending-$n") ms, ascending $(median <"$work/program-sort-ascending-$n") ms"
  echo "    memory at $n: bare $mb KB, program $mp KB (empty $(median <"$work/program-empty-$n")), raw $mr KB (empty $(median <"$work/raw-empty-$n")) (medians); (program - bare) / (raw - bare) median $mratio, rounds ${spread:-..}"
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

  # The targets at this size.
  if [[ $kJudgedSizes == *" $n "* ]]; then
    median_figure=$(median <"$work/load-to-reads-$n")
    target "load at $n, program / reads alone <= $kLoadToReads" "$kLoadToReads" "$work/load-to-reads-$n" "$median_figure"
    median_figure=$(awk -v p="$(median <"$work/program-row-bytes-$n")" -v r="$(median <"$work/raw-row-bytes-$n")" \
                      'BEGIN { if (r > 0) printf "%.2f", p / r; else print "-" }')
    target "memory a row over the empty load at $n, program / raw <= $kRowMemoryToRaw" "$kRowMemoryToRaw" "$work/row-bytes-ratio-$n" "$median_figure"
  fi
  if [ "$n" = "$kSortSize" ]; then
    for order in descending ascending; do
      median_figure=$(median <"$work/program-sort-$order-$n")
      target "sort $order of $rows rows <= $kSortMs ms" "$kSortMs" "$work/program-sort-$order-$n" "$median_figure"
    done
  fi
done

# Growth: 10x the entries may cost at most 10x the time. On the medians and
# on the best rounds, since one round taken by other work moves either alone.
awk '{ n[NR] = $2; l[NR] = $3; d[NR] = $5; bl[NR] = $7; bd[NR] = $9 }
     END { for (i = 2; i <= NR; ++i)
             printf "growth %d -> %d (%.0fx the entries): load %.1fx (best %.1fx), delete %.1fx (best %.1fx)\n",
                    n[i - 1], n[i], n[i] / n[i - 1], l[i] / l[i - 1], bl[i] / bl[i - 1],
                    d[i] / d[i - 1], bd[i] / bd[i - 1] }' "$results"
# The growth target: the program's load against the reads alone's, from the
# smaller to the larger size, round by round (the same layout) and on the medians.
if [ -f "$work/program-load-$kGrowthFrom" ] && [ -f "$work/program-load-$kGrowthTo" ]; then
  growth() { ratios "$work/$1-load-$kGrowthTo" "$work/$1-load-$kGrowthFrom"; }
  # (program / reads) at the larger size over that at the smaller: the
  # program's growth over the reads', each size's figure its pairs' median.
  paste "$work/load-to-reads-$kGrowthTo" "$work/load-to-reads-$kGrowthFrom" |
    awk -v k="$kGrowthToReads" '{ if ($2 > 0) printf "%.2f\n", $1 / ($2 * k); else print "-" }' >"$work/growth-to-reads"
  median_figure=$(awk -v to="$(median <"$work/load-to-reads-$kGrowthTo")" -v from="$(median <"$work/load-to-reads-$kGrowthFrom")" \
                      -v k="$kGrowthToReads" 'BEGIN { printf "%.2f", to / (from * k) }')
  echo "load growth $kGrowthFrom -> $kGrowthTo by round (best loads), program | reads alone:" \
       "$(paste <(growth program) <(growth reads) | awk '{ printf " %d: %.2fx | %.2fx;", NR, $1, $2 }')"
  target "load growth $kGrowthFrom -> $kGrowthTo, program's / (reads alone's x $kGrowthToReads) <= 1" 1 "$work/growth-to-reads" "$median_figure"
fi
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
verdicts() { { grep -o -w -- "$1" "$work/targets" || true; } | wc -l; }
failed=$(verdicts FAIL)
echo "targets: $(verdicts PASS) verdicts PASS, $failed FAIL, $(verdicts n/a) n/a (the lines \"target ...\" above)"
[ "$failed" = 0 ] || status=1
exit "$status"
