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

# Configures the game for PLATFORM in FOLDER with its suites or without
# (ON/OFF), with packaging/PLATFORM/TOOLCHAIN and any further CMake arguments,
# and builds it.
build_game() { # PLATFORM TOOLCHAIN FOLDER ON|OFF [cmake arguments...]
  local platform="$1" toolchain="$2" folder="$3" suites="$4"
  shift 4
  cmake -S "$root" -B "$folder" -DCMAKE_TOOLCHAIN_FILE="$root/packaging/$platform/$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DVANTOR_BUILD_TOOLS=OFF -DVANTOR_BUILD_TESTS="$suites" "$@" >/dev/null
  cmake --build "$folder" --target vantor -j"${VANTOR_JOBS:-2}"
}
# Builds the rest of FOLDER (the suites), a step.
build_suites() { # FOLDER
  local start
  start=$(date +%s)
  cmake --build "$1" -j"${VANTOR_JOBS:-2}"
  step "test build" "$start"
}
