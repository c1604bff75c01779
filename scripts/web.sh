#!/usr/bin/env bash
# VANTOR for the web, built on Debian 12 with its Emscripten. What to do is
# the argument; each step does the ones before it:
#   scripts/web.sh deps      installs what is missing with apt (as root or through sudo;
#                            scripts/install-deps.sh --web) and builds the libraries of
#                            packaging/web/libraries.tsv from Debian's source packages
#                            into build-web/deps/ (once: packaging/build-deps.sh web)
#   scripts/web.sh build     builds the page into build-web/site/: index.html, vantor.js,
#                            vantor.wasm and vantor.data (the content the game reads)
#   scripts/web.sh test      also builds the test suites and runs those that need no window
#                            under Node.js, then plays the page in Debian's Chromium
#                            (tests/web, driven by puppeteer-core from the npm registry)
#   scripts/web.sh serve     serves build-web/site/ on this machine (http://127.0.0.1:8080/,
#                            or the port given after it) until Ctrl+C
# Prints how long each step took.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-web"
game="$out/game"
what="${1:-}"
case "$what" in
  deps | build | test | serve) ;;
  *) echo "usage: $0 deps|build|test|serve [port]" >&2; exit 2 ;;
esac
# shellcheck source=scripts/cross-steps.sh
. "$root/scripts/cross-steps.sh"

if [ "$what" = serve ]; then
  [ -f "$out/site/index.html" ] || { echo "no page in $out/site: run $0 build first" >&2; exit 1; }
  exec node "$root/packaging/web/serve.mjs" "$out/site" "${2:-8080}"
fi

libraries web
[ "$what" = deps ] && exit 0

# The game in build-web/game (its page in game/site), with the suites or without.
tests=OFF
[ "$what" = test ] && tests=ON
start=$(date +%s)
build_game web toolchain-emscripten.cmake "$game" "$tests"
rm -rf "$out/site" && cp -r "$game/site" "$out/site"
echo "the page: $out/site, $(du -cb "$out"/site/{index.html,vantor.*} | tail -n 1 | cut -f1) bytes to download"
step "game" "$start"
[ "$what" = build ] && exit 0

build_suites "$game"

start=$(date +%s)
# Less the two that capture the game's standard output: GoogleTest captures it
# by dup2 onto descriptor 1, which Emscripten's file system under Node.js does
# not redirect (what the game prints after it is lost). They run on Linux and
# under Wine.
(cd "$game" && ctest --output-on-failure -j2 -E 'AGoodieCollectedInTheFatalFrame|AHalfSecondFrameStops')
step "suites under node" "$start"

# The browser's driver at the version tests/web/package-lock.json pins; the
# browser is Debian's Chromium.
start=$(date +%s)
mkdir -p "$out/npm"
cp "$root/tests/web/package.json" "$root/tests/web/package-lock.json" "$out/npm/"
(cd "$out/npm" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
step "puppeteer-core" "$start"

start=$(date +%s)
VANTOR_SITE="$out/site" VANTOR_SOURCE="$root" VANTOR_NPM="$out/npm" node --test "$root/tests/web/page.test.mjs"
step "the page in chromium" "$start"
