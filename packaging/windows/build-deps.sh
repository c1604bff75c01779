#!/usr/bin/env bash
# Builds the libraries the Windows game links, with MinGW-w64, from Debian's
# source packages:
#   packaging/windows/build-deps.sh [deps folder]     (default: build-windows/deps)
# In the deps folder:
#   apt/        a private apt configuration (deb-src of bookworm) and its lists;
#               the machine's own apt sources are left alone
#   src/        the unpacked source packages, Debian's patches applied
#   build/      the build trees
#   prefix/     headers, static libraries and CMake/pkg-config files
#   licences/   the licence text of each library linked into the game
#   done/       one mark per library built: a second run rebuilds nothing
#   times.txt   seconds each step took in the run that did it
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
deps="${1:-$root/build-windows/deps}"
mkdir -p "$deps"
deps="$(cd "$deps" && pwd)"
src="$deps/src" work="$deps/build" prefix="$deps/prefix" licences="$deps/licences" done="$deps/done"
mkdir -p "$src" "$work" "$prefix" "$licences" "$done"
toolchain="$here/toolchain-mingw64.cmake"
export VANTOR_WINDOWS_DEPS="$prefix"
jobs="${VANTOR_JOBS:-2}"
mingw=/usr/x86_64-w64-mingw32
zlib_static="$mingw/lib/libz.a"

PACKAGES=(glfw3 glew freetype assimp freeimage libjpeg-turbo libpng1.6 zlib glm googletest)

# --- fetching -------------------------------------------------------------
apt_dir="$deps/apt"
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial"
# The sources come from the mirror this machine already installs Debian's
# packages from.
mirror=$(awk '/^URIs:/ {uri = $2} /^Suites:/ && / bookworm( |$)/ {print uri; exit}' \
  /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
[ -n "$mirror" ] || mirror=$(sed -nE 's/^deb( \[[^]]*\])? +([^ ]+) +bookworm +.*/\2/p' \
  /etc/apt/sources.list 2>/dev/null | head -n 1)
[ -n "$mirror" ] || { echo "no Debian bookworm source in this machine's apt configuration" >&2; exit 1; }
cat >"$apt_dir/sources/debian-src.sources" <<EOF
Types: deb-src
URIs: $mirror
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
APT_OPTS=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources"
  -o "Dir::State::Lists=$apt_dir/lists" -o Dir::Etc::Preferences=/dev/null -o Dir::Etc::PreferencesParts=/dev/null)

# The unpacked source folder of a package (NAME-VERSION).
source_dir() {
  local d
  for d in "$src/$1"-[0-9]*/; do
    [ -d "$d" ] && { echo "${d%/}"; return; }
  done
  return 1
}

timed() { # NAME COMMAND...: runs it unless done, records the time
  local name="$1" start
  shift
  [ -f "$done/$name" ] && return 0
  start=$(date +%s)
  echo "== $name"
  "$@"
  echo "$name $(($(date +%s) - start))" >>"$deps/times.txt"
  touch "$done/$name"
}

fetch() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    source_dir "$p" >/dev/null || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  apt-get "${APT_OPTS[@]}" update -qq
  # apt checks the signed Release files and every file's checksum.
  (cd "$src" && apt-get "${APT_OPTS[@]}" source -qq "${missing[@]}" >/dev/null)
}

# --- building -------------------------------------------------------------
cmake_dep() { # NAME SOURCE [cmake arguments...]
  local name="$1" source="$2"
  shift 2
  rm -rf "${work:?}/$name"
  cmake -S "$source" -B "$work/$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DZLIB_LIBRARY="$zlib_static" -DZLIB_INCLUDE_DIR="$mingw/include" "$@" >"$work/$name.log" 2>&1 ||
    { tail -30 "$work/$name.log"; return 1; }
  cmake --build "$work/$name" -j"$jobs" >>"$work/$name.log" 2>&1 || { tail -40 "$work/$name.log"; return 1; }
  cmake --install "$work/$name" >>"$work/$name.log" 2>&1
}

build_glfw() {
  cmake_dep glfw "$(source_dir glfw3)" -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF
}
build_glew() {
  cmake_dep glew "$(source_dir glew)/build/cmake" -DBUILD_UTILS=OFF
}
build_freetype() {
  # zlib from MinGW's package, not FreeType's own copy of it, which would clash
  # with the one the other libraries use.
  cmake_dep freetype "$(source_dir freetype)" -DFT_REQUIRE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}
build_glm() {
  cmake_dep glm "$(source_dir glm)" -DGLM_TEST_ENABLE=OFF
}
build_jpeg() {
  # Without the SIMD parts, which would need the nasm assembler.
  cmake_dep libjpeg-turbo "$(source_dir libjpeg-turbo)" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
}
build_png() {
  cmake_dep libpng "$(source_dir libpng1.6)" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
}
build_minizip() {
  cmake_dep minizip "$here/deps/minizip" -DMINIZIP_SOURCE_DIR="$(source_dir zlib)/contrib/minizip"
}
build_freeimage() {
  cmake_dep freeimage "$here/deps/freeimage" -DFREEIMAGE_SOURCE_DIR="$(source_dir freeimage)"
}
build_assimp() {
  # Debian's package takes utf8cpp and stb_image from the system: the
  # header-only packages' headers, copied next to the other libraries.
  mkdir -p "$prefix/include"
  cp -r /usr/include/utf8cpp /usr/include/stb "$prefix/include/"
  # Its CMake files, the installed ones too, ask for Draco in any case.
  mkdir -p "$prefix/lib/cmake/draco"
  cp "$here/deps/no-draco/dracoConfig.cmake" "$prefix/lib/cmake/draco/"
  cmake_dep assimp "$(source_dir assimp)" -DASSIMP_BUILD_ALL_IMPORTERS_BY_DEFAULT=OFF \
    -DASSIMP_BUILD_COLLADA_IMPORTER=ON -DASSIMP_NO_EXPORT=ON -DASSIMP_BUILD_TESTS=OFF \
    -DASSIMP_BUILD_ASSIMP_TOOLS=OFF -DASSIMP_BUILD_SAMPLES=OFF -DASSIMP_BUILD_ZLIB=OFF \
    -DASSIMP_WARNINGS_AS_ERRORS=OFF -DASSIMP_BUILD_DRACO=OFF -DASSIMP_INSTALL_PDB=OFF \
    -DCMAKE_CXX_FLAGS="-I$prefix/include -I$prefix/include/utf8cpp"
}
build_googletest() {
  cmake_dep googletest "$(source_dir googletest)" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
}

collect_licences() {
  cp "$(source_dir glfw3)/LICENSE.md" "$licences/GLFW.txt"
  cp "$(source_dir glew)/LICENSE.txt" "$licences/GLEW.txt"
  cp "$(source_dir freetype)/docs/FTL.TXT" "$licences/FreeType.txt"
  cp "$(source_dir freeimage)/license-fi.txt" "$licences/FreeImage.txt"
  cat "$(source_dir libjpeg-turbo)/LICENSE.md" "$(source_dir libjpeg-turbo)/README.ijg" >"$licences/libjpeg-turbo.txt"
  cp "$(source_dir libpng1.6)/LICENSE" "$licences/libpng.txt"
  cp "$(source_dir zlib)/LICENSE" "$licences/zlib.txt"
  cp "$(source_dir glm)/copying.txt" "$licences/GLM.txt"
  # Assimp, with the parts of its contrib folder built into it and the
  # header-only utf8cpp.
  local a
  a="$(source_dir assimp)"
  {
    cat "$a/LICENSE"
    for f in pugixml/LICENSE.md clipper/License.txt poly2tri/LICENSE openddlparser/LICENSE; do
      [ -f "$a/contrib/$f" ] && { printf '\n\n----- %s -----\n\n' "${f%%/*}"; cat "$a/contrib/$f"; }
    done
    printf '\n\n----- utf8cpp -----\n\n'
    cat /usr/share/doc/libutfcpp-dev/copyright
  } >"$licences/Assimp.txt"
}

timed fetch fetch
timed glfw build_glfw
timed glew build_glew
timed freetype build_freetype
timed glm build_glm
timed libjpeg-turbo build_jpeg
timed libpng build_png
timed minizip build_minizip
timed freeimage build_freeimage
timed assimp build_assimp
timed googletest build_googletest
collect_licences
