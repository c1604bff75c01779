# The browser build (Emscripten, with packaging/web/toolchain-emscripten.cmake
# against the static libraries of packaging/web/libraries.tsv): the game as
# vantor.js and vantor.wasm, what it reads at run time packed into
# vantor.data, and the page, all in site/ of the build folder.
include(cmake/StaticLibraries.cmake)
# The suites under Node.js read the content as the Windows ones do.
include(cmake/ContentLink.cmake)

# The page's file system holds Content/ at its root, and the game starts in
# the root, so "../Content/" leads there as on the desktop. Only what the game
# reads goes in.
set(VANTOR_SITE ${CMAKE_BINARY_DIR}/site)
set_target_properties(vantor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VANTOR_SITE})
set(content_packed "")
foreach(folder Shader Images Models Fonts)
  list(APPEND content_packed "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/Content/${folder}@/Content/${folder}")
endforeach()
file(GLOB_RECURSE content_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/Content/*)
target_link_options(vantor PRIVATE
  ${content_packed}
  # The render targets follow the page's size; the heap grows with them.
  -sALLOW_MEMORY_GROWTH=1)
set_property(TARGET vantor APPEND PROPERTY LINK_DEPENDS ${content_files})
configure_file(${PROJECT_SOURCE_DIR}/packaging/web/index.html ${VANTOR_SITE}/index.html COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/Content/Icons/vantor.png ${VANTOR_SITE}/vantor.png COPYONLY)

# The licences beside the page: the game's, the font's, and each library's
# built into it, with LIBRARIES.txt naming their Debian versions
# (packaging/web/libraries.tsv, collected by packaging/build-deps.sh).
get_filename_component(web_licences ${VANTOR_WEB_DEPS}/../licences ABSOLUTE)
file(GLOB library_licences ${web_licences}/*.txt)
if(NOT library_licences)
  message(FATAL_ERROR "no licence texts in ${web_licences}: build the libraries first (scripts/web.sh deps)")
endif()
file(REMOVE_RECURSE ${VANTOR_SITE}/licences)
file(COPY ${library_licences} DESTINATION ${VANTOR_SITE}/licences)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${VANTOR_SITE}/licences/VANTOR.txt COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/Content/Fonts/LICENSE-LiberationSans.txt
  ${VANTOR_SITE}/licences/LiberationSans.txt COPYONLY)
