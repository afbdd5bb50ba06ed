#!/usr/bin/env bash
# runwarden.exe as shipped: a Windows 95 / NT 4.0 GUI program that needs only
# the system's own DLLs.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
source "$(dirname "$0")/lib.sh"

echo "program image: $RW_PROGRAM"
headers=$(i686-w64-mingw32-objdump -p "$RW_PROGRAM")
expect_eq "32-bit i386 image" "pei-i386" "$(i686-w64-mingw32-objdump -f "$RW_PROGRAM" | sed -n 's/.*file format //p')"
expect_eq "GUI subsystem" "00000002" "$(awk '$1 == "Subsystem" {print $2}' <<<"$headers")"
expect_eq "subsystem version 4.0" "4.0" \
  "$(awk '$1 == "MajorSubsystemVersion" {a=$2} $1 == "MinorSubsystemVersion" {b=$2} END {print a "." b}' <<<"$headers")"

allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|SHELL32|COMDLG32|OLE32|OLEAUT32|MSVCRT|VERSION|RICHED32|RICHED20)\.DLL$'
dlls=$(awk '/DLL Name:/ {print toupper($3)}' <<<"$headers" | sort)
others=$(grep -v -E "$allowed" <<<"$dlls" || true)
expect_eq "imports only system DLLs (imports: $(echo $dlls))" "" "$others"

size=$(stat -c %s "$RW_PROGRAM")
expect_true "at most 256 KB ($size bytes)" test "$size" -le 262144

version=$(strings -el "$RW_PROGRAM" | grep -A1 -x 'FileVersion' | tail -1)
expect_eq "version information 1.0.1" "1.0.1" "$version"
expect_true "carries its icon" bash -c "i686-w64-mingw32-objdump -h '$RW_PROGRAM' | grep -q '\.rsrc'"
e2e_summary
