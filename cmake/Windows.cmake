# The Windows build (cross-built with packaging/windows/toolchain-mingw64.cmake
# against the static libraries of packaging/windows/build-deps.sh).

# The static libraries' own needs: FreeImage's image libraries, Assimp's zip
# reader, and the marks that say no DLL is involved.
find_package(JPEG REQUIRED)
find_package(PNG REQUIRED)
find_library(VANTOR_MINIZIP_LIBRARY minizip REQUIRED)
find_package(ZLIB REQUIRED)
target_compile_definitions(vantor_gpu PUBLIC FREEIMAGE_LIB GLEW_STATIC)
target_link_libraries(vantor_gpu PUBLIC PNG::PNG JPEG::JPEG ZLIB::ZLIB)
# Assimp names minizip without its folder.
get_filename_component(minizip_dir ${VANTOR_MINIZIP_LIBRARY} DIRECTORY)
target_link_directories(vantor_scene PUBLIC ${minizip_dir})
target_link_libraries(vantor_scene PUBLIC ${VANTOR_MINIZIP_LIBRARY} ZLIB::ZLIB)

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

# The game reads "../Content/" from its working folder, the build folder:
# a link next to it leads to the repository's content.
get_filename_component(content_link ${CMAKE_BINARY_DIR}/../Content ABSOLUTE)
if(NOT EXISTS ${content_link})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/Content ${content_link} SYMBOLIC)
endif()
