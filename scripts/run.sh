#!/usr/bin/env bash
# Builds runwarden.exe and starts it under Wine.
#   WINEPREFIX                 a prefix to manage; without it, a demo prefix in
#                              ./demo-prefix, made and seeded on first use
#   RUNWARDEN_WINDOWS_VERSION  win98 (default), win95 or nt40: the version the
#                              program sees, set for runwarden.exe only
#   RUNWARDEN_PREFIX_FONTS=1   also gives a WINEPREFIX of your own the fonts the
#                              demo prefix has (Marlett, a CJK fallback font)
# With no DISPLAY it runs on a private Xvfb, saves a screenshot of the window
# once the list has loaded, prints where, and ends the program; its status is 1
# when the list did not load or the program did not end.
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/lib/common.sh"

version=${RUNWARDEN_WINDOWS_VERSION:-win98}
case "$version" in
  win95|win98|nt40) ;;
  *) echo "RUNWARDEN_WINDOWS_VERSION must be win95, win98 or nt40" >&2; exit 2 ;;
esac

rw_build_for_wine

if [ -n "${WINEPREFIX:-}" ]; then
  # The user's own prefix keeps its fonts unless asked otherwise.
  rw_boot_prefix "$WINEPREFIX"
  if [ "${RUNWARDEN_PREFIX_FONTS:-0}" = 1 ]; then rw_prefix_fonts; fi
else
  rw_prepare_prefix "$RW_ROOT/demo-prefix/pfx"
  # The marker names the set seeded; a prefix seeded with an older set gets this one too.
  demo_set="Windows 98 set with Greek, Chinese and fullwidth names"
  if [ "$(cat "$RW_ROOT/demo-prefix/seeded" 2>/dev/null)" != "$demo_set" ]; then
    rw_wine "$RW_WINE_TOOLS/seed_demo_prefix.exe" --unicode </dev/null
    echo "$demo_set" >"$RW_ROOT/demo-prefix/seeded"
  fi
fi
rw_set_app_version "$version"
rw_log "prefix $WINEPREFIX, Windows version $version ($RW_ARCH Wine)"

if [ -n "${DISPLAY:-}" ]; then
  exe=$(rw_wine winepath -w "$RW_WINE_PROGRAM" 2>/dev/null </dev/null)
  exec "$RW_WINE" "$exe"
fi

trap rw_stop_xvfb EXIT
rw_start_xvfb
rw_start_program "$RW_WINE_PROGRAM"
shot=$RW_ROOT/out/runwarden-$version.png
mkdir -p "$(dirname "$shot")"
status=0
rw_wait_for "the list in the window to load" 60 rw_list_loaded "Windows Runwarden" || status=1
rw_settled_screenshot "$shot" 30 || status=1
# Cut to the window, as a picture of the program rather than of the desktop.
if read -r left top right bottom <<<"$(rw_probe frame "Windows Runwarden")" && [ -n "${bottom:-}" ]; then
  convert "$shot" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$shot"
fi
rw_probe close "Windows Runwarden" >/dev/null || true
if ! rw_wait_for_exit "$RW_PROGRAM_PID" 30; then
  kill "$RW_PROGRAM_PID" 2>/dev/null || true
  status=1
fi
echo "screenshot: $shot"
exit $status
