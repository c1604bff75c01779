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
what="${1:-}"
case "$what" in
  deps) ;;
  *) echo "usage: $0 deps" >&2; exit 2 ;;
esac
# shellcheck source=scripts/cross-steps.sh
. "$root/scripts/cross-steps.sh"

libraries web
[ "$what" = deps ] && exit 0
