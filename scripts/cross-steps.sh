# shellcheck shell=bash disable=SC2154 # sourced: root is the sourcing script's
# What the entry points of the cross-built games (scripts/windows.sh,
# scripts/web.sh) share; sourced, with root set to the repository.
# Prints how long the step NAME, begun at START (date +%s), took.
step() { echo "== $1: $(($(date +%s) - $2)) s"; }
# Installs what PLATFORM's build needs with apt (scripts/install-deps.sh
# --PLATFORM) and builds its libraries into build-PLATFORM/deps/
# (packaging/build-deps.sh), each a step.
libraries() { # PLATFORM
  local start
  start=$(date +%s)
  "$root/scripts/install-deps.sh" --"$1"
  step "apt" "$start"
  start=$(date +%s)
  "$root/packaging/build-deps.sh" "$1" "$root/build-$1/deps"
  step "libraries" "$start"
}
