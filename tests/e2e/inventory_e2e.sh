#!/usr/bin/env bash
# The real program under Wine on a seeded prefix: what it lists for each
# supported version, and F5 after a change made from outside.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin inventory
expected_dir=$(dirname "$0")/expected
title="Windows Runwarden"

user=$(rw_wine cmd /c 'echo %USERNAME%' 2>/dev/null </dev/null | tr -d '\r')

rows_texts() { cut -f3-; }
shown_rows() { rw_probe rows "$title" | rows_texts; }
rows_marks() { cut -f1-2 | tr '\t' ' ' | tr '\n' '|'; }
marks_for() {  # first row selected, nothing checked
  local count=$1 marks="1 0|" i
  for ((i = 1; i < count; i++)); do marks+="0 0|"; done
  printf '%s' "$marks"
}

for version in win98 win95 nt40; do
  echo "Windows version $version:"
  rw_set_app_version "$version"
  expected=$(sed "s/@USER@/$user/" "$expected_dir/inventory-$([ $version = nt40 ] && echo nt40 || echo win98).tsv")
  rw_start_program "$RW_WINE_PROGRAM"
  if ! e2e_wait_rows "$title"; then
    rw_probe texts "$title" | sed 's/^/    /'
    e2e_stop_prefix
    continue
  fi
  rows=$(rw_probe rows "$title")
  expect_eq "$version: rows sorted ascending by name" "$expected" "$(rows_texts <<<"$rows")"
  expect_eq "$version: first row selected, none checked" "$(marks_for "$(wc -l <<<"$expected")")" \
    "$(rows_marks <<<"$rows")"
  if [ "$version" = win98 ]; then
    e2e_screenshot "$E2E_SHOTS/inventory-win98.png"

    # An outside change shows after F5, pressed on the keyboard.
    rw_wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v "Added Later" \
      /d 'c:\later.exe -x' /f >/dev/null 2>&1 </dev/null
    rw_wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v SystemTray /f \
      >/dev/null 2>&1 </dev/null
    xdotool mousemove 512 384
    want=$( (printf '%s\n' "$expected" | grep -v '^SystemTray'; printf 'Added Later\tc:\\later.exe -x\tReg - HKCU\n') \
      | sort -f -t$'\t' -k1,1)
    xdotool key F5
    expect_eventually_eq "win98: F5 reads the inventory again" 30 "$want" shown_rows
    rw_wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v "Added Later" /f \
      >/dev/null 2>&1 </dev/null
    rw_wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v SystemTray \
      /d 'SysTray.Exe' /f >/dev/null 2>&1 </dev/null
  fi
  rw_probe close "$title" >/dev/null
  expect_eventually "$version: the program ends when its window closes" 30 e2e_program_gone
  e2e_stop_prefix
done

# F5 pressed as soon as the window shows, before the timer's first load:
# each entry is listed once, and stays so when the timer's time has passed.
echo "F5 before the first load:"
rw_set_app_version win98
expected=$(sed "s/@USER@/$user/" "$expected_dir/inventory-win98.tsv")
rw_start_program "$RW_WINE_PROGRAM"
window_shown() { rw_probe frame "$title" >/dev/null; }
e2e_wait_for "the main window" 30 window_shown
xdotool mousemove 512 384 key F5
shown_since=$SECONDS
e2e_wait_rows "$title"
# The timer would have loaded a second time half a second after the window showed.
while [ $((SECONDS - shown_since)) -lt 2 ] && shows_rows "$expected"; do :; done
expect_eq "each entry is listed once" "$expected" "$(rw_probe rows "$title" | rows_texts)"
rw_probe close "$title" >/dev/null
expect_true "the program ends when its window closes" e2e_wait_gone 30
e2e_stop_prefix

# A user's Run key nobody may read (an empty DACL): everything else is listed,
# and one message names the key with the system's reason; once the key can be
# read again, F5 lists its values and says nothing.
echo "An unreadable Run key:"
rw_set_app_version win98
rw_wine "$RW_WINE_TOOLS/seed_demo_prefix.exe" --deny-user-run >/dev/null </dev/null
expected=$(sed "s/@USER@/$user/" "$expected_dir/inventory-win98.tsv")
readable=$(grep -v 'Reg - HKCU$' <<<"$expected")
denied=$(rw_probe error 5)
says() { grep -q -F "$1" <<<"$(rw_probe dialog "$title")"; }
rw_start_program "$RW_WINE_PROGRAM"
e2e_wait_rows "$title"
expect_eventually "a message names the key and why it could not be read" 30 \
  says "Reg - HKCU (HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run): $denied 0 items were read from it."
expect_eq "everything else is listed" "$readable" "$(rw_probe rows "$title" | rows_texts)"
expect_eq "and the list is Ready under it" "Ready" "$(rw_probe status "$title" | head -1)"
e2e_screenshot "$E2E_SHOTS/inventory-unreadable-key.png"
xdotool key Return
e2e_wait_for "the message to close" 30 e2e_dialog_closed "$title"
rw_wine "$RW_WINE_TOOLS/seed_demo_prefix.exe" --allow-user-run >/dev/null </dev/null
xdotool key F5
expect_eventually_eq "F5 lists them once the key can be read" 30 "$expected" shown_rows
expect_true "and says nothing" e2e_dialog_closed "$title"
rw_probe close "$title" >/dev/null
expect_eventually "the program ends when its window closes" 30 e2e_program_gone
e2e_stop_prefix
nul=$'\xe2\x90\x80'  # how a row shows a NUL: U+2400, in UTF-8 as the probe prints it
# Values whose names hold a NUL, beside "Evil" and the default value they
# would read as: rows of their own, and checking them deletes exactly them.
run_names() { rw_wine "$RW_WINE_TOOLS/seed_demo_prefix.exe" --user-run-names 2>/dev/null </dev/null | tr -d '\r' | sort; }
row_checked() { [ "$(rw_probe rows "$title" | awk -F'\t' -v n="$1" '$3 == n {print $2}')" = 1 ]; }
check_row() {
  local x y
  read -r x y <<<"$(rw_probe checkbox "$title" "$(e2e_row_of "$title" "$1")")"
  xdotool mousemove "$x" "$y" click 1
  e2e_wait_for "the box of $1 to be checked" 30 row_checked "$1"
}
lacks_row() { ! rw_probe rows "$title" | cut -f3 | grep -q -x -F "$1"; }
for version in nt40 win98; do
  echo "Names that hold a NUL, as $version:"
  rw_set_app_version "$version"
  rw_wine "$RW_WINE_TOOLS/seed_demo_prefix.exe" --nul-names >/dev/null </dev/null
  kept=$(run_names | grep -v -x -F -e 'Evil\0Hidden' -e '\0Lead')
  rw_start_program "$RW_WINE_PROGRAM"
  e2e_wait_rows "$title"
  rows=$(rw_probe rows "$title" | rows_texts)
  for row in $'Evil\tevil.exe\tReg - HKCU' $'Evil'"$nul"$'Hidden\thidden.exe\tReg - HKCU' \
    $''"$nul"$'Lead\tlead.exe\tReg - HKCU' $'\tdefault.exe\tReg - HKCU'; do
    expect_true "$version: a row reads '${row%%$'\t'*}'" grep -q -x -F "$row" <<<"$rows"
  done
  [ "$version" = nt40 ] && e2e_screenshot "$E2E_SHOTS/inventory-nul-names.png"
  check_row $'Evil'"$nul"$'Hidden'
  check_row $''"$nul"$'Lead'
  xdotool key alt+o d
  e2e_wait_dialog "$title"
  xdotool key Return
  e2e_wait_for "the checked rows to leave the list" 30 lacks_row $'Evil'"$nul"$'Hidden'
  expect_eq "$version: exactly the checked values are gone" "$kept" "$(run_names)"
  expect_true "$version: and nothing is reported" e2e_dialog_closed "$title"
  rw_probe close "$title" >/dev/null
  expect_true "$version: the program ends when its window closes" e2e_wait_gone 30
  e2e_stop_prefix
done

e2e_summary
