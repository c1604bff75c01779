#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: first the normal
# build, then the AddressSanitizer + UndefinedBehaviorSanitizer build, then the
# Windows build and its packages under Wine (scripts/windows.sh test), then
# the web page in Chromium (scripts/web.sh test).
# Starts a virtual display (Xvfb) when none is set.
#   scripts/run-tests.sh            all four
#   scripts/run-tests.sh --quick    the normal build only
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
quick=0
[ "${1:-}" = "--quick" ] && quick=1

run_suite() {
  local build="$1"
  (cd "$root/$build" && "$root/scripts/with-display.sh" ctest --output-on-failure -j2)
}

"$root/scripts/build.sh" build
run_suite build

if [ "$quick" -eq 0 ]; then
  "$root/scripts/build.sh" build-asan -DVANTOR_SANITIZE=ON
  # Mesa loads its driver with dlopen and unloads it at glfwTerminate, before
  # the leak check runs: the driver's own allocations would then show up as
  # leaks from an unknown module that no suppression can name. Loading the
  # driver up front keeps it mapped, so its memory stays attributed to it.
  driver="/usr/lib/$(gcc -print-multiarch)/dri/swrast_dri.so"
  [ -f "$driver" ] && export LD_PRELOAD="$driver"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:verify_asan_link_order=0"
  export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  run_suite build-asan
  env -u LD_PRELOAD "$root/scripts/windows.sh" test
  env -u LD_PRELOAD -u ASAN_OPTIONS -u LSAN_OPTIONS -u UBSAN_OPTIONS "$root/scripts/web.sh" test
fi
