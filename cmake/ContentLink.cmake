# The game reads "../Content/" from its working folder, the build folder:
# a link next to it leads to the repository's content.
get_filename_component(content_link ${CMAKE_BINARY_DIR}/../Content ABSOLUTE)
if(NOT EXISTS ${content_link})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/Content ${content_link} SYMBOLIC)
endif()
