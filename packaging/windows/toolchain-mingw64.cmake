# Cross-building for 64-bit Windows with Debian's MinGW-w64 (POSIX threads):
#   cmake -DCMAKE_TOOLCHAIN_FILE=packaging/windows/toolchain-mingw64.cmake ...
# Libraries are looked up in the MinGW system folder and in the prefix the
# Windows dependencies are built into (build-windows/deps/prefix, or the
# folder named by VANTOR_WINDOWS_DEPS in the environment), never in the
# host's own folders.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VANTOR_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTOR_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTOR_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTOR_MINGW}-windres)

if(DEFINED ENV{VANTOR_WINDOWS_DEPS})
  set(VANTOR_WINDOWS_DEPS $ENV{VANTOR_WINDOWS_DEPS})
else()
  get_filename_component(VANTOR_WINDOWS_DEPS ${CMAKE_CURRENT_LIST_DIR}/../../build-windows/deps/prefix ABSOLUTE)
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${VANTOR_MINGW} ${VANTOR_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The C and C++ runtimes and the threads library linked in, not loaded, and
# zlib's static library rather than the import library of its DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(ZLIB_USE_STATIC_LIBS ON)

# pkg-config would otherwise report the host's Linux packages.
set(ENV{PKG_CONFIG_LIBDIR} ${VANTOR_WINDOWS_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
