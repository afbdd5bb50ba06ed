#!/usr/bin/env bash
# runwarden.exe as shipped: a Windows 95 / NT 4.0 GUI program that needs only
# what those systems carry. Its real import table is read and every function
# in it must stand in the audit table, docs/windows-imports.md, as exported
# and implemented by both Windows 95 (4.00.950) and NT 4.0.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
audit=$RW_ROOT/docs/windows-imports.md

echo "program image: $RW_PROGRAM"
headers=$(i686-w64-mingw32-objdump -p "$RW_PROGRAM")
expect_eq "32-bit i386 image" "pei-i386" "$(i686-w64-mingw32-objdump -f "$RW_PROGRAM" | sed -n 's/.*file format //p')"
expect_eq "GUI subsystem" "00000002" "$(awk '$1 == "Subsystem" {print $2}' <<<"$headers")"
expect_eq "subsystem version 4.0" "4.0" \
  "$(awk '$1 == "MajorSubsystemVersion" {a=$2} $1 == "MinorSubsystemVersion" {b=$2} END {print a "." b}' <<<"$headers")"
expect_eq "operating system version 4.0" "4.0" \
  "$(awk '$1 == "MajorOSystemVersion" {a=$2} $1 == "MinorOSystemVersion" {b=$2} END {print a "." b}' <<<"$headers")"

# Every import as "DLL Function", the DLL in upper case without ".DLL".
imports=$(awk '/DLL Name:/ {dll = toupper($3); sub(/\.DLL$/, "", dll)}
               /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ {print dll, $NF}
               /^\t[0-9a-f]+\t +<none> +[0-9]+/ {print dll, "ordinal-" $3}' <<<"$headers" | sort -u)
dlls=$(cut -d' ' -f1 <<<"$imports" | sort -u)
expect_true "imports functions at all (found $(wc -l <<<"$imports"))" test "$(wc -l <<<"$imports")" -gt 50

# The DLLs Windows 95 and NT 4.0 ship; a C runtime only as their own CRTDLL.
shipped='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|COMDLG32|VERSION|CRTDLL)$'
expect_eq "imports only DLLs that Windows 95 and NT 4.0 ship (imports: $(echo $dlls))" "" \
  "$(grep -v -E "$shipped" <<<"$dlls")"
expect_eq "no msvcrt.dll, which Windows 95 as shipped lacks" "" "$(grep -x MSVCRT <<<"$dlls")"

# Windows 95 implements next to no wide-character functions.
wide=$(awk '{print $2}' <<<"$imports" | grep -E '[a-z0-9]W$' \
  | grep -v -x -E 'MultiByteToWideChar|WideCharToMultiByte' || true)
expect_eq "no wide-character function" "" "$wide"
expect_eq "no import by ordinal alone" "" "$(grep ' ordinal-' <<<"$imports")"

# The audit table: rows "| DLL | Function | Windows 95 | NT 4.0 | Source |".
expect_true "the audit table is there" test -f "$audit"
audited=$(awk -F'|' 'NF >= 6 {
    dll = $2; name = $3; w95 = $4; nt4 = $5; source = $6
    gsub(/^ +| +$/, "", dll); gsub(/^ +| +$/, "", name); gsub(/ /, "", name)
    sub(/^ +/, "", w95); sub(/^ +/, "", nt4)
    if (dll ~ /^[A-Z0-9]+$/ && name ~ /^[A-Za-z_][A-Za-z0-9_]*$/)
      print dll, name, (w95 ~ /^yes/ ? "yes" : "no"), (nt4 ~ /^yes/ ? "yes" : "no"), (source ~ /\]\(http/ ? "cited" : "uncited")
  }' "$audit" 2>/dev/null | sort -u)
missing=() refused=() uncited=()
while read -r dll name; do
  row=$(grep -E "^$dll $name " <<<"$audited" | head -1)
  if [ -z "$row" ]; then missing+=("$dll $name"); continue; fi
  read -r _ _ w95 nt4 cited <<<"$row"
  [ "$w95 $nt4" = "yes yes" ] || refused+=("$dll $name (Windows 95: $w95, NT 4.0: $nt4)")
  [ "$cited" = cited ] || uncited+=("$dll $name")
done <<<"$imports"
expect_eq "every import stands in the audit table" "" "$(printf "%s\n" "${missing[@]}")"
expect_eq "every import is implemented by Windows 95 and NT 4.0" "" "$(printf "%s\n" "${refused[@]}")"
expect_eq "every audited import cites its source" "" "${uncited[*]}"

size=$(stat -c %s "$RW_PROGRAM")
expect_true "at most 256 KB ($size bytes)" test "$size" -le 262144

version=$(strings -el "$RW_PROGRAM" | grep -A1 -x 'FileVersion' | tail -1)
expect_eq "version information 1.0.1" "1.0.1" "$version"
icon=$(sed -n 's/^#define IDI_RUNWARDEN \([0-9]*\).*/\1/p' "$RW_ROOT/res/resource.h")
expect_eq "carries its icon: 32x32 and 16x16 pictures in 16 colours" \
  "$(printf '%s\n' "$icon 32x32 4" "$icon 16x16 4")" \
  "$(python3 "$RW_ROOT/tests/e2e/pe_icons.py" "$RW_PROGRAM" 2>&1 | sort -r)"
e2e_summary
