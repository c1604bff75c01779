#!/usr/bin/env bash
# Builds the Debian package of VANTOR from this checkout:
#   scripts/package.sh [build folder] [extra cmake arguments...]   (default: build-package)
# e.g. scripts/package.sh build-package -DVANTOR_MAINTAINER="Jane Doe <jane@example.net>"
# Builds the game alone (Release, without the tools and the tests) with
# Debian's build flags (hardening: stack protector, fortified functions,
# read-only relocations bound at start) and has CPack write
# <build folder>/vantor_<version>_<arch>.deb. Install it with
#   sudo apt install ./build-package/vantor_*.deb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build-package}"
shift || true
case "$build" in /*) ;; *) build="$root/$build" ;; esac

"$root/scripts/install-deps.sh"
cd "$root"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_TOOLS=OFF \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "$@" >/dev/null
cmake --build "$build" --target vantor -j"$(nproc)"
cd "$build"
cpack -G DEB
