#!/usr/bin/env bash
# Regenerates Content/Images, Content/Models, Content/Fonts and Content/Icons from code
# (tools/contentgen). Shaders in Content/Shader are hand-written and untouched.
#   scripts/generate-content.sh [build folder]     (default: build)
# The build folder must be a direct child of the repository root.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-build}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --target vantor-contentgen
"$build/tools/contentgen/vantor-contentgen" "$root/Content"
