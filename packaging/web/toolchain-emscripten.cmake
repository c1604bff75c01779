# Building for the web with Debian's Emscripten:
#   cmake -DCMAKE_TOOLCHAIN_FILE=packaging/web/toolchain-emscripten.cmake ...
# Emscripten's own toolchain file, with the libraries looked up also in the
# prefix the web dependencies are built into (build-web/deps/prefix, or the
# folder named by VANTOR_WEB_DEPS in the environment), never in the host's
# own folders.
if(DEFINED ENV{VANTOR_WEB_DEPS})
  set(VANTOR_WEB_DEPS $ENV{VANTOR_WEB_DEPS})
else()
  get_filename_component(VANTOR_WEB_DEPS ${CMAKE_CURRENT_LIST_DIR}/../../build-web/deps/prefix ABSOLUTE)
endif()

# Programs built for the web run under Node.js, whose built-in fetch (Node 18
# and later) would take the place of the file reading Emscripten 3.1.6 loads
# the .wasm with.
find_program(VANTOR_NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTOR_NODE} --no-experimental-fetch CACHE STRING "")

include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# emcc links with Node.js scripts that need Debian's acorn, which a Node.js
# other than Debian's does not find by itself.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
list(APPEND CMAKE_FIND_ROOT_PATH ${VANTOR_WEB_DEPS})

# C++ exceptions are caught, as on the desktop: Assimp and FreeImage turn a
# damaged file into an error that way, where Emscripten's default would abort.
set(CMAKE_C_FLAGS_INIT -fexceptions)
set(CMAKE_CXX_FLAGS_INIT -fexceptions)
set(CMAKE_EXE_LINKER_FLAGS_INIT -fexceptions)

# pkg-config would otherwise report the host's Linux packages.
set(ENV{PKG_CONFIG_LIBDIR} ${VANTOR_WEB_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
