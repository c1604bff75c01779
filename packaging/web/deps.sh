# shellcheck shell=bash disable=SC2034,SC2154 # sourced: it reads here and prefix, the sourcing script reads its settings
# What the web libraries' build does its own way (sourced by
# packaging/build-deps.sh, which sets prefix): Emscripten's compilers, code
# small rather than fast (the page is downloaded), and zlib built here too.
toolchain="$here/web/toolchain-emscripten.cmake"
export VANTOR_WEB_DEPS="$prefix"
build_type=MinSizeRel
# The libraries' own programs, which nothing here runs, linked without
# optimising: Emscripten's optimising link takes seconds each.
cmake_args=(-DCMAKE_EXE_LINKER_FLAGS_MINSIZEREL=-O0)
zlib_library="$prefix/lib/libz.a"
zlib_include="$prefix/include"
linked_into="the web game (vantor.wasm, vantor.js)"
