#!/usr/bin/env bash
# Builds the Windows game and its packages (scripts/package-windows.sh), then
# tests them under Wine on a virtual display (started when none is set):
# 1. the test suites, cross-built from the same sources as the Linux ones and
#    run by CTest through Wine (CMAKE_CROSSCOMPILING_EMULATOR);
# 2. the packages: tests/windows/check-packages.sh ZIP SETUP.
# Wine keeps its Windows folders in build-windows/wine. Prints how long each
# part took.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
game="$root/build-windows/game"
# No Mono or Gecko for Wine: the game needs neither, and without them Wine
# would offer to download them on its first start. No debugger either: a
# program that crashes ends at once instead of waiting in winedbg.
export WINEPREFIX="$root/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# Mesa's software renderer draws in the calling thread. With its own drawing
# threads, a window's context torn down under Wine on a busy machine now and
# then left one of them running code that was gone: 2 of 8 runs of the frame
# tests, four side by side, crashed so, at the same address each time; none of
# 12 without the threads.
export LP_NUM_THREADS=0
step() { echo "== $1: $(($(date +%s) - $2)) s"; }

if [ "${1:-}" != "--on-display" ]; then
  "$root/scripts/package-windows.sh"
  start=$(date +%s)
  cmake -S "$root" -B "$game" -DVANTOR_BUILD_TESTS=ON -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
  cmake --build "$game" -j"${VANTOR_JOBS:-2}"
  step "test build" "$start"
  exec "$root/scripts/with-display.sh" "$0" --on-display
fi

start=$(date +%s)
# One Wine server and Wine's own services for the whole run, started here: a
# test would otherwise start them, and CTest would wait for them as for the
# test. The first start also makes the Windows folders.
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true # whatever an earlier run left in this prefix
wineserver -w
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >/dev/null 2>&1
step "wine" "$start"

start=$(date +%s)
(cd "$game" && ctest --output-on-failure -j2)
step "tests under wine" "$start"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$game/CMakeCache.txt")"
packages="$root/build-windows/packages"
start=$(date +%s)
"$root/tests/windows/check-packages.sh" "$packages/vantor-$version-win64.zip" "$packages/vantor-$version-setup.exe"
step "package checks" "$start"
