# shellcheck shell=bash disable=SC2034,SC2154 # sourced: it reads here and prefix, the sourcing script reads its settings
# What the Windows libraries' build does its own way (sourced by
# packaging/build-deps.sh, which sets prefix): MinGW-w64's compilers, and
# zlib from MinGW's package.
toolchain="$here/windows/toolchain-mingw64.cmake"
export VANTOR_WINDOWS_DEPS="$prefix"
build_type=Release
cmake_args=()
zlib_library=/usr/x86_64-w64-mingw32/lib/libz.a
zlib_include=/usr/x86_64-w64-mingw32/include
linked_into=vantor.exe
