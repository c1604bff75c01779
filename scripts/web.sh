#!/usr/bin/env bash
# VANTOR for the web, built on Debian 12 with its Emscripten. What to do is
# the argument:
#   scripts/web.sh deps      installs what is missing with apt (as root or through sudo;
#                            scripts/install-deps.sh --web) and builds the libraries of
#                            packaging/web/libraries.tsv from Debian's source packages
#                            into build-web/deps/ (once: packaging/build-deps.sh web)
# Prints how long each step took.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-web"
what="${1:-}"
case "$what" in
  deps) ;;
  *) echo "usage: $0 deps" >&2; exit 2 ;;
esac
step() { echo "== $1: $(($(date +%s) - $2)) s"; }

start=$(date +%s)
"$root/scripts/install-deps.sh" --web
step "apt" "$start"
start=$(date +%s)
"$root/packaging/build-deps.sh" web "$out/deps"
step "libraries" "$start"
[ "$what" = deps ] && exit 0
