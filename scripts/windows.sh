#!/usr/bin/env bash
# VANTOR for 64-bit Windows, cross-built on Debian 12. What to do is the
# argument; each step does the ones before it:
#   scripts/windows.sh deps      installs what is missing with apt (as root or through sudo;
#                                scripts/install-deps.sh --windows) and builds the libraries of
#                                packaging/windows/libraries.tsv from Debian's source packages
#                                into build-windows/deps/ (once: packaging/build-deps.sh windows)
#   scripts/windows.sh build     builds build-windows/game/vantor.exe
#   scripts/windows.sh package   checks that every library linked into it ships its licence
#                                (packaging/windows/check-link-map.sh) and makes, with CPack,
#                                build-windows/packages/vantor-VERSION-win64.zip and -setup.exe
#   scripts/windows.sh test      also builds the test suites and runs them under Wine, builds
#                                the game and its packages a second time in build-windows/again/
#                                and compares them byte for byte, then checks the packages under
#                                Wine (tests/windows/check-packages.sh)
#   scripts/windows.sh newer     lists the versions of the table's source packages that the
#                                archive serves beyond the pinned ones
# The packages' time is the commit's (SOURCE_DATE_EPOCH, unless set already: cmake/PackageTime.cmake).
# Prints how long each step took.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-windows"
game="$out/game"
what="${1:-}"
case "$what" in
  deps | build | package | test | newer) ;;
  *) echo "usage: $0 deps|build|package|test|newer" >&2; exit 2 ;;
esac
# shellcheck source=scripts/cross-steps.sh
. "$root/scripts/cross-steps.sh"

if [ "$what" = newer ]; then
  exec "$root/packaging/build-deps.sh" windows --newer "$out/deps"
fi

if [ "${2:-}" != --on-display ]; then
  libraries windows
  [ "$what" = deps ] && exit 0

  # The game in FOLDER, with the test suites or without (ON/OFF).
  windows_game() { build_game windows toolchain-mingw64.cmake "$1" "$2" -DCMAKE_CROSSCOMPILING_EMULATOR=wine; }
  # The packages of the game in FOLDER, into FOLDER/packages.
  make_packages() {
    "$root/packaging/windows/check-link-map.sh" "$1/vantor.map" "$root/packaging/windows/libraries.tsv"
    (cd "$1" && cpack -B "$1/packages" >/dev/null)
  }
  tests=OFF
  [ "$what" = test ] && tests=ON
  start=$(date +%s)
  windows_game "$game" "$tests"
  step "game" "$start"
  [ "$what" = build ] && exit 0

  start=$(date +%s)
  make_packages "$game"
  rm -rf "$out/packages" && mkdir -p "$out/packages"
  cp "$game"/packages/vantor-*-{win64.zip,setup.exe} "$out/packages/"
  step "link map and packages" "$start"
  [ "$what" = package ] && exit 0

  build_suites "$game"

  # The same bytes from a second build in another folder (the same libraries).
  start=$(date +%s)
  again="$out/again"
  rm -rf "$again"
  windows_game "$again" OFF >/dev/null
  make_packages "$again" >/dev/null
  differ=0
  for file in vantor.exe packages/vantor-*-win64.zip packages/vantor-*-setup.exe; do
    first=$(echo "$game"/$file) second=$(echo "$again"/$file)
    cmp -s "$first" "$second" && continue
    differ=1
    echo "FAILED: two builds made different ${file#packages/}: $first, $second" >&2
    if command -v diffoscope >/dev/null; then
      diffoscope "$first" "$second" >&2 || true
    elif [[ $file == *.zip ]]; then
      diff <(unzip -Zl "$first" | sed 1d) <(unzip -Zl "$second" | sed 1d) >&2 || true
    fi
  done
  [ "$differ" = 0 ] || exit 1
  echo "two builds made the same vantor.exe, zip and setup.exe"
  step "second build and comparison" "$start"
  exec "$root/scripts/with-display.sh" "$0" test --on-display
fi

# On the virtual display: the suites under Wine, in a prefix of their own
# (build-windows/wine), then the packages.
. "$root/tests/windows/wine.sh" "$out/wine"
start=$(date +%s)
# One Wine server and Wine's own services for the whole run, started here: a
# test would otherwise start them, and CTest would wait for them as for the
# test. The first start also makes the Windows folders.
mkdir -p "$WINEPREFIX"
stop_wine # whatever an earlier run left in this prefix
wineserver -p
trap stop_wine EXIT
wineboot -i >/dev/null 2>&1
step "wine" "$start"

start=$(date +%s)
(cd "$game" && ctest --output-on-failure -j2)
step "tests under wine" "$start"
stop_wine

start=$(date +%s)
"$root/tests/windows/check-packages.sh" "$out"/packages/vantor-*-win64.zip "$out"/packages/vantor-*-setup.exe
step "package checks" "$start"
