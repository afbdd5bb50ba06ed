# Shared by the run and test commands: builds, Wine prefixes and a display.
# Source it; it sets RW_ROOT and defines rw_* functions.

RW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
RW_BUILD=$RW_ROOT/build

# The shipped program is always 32-bit. Where this machine cannot execute
# 32-bit programs (no i386 support in the kernel or sandbox), Wine runs a
# 64-bit build of the same sources instead.
rw_wine_arch() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
}
RW_ARCH=${RW_ARCH:-$(rw_wine_arch)}
if [ "$RW_ARCH" = i686 ]; then RW_WINE=/usr/lib/wine/wine; else RW_WINE=/usr/lib/wine/wine64; fi
RW_WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

rw_log() { echo "[runwarden] $*" >&2; }

# rw_cmake_build DIR [cmake options...]: configure once, then build. A
# configure that failed leaves a cache but no makefile, so it runs again.
# RW_WERROR=ON (the test command sets it) makes warnings errors; a tree
# configured the other way is configured again.
rw_cmake_build() {
  local dir=$1; shift
  local werror=${RW_WERROR:-OFF}
  if [ ! -f "$dir/Makefile" ] || ! grep -q -x "RW_WERROR:BOOL=$werror" "$dir/CMakeCache.txt"; then
    cmake -S "$RW_ROOT" -B "$dir" "$@" -DRW_WERROR="$werror" >/dev/null || return 1
  fi
  cmake --build "$dir" -j"$(nproc)" -- --no-print-directory >/dev/null
}

rw_build_native() { rw_cmake_build "$RW_BUILD/native" -DCMAKE_BUILD_TYPE=Debug; }

# rw_build_windows ARCH THREADS [extra options]: a cross build tree.
rw_build_windows() {
  local arch=$1 threads=$2; shift 2
  rw_cmake_build "$RW_BUILD/win-$arch-$threads" \
    -DCMAKE_TOOLCHAIN_FILE="$RW_ROOT/cmake/mingw-toolchain.cmake" \
    -DRW_ARCH="$arch" -DRW_THREADS="$threads" -DCMAKE_BUILD_TYPE=MinSizeRel "$@"
}

rw_build_program() { rw_build_windows i686 win32; }  # the shipped runwarden.exe
RW_PROGRAM=$RW_BUILD/win-i686-win32/runwarden.exe

# The program and tools as this machine's Wine runs them.
rw_build_for_wine() {
  rw_build_program
  [ "$RW_ARCH" = i686 ] || rw_build_windows "$RW_ARCH" win32
  rw_build_windows "$RW_ARCH" posix -DRW_WINDOWS_TESTS=ON
}
RW_WINE_PROGRAM=$RW_BUILD/win-$RW_ARCH-win32/runwarden.exe
RW_WINE_TOOLS=$RW_BUILD/win-$RW_ARCH-posix

rw_wine() { "$RW_WINE" "$@"; }

# rw_boot_prefix DIR: the prefix in DIR, booted once; WINEPREFIX names it.
rw_boot_prefix() {
  export WINEPREFIX=$1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    rw_log "creating Wine prefix $WINEPREFIX"
    "$RW_WINE" wineboot -i >/dev/null 2>&1 </dev/null
    "$RW_WINESERVER" -w
  fi
}

# Wine draws a character its font lacks as an empty box, and looks for it in
# another font only where the SystemLink key links one behind the face it
# draws with. Debian's Wine finds no Tahoma of its own, so the dialog font (MS
# Shell Dlg, Tahoma) of every window falls back to Liberation Sans
# (fonts-liberation); the prefixes made here link a CJK font
# (fonts-wqy-microhei, found through fontconfig) behind that face. Linked
# behind the missing Tahoma itself, it would draw every letter.
RW_FALLBACK_FONT="wqy-microhei.ttc,WenQuanYi Micro Hei"
RW_LINKED_FACE="Liberation Sans"

# rw_prefix_fonts: gives the current prefix its own Marlett, which the caption
# buttons are drawn with, and the fallback font.
rw_prefix_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  "$RW_WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "$RW_LINKED_FACE" /t REG_MULTI_SZ /d "$RW_FALLBACK_FONT" /f >/dev/null 2>&1 </dev/null
}

# rw_prepare_prefix DIR: a prefix of the project's own, booted, with its fonts.
rw_prepare_prefix() { rw_boot_prefix "$1" && rw_prefix_fonts; }

# rw_set_app_version VERSION: the Windows version runwarden.exe sees, for this
# program only (win95, win98, nt40, win2k, ...).
rw_set_app_version() {
  "$RW_WINE" reg add 'HKCU\Software\Wine\AppDefaults\runwarden.exe' /v Version /d "$1" /f \
    >/dev/null 2>&1 </dev/null
}

# rw_start_xvfb: a private display for the rest of the script; stopped on
# exit. Xvfb picks a free display number itself and writes it once it
# accepts clients, so two runs cannot race for one number.
rw_start_xvfb() {
  local numberFile number deadline=$((SECONDS + 60))
  numberFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
  RW_XVFB_PID=$!
  until number=$(sed -n 's/^\([0-9][0-9]*\)$/\1/p' "$numberFile") && [ -n "$number" ]; do
    if ! kill -0 "$RW_XVFB_PID" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
      rw_log "Xvfb did not start"
      rm -f "$numberFile"
      rw_stop_xvfb
      return 1
    fi
    sleep 0.1
  done
  rm -f "$numberFile"
  export DISPLAY=":$number"
}

rw_stop_xvfb() { if [ -n "${RW_XVFB_PID:-}" ]; then kill "$RW_XVFB_PID" 2>/dev/null || true; fi; RW_XVFB_PID=""; }

# rw_start_program EXE: starts it in a Wine virtual desktop (frames and focus
# without a window manager, and without changing the prefix's settings),
# with $RW_PROGRAM_SWITCH on its command line when set.
rw_start_program() {
  local exe
  exe=$("$RW_WINE" winepath -w "$1" 2>/dev/null </dev/null)
  "$RW_WINE" explorer /desktop=runwarden,1024x768 "$exe" ${RW_PROGRAM_SWITCH:+"$RW_PROGRAM_SWITCH"} >/dev/null 2>&1 </dev/null &
  RW_PROGRAM_PID=$!
}

# rw_probe ARGS...: the window probe, run under Wine.
rw_probe() {
  local out status
  out=$("$RW_WINE" "$RW_WINE_TOOLS/window_probe.exe" "$@" 2>/dev/null </dev/null)
  status=$?
  [ -n "$out" ] && printf '%s\n' "${out//$'\r'/}"
  return $status
}

# rw_wait_for WHAT SECONDS COMMAND...: runs COMMAND until it succeeds. The
# deadline is only an upper bound, generous for a loaded 2-core machine: past
# it the wait gives up, says what it waited for and returns 1.
rw_wait_for() {
  local what=$1 seconds=$2; shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      rw_log "gave up after $seconds s waiting for $what"
      return 1
    fi
    sleep 0.2
  done
}

# rw_list_loaded TITLE: the window's list has loaded. A load ends by selecting
# the first row, so rows alone may still be half a load.
rw_list_loaded() { [[ "$(rw_probe rows "$1")" == 1$'\t'* ]]; }

rw_process_gone() { ! kill -0 "$1" 2>/dev/null; }

# rw_wait_for_exit PID SECONDS
rw_wait_for_exit() { rw_wait_for "process $1 to end" "$2" rw_process_gone "$1"; }

# rw_screenshot FILE: the screen as a PNG. Some Wine windows (owned popups
# such as message boxes) come out black in a capture of the root window, so
# each named top-level window is captured on its own and laid over it.
rw_screenshot() {
  local parts geometry id x y
  parts=$(mktemp -d)
  xwd -root -silent | convert xwd:- "$parts/screen.png"
  xwininfo -root -tree 2>/dev/null | grep -E '^ {8}0x[0-9a-f]+ "' | tac >"$parts/windows"
  local layers=()
  while read -r id _; do
    geometry=$(grep -oE '[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+-?[0-9]+\+-?[0-9]+' <<<"$(grep -F "$id " "$parts/windows")" | awk '{print $2}')
    x=$(cut -d+ -f2 <<<"$geometry"); y=$(cut -d+ -f3 <<<"$geometry")
    [ -n "$x" ] && [ -n "$y" ] || continue
    timeout 5 xwd -id "$id" -silent 2>/dev/null | convert xwd:- "$parts/$id.png" 2>/dev/null || continue
    layers+=("$parts/$id.png" -geometry "+$x+$y" -composite)
  done <"$parts/windows"
  convert "$parts/screen.png" "${layers[@]}" "$1"
  local status=$?
  rm -rf "$parts"
  return $status
}

# rw_screen_settled FILE: captures the screen into FILE; true when the picture
# is the one the call before captured (RW_LAST_PICTURE).
rw_screen_settled() {
  local picture
  rw_screenshot "$1" && picture=$(identify -format '%#' "$1") || return 1
  [ "$picture" == "${RW_LAST_PICTURE:-}" ] && return 0
  RW_LAST_PICTURE=$picture
  return 1
}

# rw_settled_screenshot FILE SECONDS: the screen once the last change has
# painted: two captures in a row show the same picture.
rw_settled_screenshot() {
  RW_LAST_PICTURE=""
  rw_wait_for "the screen to stop changing" "$2" rw_screen_settled "$1"
}
