#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing VANTOR need.
# Runs apt-get as root, or through sudo for an ordinary user. Does nothing when
# everything is already installed.
#   scripts/install-deps.sh             the Linux game
#   scripts/install-deps.sh --windows   also the Windows build's (scripts/windows.sh)
#   scripts/install-deps.sh --web       also the web build's (scripts/web.sh)
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config dpkg-dev
  libglfw3-dev libxrandr-dev libglew-dev libassimp-dev libfreeimage-dev libfreetype-dev libglm-dev
  libgl1-mesa-dri libglx-mesa0 libgl-dev mesa-utils
  googletest libgtest-dev
  xvfb xauth xdotool imagemagick x11-utils
  fonts-liberation2
  # the install test checks the package, the menu entry, the metadata and the manual page with these
  lintian desktop-file-utils appstream man-db
)
case "${1:-}" in
  --windows)
    PACKAGES+=(
      g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
      # the icon, the installer, the zip, and Wine to run and test it all
      icoutils nsis zip unzip wine wine64
    ) ;;
  --web)
    # the compilers, and the browser the page is tested in
    PACKAGES+=(emscripten chromium)
    # npm fetches the browser's driver for the tests (a machine may have it with another Node.js)
    command -v npm >/dev/null || PACKAGES+=(npm) ;;
esac
# header-only libraries Debian's Assimp takes from the system, for the libraries built from source
[ -z "${1:-}" ] || PACKAGES+=(libutfcpp-dev libstb-dev)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
