#!/usr/bin/env bash
# Builds VANTOR for 64-bit Windows on Debian 12 and makes its zip and installer:
#   scripts/package-windows.sh
# 1. installs what is missing with apt (MinGW-w64, NSIS, Wine, zip, ...), as
#    root or through sudo;
# 2. builds the libraries from Debian's source packages into build-windows/deps/
#    (once: a second run reuses them; packaging/windows/build-deps.sh);
# 3. builds the game, build-windows/game/vantor.exe, from the same sources as
#    the Linux game (packaging/windows/toolchain-mingw64.cmake);
# 4. makes build-windows/packages/vantor-<version>-win64.zip and
#    vantor-<version>-setup.exe (packaging/windows/make-packages.sh).
# Prints how long each step took.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-windows"
game="$out/game"
step() { echo "== $1: $(($(date +%s) - $2)) s"; }

start=$(date +%s)
"$root/scripts/install-deps.sh" --windows
step "apt" "$start"

start=$(date +%s)
"$root/packaging/windows/build-deps.sh" "$out/deps"
step "libraries" "$start"

start=$(date +%s)
# The tests stay off unless scripts/test-windows.sh turned them on.
options=()
[ -f "$game/CMakeCache.txt" ] || options=(-DVANTOR_BUILD_TESTS=OFF)
cmake -S "$root" -B "$game" -DCMAKE_TOOLCHAIN_FILE="$root/packaging/windows/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVANTOR_BUILD_TOOLS=OFF "${options[@]}" >/dev/null
cmake --build "$game" --target vantor -j"${VANTOR_JOBS:-2}"
step "game" "$start"

start=$(date +%s)
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$game/CMakeCache.txt")"
"$root/packaging/windows/make-packages.sh" --exe "$game/vantor.exe" --licences "$out/deps/licences" \
  --version "$version" --out "$out/packages"
step "packages" "$start"
