#!/usr/bin/env bash
# Builds the libraries a cross-built game links, for Windows with MinGW-w64 or
# for the web with Emscripten, from Debian's source packages:
#   packaging/build-deps.sh windows|web [deps folder]          (default: build-PLATFORM/deps)
#   packaging/build-deps.sh windows|web --newer [deps folder]  lists the versions the archive
#                                                              serves beyond the pinned ones
# Which libraries, their exact versions and their licence files: the
# platform's table, packaging/PLATFORM/libraries.tsv. What else differs, the
# toolchain and where zlib comes from: packaging/PLATFORM/deps.sh.
# In the deps folder:
#   apt/        a private apt configuration (deb-src of bookworm, bookworm-updates
#               and bookworm-security) and its lists;
#               the machine's own apt sources are left alone
#   src/        the unpacked source packages (SOURCE-VERSION), Debian's patches applied
#   build/      the build trees
#   prefix/     headers, static libraries and CMake/pkg-config files
#   licences/   the licence text of each library linked into the game, and
#               LIBRARIES.txt, the list of them with their versions
#   done/       one mark per library and version built: a second run rebuilds nothing
#   times.txt   seconds each step took in the run that did it
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"
platform="${1:-}"
case "$platform" in
  windows | web) shift ;;
  *) echo "usage: $0 windows|web [--newer] [deps folder]" >&2; exit 2 ;;
esac
newer=0
[ "${1:-}" = --newer ] && newer=1 && shift
deps="${1:-$root/build-$platform/deps}"
mkdir -p "$deps"
deps="$(cd "$deps" && pwd)"
src="$deps/src" work="$deps/build" prefix="$deps/prefix" licences="$deps/licences" done="$deps/done"
mkdir -p "$src" "$work" "$prefix" "$licences" "$done"
jobs="${VANTOR_JOBS:-2}"
# Sets toolchain, build_type, cmake_args (for every library), zlib_library,
# zlib_include and linked_into, and exports what the toolchain reads.
# shellcheck source=packaging/windows/deps.sh
. "$here/$platform/deps.sh"

table="$here/$platform/libraries.tsv"
rows() { grep -v '^#' "$table" | awk 'NF'; } # name source version from archives licences
# The row of NAME, as "source version from archives licences".
row() { rows | awk -v n="$1" '$1 == n { print $2, $3, $4, $5, $6; f = 1 } END { exit !f }'; }

# --- fetching -------------------------------------------------------------
apt_dir="$deps/apt"
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial"
# Each suite's sources come from the mirror this machine already installs that
# suite's packages from.
mirror() { # SUITE
  local uri
  uri=$(awk -v s="$1" 'BEGIN { RS = "" } /(^|\n)Types:[^\n]* deb( |\n|$)/ {
          uri = ""; suites = ""; n = split($0, line, "\n")
          for (i = 1; i <= n; i++) {
            if (line[i] ~ /^URIs:/) { split(line[i], w, " "); uri = w[2] }
            if (line[i] ~ /^Suites:/) suites = line[i] " "
          }
          if (index(suites, " " s " ")) { print uri; exit }
        }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  [ -n "$uri" ] || uri=$(sed -nE "s/^deb( \[[^]]*\])? +([^ ]+) +$1 +.*/\2/p" /etc/apt/sources.list 2>/dev/null | head -n 1)
  [ -n "$uri" ] || { echo "no Debian $1 source in this machine's apt configuration" >&2; return 1; }
  echo "$uri"
}
for suite in bookworm bookworm-updates bookworm-security; do
  uri=$(mirror "$suite")
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n\n' \
    "$uri" "$suite" /usr/share/keyrings/debian-archive-keyring.gpg
done >"$apt_dir/sources/debian-src.sources"
APT_OPTS=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources"
  -o "Dir::State::Lists=$apt_dir/lists" -o Dir::Etc::Preferences=/dev/null -o Dir::Etc::PreferencesParts=/dev/null)
update() { [ -n "$(ls "$apt_dir/lists" | grep -i sources)" ] && [ "$apt_dir/lists" -nt "$apt_dir/sources/debian-src.sources" ] ||
  apt-get "${APT_OPTS[@]}" update -qq; }
served() { apt-cache "${APT_OPTS[@]}" showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -u; }

# The unpacked source of NAME's row, at its pinned version.
source_dir() {
  local r
  r=($(row "$1"))
  echo "$src/${r[0]}-${r[1]#*:}" # without the epoch: make takes a colon for its own
}

# Every source package the table needs, at exactly its pinned version: a
# version the archive no longer serves stops the build, naming what it serves.
fetch() {
  local name source version from archives texts have
  while read -r name source version from archives texts; do
    [ "$from" != bundled ] || continue
    if [ "$from" != build ]; then
      have=$(dpkg-query -W -f='${source:Version}' "$from" 2>/dev/null || true)
      [ "$have" = "$version" ] || { echo "$name: the installed $from is of $source $have, not $version:" \
        "install that version, or bump the row in $table" >&2; return 1; }
      # Its licence texts may be the installed package's own files.
      [[ ",$texts" == *,[^/-]* ]] || continue
    fi
    [ -d "$src/$source-${version#*:}" ] && continue
    update
    rm -rf "$work/fetch" && mkdir -p "$work/fetch"
    # apt checks the signed Release files and every file's checksum.
    served "$source" | grep -qxF "$version" || {
      echo "$name: the archive no longer serves $source $version; it serves $(served "$source" | tr '\n' ' ')" \
        "(bump the row in $table)" >&2
      return 1
    }
    (cd "$work/fetch" && apt-get "${APT_OPTS[@]}" source -qq --download-only "$source=$version" 2>&1 >/dev/null |
      grep -v '^W: Download is performed unsandboxed' || true) >"$work/fetch.log"
    [ -f "$work/fetch/${source}_${version#*:}.dsc" ] || { echo "$name: fetching $source $version failed:" >&2
      cat "$work/fetch.log" >&2; return 1; }
    dpkg-source -q -x "$work/fetch/${source}_${version#*:}.dsc" "$src/$source-${version#*:}" >/dev/null 2>&1 ||
      { echo "$name: unpacking $source $version failed" >&2; return 1; }
  done < <(rows)
}

# The versions the archive serves beyond each row's.
newer() {
  local name source version v found=0
  update
  while read -r name source version _; do
    for v in $(served "$source"); do
      dpkg --compare-versions "$v" gt "$version" && { echo "$name: $source $version -> $v"; found=1; }
    done
  done < <(rows)
  [ "$found" = 1 ] || echo "every row has the newest version the archive serves"
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

# --- building -------------------------------------------------------------
cmake_dep() { # NAME SOURCE [cmake arguments...]
  local name="$1" source="$2"
  shift 2
  rm -rf "${work:?}/$name"
  cmake -S "$source" -B "$work/$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE="$build_type" -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DZLIB_LIBRARY="$zlib_library" -DZLIB_INCLUDE_DIR="$zlib_include" "${cmake_args[@]}" "$@" >"$work/$name.log" 2>&1 ||
    { tail -30 "$work/$name.log"; return 1; }
  cmake --build "$work/$name" -j"$jobs" >>"$work/$name.log" 2>&1 || { tail -40 "$work/$name.log"; return 1; }
  cmake --install "$work/$name" >>"$work/$name.log" 2>&1
}

# One recipe per row built here: build_NAME.
build_GLFW() {
  cmake_dep glfw "$(source_dir GLFW)" -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF
}
build_GLEW() {
  cmake_dep glew "$(source_dir GLEW)/build/cmake" -DBUILD_UTILS=OFF
}
build_zlib() {
  cmake_dep zlib "$here/deps/zlib" -DZLIB_SOURCE_DIR="$(source_dir zlib)"
}
build_FreeType() {
  # The platform's zlib (deps.sh), not FreeType's own copy of it, which would
  # clash with the one the other libraries use.
  cmake_dep freetype "$(source_dir FreeType)" -DFT_REQUIRE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}
build_GLM() {
  cmake_dep glm "$(source_dir GLM)" -DGLM_TEST_ENABLE=OFF
}
build_libjpeg-turbo() {
  # Without the SIMD parts, which would need the nasm assembler.
  cmake_dep libjpeg-turbo "$(source_dir libjpeg-turbo)" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
}
build_libpng() {
  cmake_dep libpng "$(source_dir libpng)" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
}
build_minizip() {
  cmake_dep minizip "$here/deps/minizip" -DMINIZIP_SOURCE_DIR="$(source_dir minizip)/contrib/minizip"
}
build_FreeImage() {
  cmake_dep freeimage "$here/deps/freeimage" -DFREEIMAGE_SOURCE_DIR="$(source_dir FreeImage)"
}
build_Assimp() {
  # Debian's package takes utf8cpp and stb_image from the system: the
  # header-only packages' headers, copied next to the other libraries.
  mkdir -p "$prefix/include"
  cp -r /usr/include/utf8cpp /usr/include/stb "$prefix/include/"
  # Its CMake files, the installed ones too, ask for Draco in any case.
  mkdir -p "$prefix/lib/cmake/draco"
  cp "$here/deps/no-draco/dracoConfig.cmake" "$prefix/lib/cmake/draco/"
  # Their folders through CXXFLAGS, which CMake puts before the toolchain's
  # own flags rather than in their place.
  CXXFLAGS="-I$prefix/include -I$prefix/include/utf8cpp" cmake_dep assimp "$(source_dir Assimp)" \
    -DASSIMP_BUILD_ALL_IMPORTERS_BY_DEFAULT=OFF -DASSIMP_BUILD_COLLADA_IMPORTER=ON -DASSIMP_NO_EXPORT=ON \
    -DASSIMP_BUILD_TESTS=OFF -DASSIMP_BUILD_ASSIMP_TOOLS=OFF -DASSIMP_BUILD_SAMPLES=OFF -DASSIMP_BUILD_ZLIB=OFF \
    -DASSIMP_WARNINGS_AS_ERRORS=OFF -DASSIMP_BUILD_DRACO=OFF -DASSIMP_INSTALL_PDB=OFF
}
build_googletest() {
  cmake_dep googletest "$(source_dir googletest)" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
}

# licences/NAME.txt for each row that ships texts, and licences/LIBRARIES.txt: every library in the game
# with its Debian source package and version.
collect_licences() {
  local name source version from archives texts f first
  rm -rf "$licences" && mkdir -p "$licences"
  {
    printf 'The libraries built into %s, from Debian 12 (bookworm) source packages:\n\n' "$linked_into"
    printf '%-20s %-16s %s\n' Library "Source package" Version
  } >"$licences/LIBRARIES.txt"
  while read -r name source version from archives texts; do
    [ "$archives" != - ] || [ "$texts" != - ] || continue # the tests' own
    printf '%-20s %-16s %s\n' "$name" "$source" "$version" >>"$licences/LIBRARIES.txt"
    [ "$texts" != - ] || continue
    first=1
    for f in ${texts//,/ }; do
      [ "$first" = 1 ] || printf '\n\n----- %s -----\n\n' "$f"
      case "$f" in
        /*) cat "$f" ;;
        *) cat "$src/$source-${version#*:}/$f" ;;
      esac
      first=0
    done >"$licences/$name.txt"
  done < <(rows)
}

if [ "$newer" = 1 ]; then
  newer
  exit
fi
fetch
while read -r name _ version from _; do
  [ "$from" != build ] || timed "$name-$version" "build_$name"
done < <(rows)
collect_licences
