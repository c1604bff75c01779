# Read by cpack before it makes a package (CPACK_PROJECT_CONFIG_FILE), the
# Debian package and the Windows packages alike: the time every member of a
# package carries, from the commit being packaged, so that every build of a
# commit gives the same bytes. Outside a git checkout (an exported tree, a
# source archive) the newest changelog entry's date stands in, as in Debian's
# own packages. A SOURCE_DATE_EPOCH set by the caller is kept.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${CPACK_VANTOR_SOURCE_DIR}" log -1 --format=%ct
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT epoch MATCHES "^[0-9]+$")
    # The newest entry's trailer line: " -- NAME <ADDRESS>  DATE".
    file(STRINGS "${CPACK_VANTOR_SOURCE_DIR}/packaging/changelog.in" trailer REGEX "^ -- " LIMIT_COUNT 1)
    string(REGEX REPLACE "^ -- .*  " "" date "${trailer}")
    execute_process(COMMAND date -u -d "${date}" +%s
      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
