#!/usr/bin/env bash
# Every common-control message, style, notification, structure and function
# the program's sources use stands in docs/common-controls.md with the
# comctl32 version that brought it; anything newer than 4.00, the version
# Windows 95 and NT 4.0 ship, must be marked optional there (or not used).
set -uo pipefail
source "$(dirname "$0")/lib.sh"
table=$RW_ROOT/docs/common-controls.md

# Names as the code spells them, comments left out.
used=$(cd "$RW_ROOT" && find core ui platform/win32 -name '*.cpp' -o -name '*.h' | sort \
  | xargs sed -e 's://.*$::' \
  | grep -ohE '\b(LVM|LVS_EX|LVS|LVN|LVIF|LVIS|LVHT|LVNI|LVSIL|LVCF|LVCFMT|LVIR|TB|TBSTYLE|TBSTATE|TTN|NM|SB|SBARS|CCS|ILC|ICC)_[A-Z0-9_]+\b|\b(WC_LISTVIEWA|TOOLBARCLASSNAMEA|STATUSCLASSNAMEA|INDEXTOSTATEIMAGEMASK|InitCommonControls|ImageList_[A-Za-z]+|TBADDBITMAP|TBBUTTON|LVITEMA|LVCOLUMNA|LVHITTESTINFO|NMTTDISPINFOA|NMTTDISPINFOW)\b' \
  | sort -u)
expect_true "the sources use common controls at all ($(wc -l <<<"$used") names)" test "$(wc -l <<<"$used")" -gt 30
expect_true "the table is there" test -f "$table"

# Rows "| Name | Kind | comctl32 | How the program uses it | Source |".
# A name cell may hold several names; each counts.
rows=$(awk -F'|' 'NF >= 6 {
    cell = $2; version = $4; use = tolower($5)
    gsub(/ /, "", version)
    need = (use ~ /optional|not used/ ? "optional" : "always")
    while (match(cell, /[A-Za-z_][A-Za-z0-9_]*/)) {
      print substr(cell, RSTART, RLENGTH), version, need
      cell = substr(cell, RSTART + RLENGTH)
    }
  }' "$table" 2>/dev/null)
missing=() newer=()
while read -r name; do
  row=$(awk -v n="$name" '$1 == n' <<<"$rows" | head -1)
  if [ -z "$row" ]; then missing+=("$name"); continue; fi
  read -r _ version need <<<"$row"
  [ "$version" = "4.00" ] || [ "$need" = optional ] || newer+=("$name ($version)")
done <<<"$used"
expect_eq "every name the program uses stands in the table" "" "$(printf '%s\n' "${missing[@]}")"
expect_eq "everything newer than comctl32 4.00 is optional" "" "$(printf '%s\n' "${newer[@]}")"
e2e_summary
