#!/usr/bin/env bash
# Builds the Debian package of VANTOR from this checkout:
#   scripts/package.sh [build folder]      (default: build-package)
# Builds the game alone (Release, without the tools and the tests) and has
# CPack write <build folder>/vantor_<version>_<arch>.deb. Install it with
#   sudo apt install ./build-package/vantor_*.deb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build-package}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build" --target vantor -j"$(nproc)"
cd "$build"
cpack -G DEB
