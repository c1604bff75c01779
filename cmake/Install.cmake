# Installing VANTOR (cmake --install <build> --prefix P) and its Debian package
# (cpack -G DEB in the build folder, or scripts/package.sh).
#
#   P/lib/vantor/bin/vantor        the game; it reads "../Content/" from its working folder
#   P/lib/vantor/Content/...       shaders, images, models, the font and its licence, the window's icon
#   P/games/vantor                 launcher: changes into P/lib/vantor/bin and starts the game
#   P/share/applications/org.example.vantor.desktop, P/share/icons/hicolor/{256x256,scalable}/apps/vantor.{png,svg}
#   P/share/metainfo/org.example.vantor.metainfo.xml   what software centres list
#   P/share/man/man6/vantor.6.gz   the manual page
#   P/share/doc/vantor/copyright, changelog.gz   licences (machine-readable), release notes
#
# Only the game, what it reads at run time and its documents are installed;
# the content generator, the benchmark and the tests stay in the build folder.
# Build the game first: installing and packaging do not build anything (not
# every test and tool just to package the game).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(VANTOR_INSTALL_GAME_DIR lib/vantor)
# The game's reverse-DNS name: the menu entry and the AppStream metadata carry
# it, in their file names too (packaging/<id>.desktop.in, <id>.metainfo.xml.in).
set(VANTOR_APP_ID org.example.vantor)
set(VANTOR_MAINTAINER "VANTOR developers <vantor@example.org>" CACHE STRING
  "Who maintains the package: \"Name <address>\" (Debian's Maintainer field and changelog)")
set(VANTOR_HOMEPAGE "https://vantor.example.org" CACHE STRING
  "Where the game is published (its screenshot at docs/screenshot.png below it)")
set(VANTOR_INSTALL_LAUNCHER_DIR games)

install(TARGETS vantor RUNTIME DESTINATION ${VANTOR_INSTALL_GAME_DIR}/bin)
install(DIRECTORY
  ${PROJECT_SOURCE_DIR}/Content/Shader
  ${PROJECT_SOURCE_DIR}/Content/Images
  ${PROJECT_SOURCE_DIR}/Content/Models
  ${PROJECT_SOURCE_DIR}/Content/Fonts
  ${PROJECT_SOURCE_DIR}/Content/Icons
  DESTINATION ${VANTOR_INSTALL_GAME_DIR}/Content)

# The launcher finds the game relative to its own place, so the installed tree
# can be moved as a whole.
file(RELATIVE_PATH VANTOR_LAUNCHER_TO_GAME
  /${VANTOR_INSTALL_LAUNCHER_DIR} /${VANTOR_INSTALL_GAME_DIR}/bin)
configure_file(${PROJECT_SOURCE_DIR}/packaging/vantor.in ${PROJECT_BINARY_DIR}/packaging/vantor @ONLY)
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/vantor DESTINATION ${VANTOR_INSTALL_LAUNCHER_DIR})

# The menu entry names the launcher by its full path, which is known only when
# installing (cmake --install --prefix, or /usr inside the package).
install(CODE "
  get_filename_component(prefix \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
  set(VANTOR_LAUNCHER \"\${prefix}/${VANTOR_INSTALL_LAUNCHER_DIR}/vantor\")
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/${VANTOR_APP_ID}.desktop.in\"
                 \"${PROJECT_BINARY_DIR}/packaging/${VANTOR_APP_ID}.desktop\" @ONLY)
")
install(FILES ${PROJECT_BINARY_DIR}/packaging/${VANTOR_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/Content/Icons/vantor.png DESTINATION share/icons/hicolor/256x256/apps)
install(FILES ${PROJECT_SOURCE_DIR}/Content/Icons/vantor.svg DESTINATION share/icons/hicolor/scalable/apps)

# The documents carry the project's version (the one in project()) and the
# maintainer; they are made here, when configuring, since installing builds
# nothing. A new release gets a new entry on top of packaging/changelog.in,
# and the entry below it its version written out.
configure_file(packaging/${VANTOR_APP_ID}.metainfo.xml.in packaging/${VANTOR_APP_ID}.metainfo.xml @ONLY)
configure_file(packaging/changelog.in packaging/changelog @ONLY)
configure_file(packaging/vantor.6.in packaging/vantor.6 @ONLY)
# Debian compresses these with gzip -9n (no name or time stamp: the same bytes
# from every build).
foreach(document changelog vantor.6)
  execute_process(COMMAND gzip -9nc INPUT_FILE packaging/${document}
    OUTPUT_FILE packaging/${document}.gz WORKING_DIRECTORY ${PROJECT_BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# The copyright file: who holds which files under which licence, then the
# licence texts themselves, taken from LICENSE and from the font's licence
# file, each line indented by one space and an empty line written " .".
function(vantor_license_paragraph out name text)
  string(REGEX REPLACE "^\n+|\n+$" "" text "${text}")
  string(REGEX REPLACE "\n[ ]*\n" "\n.\n" text "${text}")
  string(REGEX REPLACE "\n" "\n " text "${text}")
  set(${out} "License: ${name}\n ${text}\n" PARENT_SCOPE)
endfunction()
file(READ LICENSE expat)
string(REGEX REPLACE "^.*\n\nPermission" "Permission" expat "${expat}")
vantor_license_paragraph(expat Expat "${expat}")
file(READ Content/Fonts/LICENSE-LiberationSans.txt ofl)
string(REGEX REPLACE ".*\nLicense: [^\n]*(\n.*)\n \\.\n\nFiles: debian.*" "\\1" ofl "${ofl}")
string(REGEX REPLACE "\n " "\n" ofl "${ofl}")
vantor_license_paragraph(ofl OFL-1.1 "${ofl}")
configure_file(packaging/copyright.in packaging/copyright @ONLY)
file(APPEND ${PROJECT_BINARY_DIR}/packaging/copyright "\n${expat}\n${ofl}")

install(FILES ${PROJECT_BINARY_DIR}/packaging/${VANTOR_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_BINARY_DIR}/packaging/vantor.6.gz DESTINATION share/man/man6)
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DESTINATION share/doc/vantor)

# The Debian package: vantor_<version>_<arch>.deb, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VANTOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VANTOR_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "little moon rolling around Saturn along its ring")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A little moon rolls on its own around Saturn along Saturn's ring, a track of
three lanes. Steer it across the lanes and make it jump: stones end the game,
floating cogwheels give 10 points. Needs OpenGL 4.1.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# CPack installs into its staging folder through DESTDIR, so the prefix seen
# while installing (in the menu entry's launcher path) is this one.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The packages that hold the libraries the game links, with their least
# versions, as dpkg-shlibdeps finds them in the binary that goes into the
# package (a Debug or sanitizer build links a few more than a Release build).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The same bytes from every build of a commit: CPack dates every member of the
# package by SOURCE_DATE_EPOCH, which cmake/PackageTime.cmake sets, when
# packaging, to the commit's time (or the newest changelog entry's, outside a
# git checkout) unless the caller has set it.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/PackageTime.cmake)
set(CPACK_VANTOR_SOURCE_DIR ${PROJECT_SOURCE_DIR})
include(CPack)
