# The Windows build (cross-built with packaging/windows/toolchain-mingw64.cmake
# against the static libraries of packaging/build-deps.sh, listed in
# packaging/windows/libraries.tsv) and its packages.

include(cmake/StaticLibraries.cmake)
# GLEW linked in, not loaded from a DLL.
target_compile_definitions(vantor_gpu PUBLIC GLEW_STATIC)

# The same bytes from every build of a commit: no link time in the PE header
# and no symbols. The linker's map names every archive linked in, for the
# licence check (packaging/windows/check-link-map.sh).
set(VANTOR_LINK_MAP ${CMAKE_BINARY_DIR}/vantor.map)
target_link_options(vantor PRIVATE -s -Wl,--no-insert-timestamp -Wl,-Map=${VANTOR_LINK_MAP})

# The game's icon, made from the generator's, and its version information.
find_program(VANTOR_CONVERT convert REQUIRED)
find_program(VANTOR_ICOTOOL icotool REQUIRED)
set(icon_source ${PROJECT_SOURCE_DIR}/Content/Icons/vantor.png)
set(icon_dir ${CMAKE_BINARY_DIR}/icon)
set(icon_sizes 16 32 48)
set(icon_images "")
foreach(size ${icon_sizes})
  list(APPEND icon_images ${icon_dir}/vantor-${size}.png)
  add_custom_command(OUTPUT ${icon_dir}/vantor-${size}.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
    COMMAND ${VANTOR_CONVERT} ${icon_source} -resize ${size}x${size} PNG32:${icon_dir}/vantor-${size}.png
    DEPENDS ${icon_source} VERBATIM)
endforeach()
# The 256-pixel image goes in as it is (a PNG entry, as Windows reads them).
add_custom_command(OUTPUT ${icon_dir}/vantor.ico
  COMMAND ${VANTOR_ICOTOOL} -c -o ${icon_dir}/vantor.ico ${icon_images} --raw=${icon_source}
  DEPENDS ${icon_images} ${icon_source} VERBATIM)
set(VANTOR_ICON ${icon_dir}/vantor.ico)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/vantor.rc.in ${CMAKE_BINARY_DIR}/vantor.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/vantor.rc PROPERTIES OBJECT_DEPENDS ${VANTOR_ICON})
target_sources(vantor PRIVATE ${CMAKE_BINARY_DIR}/vantor.rc)

include(cmake/ContentLink.cmake)

# The installed game, as the zip unpacks it and the installer lays it out:
#   VANTOR/VANTOR.cmd, README.txt   the launcher, how to play (Windows line ends)
#   VANTOR/vantor.ico               the icon of the Start-menu entry
#   VANTOR/bin/vantor.exe           the game; it reads "..\Content\" from its working folder
#   VANTOR/Content/...              what the game reads at run time, its icon too
#   VANTOR/licences/...             the game's, the font's and each library's licence
#                                   text, and LIBRARIES.txt with their versions
# Packaging builds nothing: scripts/windows.sh builds the game first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(VANTOR_LIBRARY_TABLE ${PROJECT_SOURCE_DIR}/packaging/windows/libraries.tsv)
get_filename_component(VANTOR_LIBRARY_LICENCES ${VANTOR_WINDOWS_DEPS}/../licences ABSOLUTE)
set(text_dir ${CMAKE_BINARY_DIR}/windows)

# Notepad and cmd read text with Windows line ends.
function(vantor_crlf_text out text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${out} "${text}")
endfunction()
function(vantor_crlf_file in out)
  file(READ ${in} text)
  vantor_crlf_text(${out} "${text}")
endfunction()

# README.txt names each library with a licence text, as the table lists them.
file(STRINGS ${VANTOR_LIBRARY_TABLE} rows REGEX "^[^#]")
set(LIBRARIES "")
set(line_length 34) # "are in the licences folder too: " before the first
foreach(row ${rows})
  string(REGEX MATCHALL "[^ \t]+" fields "${row}")
  list(GET fields 0 name)
  list(GET fields 5 licences)
  if(licences STREQUAL "-")
    continue()
  endif()
  if(LIBRARIES)
    string(APPEND LIBRARIES ",")
    math(EXPR line_length "${line_length} + 1")
  endif()
  string(LENGTH " ${name}" length)
  math(EXPR line_length "${line_length} + ${length}")
  if(line_length GREATER 76)
    string(APPEND LIBRARIES "\n${name}")
    string(LENGTH "${name}" line_length)
  elseif(LIBRARIES)
    string(APPEND LIBRARIES " ${name}")
  else()
    set(LIBRARIES "${name}")
  endif()
endforeach()
set(VERSION ${PROJECT_VERSION})
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt ${text_dir}/README.lf.txt @ONLY)
vantor_crlf_file(${text_dir}/README.lf.txt ${text_dir}/README.txt)
vantor_crlf_file(${PROJECT_SOURCE_DIR}/packaging/windows/VANTOR.cmd ${text_dir}/VANTOR.cmd)
file(REMOVE_RECURSE ${text_dir}/licences)
vantor_crlf_file(${PROJECT_SOURCE_DIR}/LICENSE ${text_dir}/licences/VANTOR.txt)
vantor_crlf_file(${PROJECT_SOURCE_DIR}/Content/Fonts/LICENSE-LiberationSans.txt ${text_dir}/licences/LiberationSans.txt)
file(GLOB library_licences ${VANTOR_LIBRARY_LICENCES}/*.txt)
if(NOT library_licences)
  message(FATAL_ERROR "no licence texts in ${VANTOR_LIBRARY_LICENCES}: build the libraries first")
endif()
foreach(text ${library_licences})
  get_filename_component(name ${text} NAME)
  vantor_crlf_file(${text} ${text_dir}/licences/${name})
endforeach()

install(TARGETS vantor RUNTIME DESTINATION VANTOR/bin)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Content DESTINATION VANTOR)
install(FILES ${text_dir}/VANTOR.cmd ${text_dir}/README.txt ${VANTOR_ICON} DESTINATION VANTOR)
install(DIRECTORY ${text_dir}/licences/ DESTINATION VANTOR/licences)

# The packages, made by cpack in the build folder (scripts/windows.sh package):
# CPack stages the tree above, and cmake/WindowsPackages.cmake makes
# vantor-VERSION-win64.zip and vantor-VERSION-setup.exe from it.
set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${PROJECT_SOURCE_DIR}/cmake/WindowsPackages.cmake)
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME vantor-${PROJECT_VERSION})
# Every file's time in both packages: the commit's, as in the Debian package.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/PackageTime.cmake)
set(CPACK_VANTOR_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_VANTOR_INSTALLER ${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsi)
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE CPACK_VANTOR_COPYRIGHT REGEX "^Copyright" LIMIT_COUNT 1)
include(CPack)
