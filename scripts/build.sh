#!/usr/bin/env bash
# Installs what is missing and builds the game, the tools and the tests, or
# with --game the game alone.
#   scripts/build.sh [--game] [build-folder] [extra cmake arguments...]
# The build folder must sit directly in the repository root: the game runs
# from it and finds its content at "../Content/".
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
targets=()
if [ "${1:-}" = "--game" ]; then targets=(--target vantor); shift; fi
build="${1:-build}"
shift || true

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$root/$build" -j"$(nproc)" "${targets[@]}"
