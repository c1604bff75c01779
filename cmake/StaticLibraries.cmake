# What the static libraries that the Windows and the web builds link need
# themselves: FreeImage's image libraries, Assimp's zip reader, and the mark
# that says FreeImage is no DLL.
find_package(JPEG REQUIRED)
find_package(PNG REQUIRED)
find_library(VANTOR_MINIZIP_LIBRARY minizip REQUIRED)
find_package(ZLIB REQUIRED)
target_compile_definitions(vantor_gpu PUBLIC FREEIMAGE_LIB)
target_link_libraries(vantor_gpu PUBLIC PNG::PNG JPEG::JPEG ZLIB::ZLIB)
# Assimp names minizip without its folder.
get_filename_component(minizip_dir ${VANTOR_MINIZIP_LIBRARY} DIRECTORY)
target_link_directories(vantor_scene PUBLIC ${minizip_dir})
target_link_libraries(vantor_scene PUBLIC ${VANTOR_MINIZIP_LIBRARY} ZLIB::ZLIB)
