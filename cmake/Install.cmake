# Installing VANTOR (cmake --install <build> --prefix P) and its Debian package
# (cpack -G DEB in the build folder, or scripts/package.sh).
#
#   P/lib/vantor/bin/vantor        the game; it reads "../Content/" from its working folder
#   P/lib/vantor/Content/...       shaders, images, models, the font and its licence
#   P/games/vantor                 launcher: changes into P/lib/vantor/bin and starts the game
#   P/share/applications/vantor.desktop, P/share/icons/hicolor/{256x256,scalable}/apps/vantor.{png,svg}
#
# Only what the game reads at run time is installed; the content generator,
# the benchmark and the tests stay in the build folder. Build the game first:
# installing and packaging do not build anything (not every test and tool
# just to package the game).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(VANTOR_INSTALL_GAME_DIR lib/vantor)
set(VANTOR_INSTALL_LAUNCHER_DIR games)

install(TARGETS vantor RUNTIME DESTINATION ${VANTOR_INSTALL_GAME_DIR}/bin)
install(DIRECTORY
  ${PROJECT_SOURCE_DIR}/Content/Shader
  ${PROJECT_SOURCE_DIR}/Content/Images
  ${PROJECT_SOURCE_DIR}/Content/Models
  ${PROJECT_SOURCE_DIR}/Content/Fonts
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
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/vantor.desktop.in\"
                 \"${PROJECT_BINARY_DIR}/packaging/vantor.desktop\" @ONLY)
")
install(FILES ${PROJECT_BINARY_DIR}/packaging/vantor.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/Content/Icons/vantor.png DESTINATION share/icons/hicolor/256x256/apps)
install(FILES ${PROJECT_SOURCE_DIR}/Content/Icons/vantor.svg DESTINATION share/icons/hicolor/scalable/apps)

# The Debian package: vantor_<version>_<arch>.deb, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(VANTOR_PACKAGE_MAINTAINER "VANTOR developers" CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${VANTOR_PACKAGE_MAINTAINER}")
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
include(CPack)
