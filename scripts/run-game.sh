#!/usr/bin/env bash
# Builds the game alone (no tests, no tools) and starts it: scripts/run-game.sh [width height [fullscreen]]
# (800 x 600 windowed by default).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" --game build
cd "$root/build"
if [ $# -eq 0 ]; then set -- 800 600; fi
exec ./vantor "$@"
