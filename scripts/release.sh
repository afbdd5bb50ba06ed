#!/usr/bin/env bash
# Builds the release archive: runwarden-1.0.1.zip with runwarden.exe and its
# readme.txt, in ./out. RW_RELEASE_ARCH=x86_64 packs the 64-bit build instead
# (the tests do, where Wine cannot run 32-bit programs); RW_RELEASE_OUT sets
# the folder.
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/lib/common.sh"

arch=${RW_RELEASE_ARCH:-i686}
out=${RW_RELEASE_OUT:-$RW_ROOT/out}
rw_build_windows "$arch" win32
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$RW_BUILD/win-$arch-win32/runwarden.exe" "$RW_ROOT/readme.txt" "$stage/"
mkdir -p "$out"
zip=$out/runwarden-1.0.1.zip
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip runwarden.exe readme.txt)
echo "$zip"
