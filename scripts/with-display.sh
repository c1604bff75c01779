#!/usr/bin/env bash
# Runs a command with an X display: the current one, or a private Xvfb
# (software OpenGL through Mesa) started for it when none is set.
#
# Several runs may start at the same moment (two test suites, others on the
# same machine) and see the same free display number. Only one server gets
# it; the others exit, and their run tries the next number instead of using
# (and later killing) someone else's server. The command starts once the
# server says it accepts connections, however long that takes on a busy
# machine.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
xvfb_pid=""
ready="$(mktemp)"
trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; rm -f "$ready"' EXIT
for n in $(seq 90 140); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  # -displayfd: the server writes its display number once it accepts connections.
  # The screen holds a 2560 x 1440 window, the largest the tests open; it
  # takes 16 MiB.
  Xvfb ":$n" -screen 0 2560x1600x24 -nolisten tcp -displayfd 3 3>"$ready" >/dev/null 2>&1 &
  xvfb_pid=$!
  while kill -0 "$xvfb_pid" 2>/dev/null && [ ! -s "$ready" ]; do
    sleep 0.1
  done
  [ -s "$ready" ] && break
  wait "$xvfb_pid" 2>/dev/null || true # another server took :$n
  xvfb_pid=""
done
if [ -z "$xvfb_pid" ]; then
  echo "with-display.sh: no free display between :90 and :140" >&2
  exit 1
fi
export DISPLAY=":$n"
"$@"
