# Makes VANTOR's two Windows packages from the tree CPack staged from the
# install() rules of cmake/Windows.cmake (run by cpack, in its External
# generator):
#   vantor-VERSION-win64.zip   unzips to VANTOR\
#   vantor-VERSION-setup.exe   installs the same folder under Program Files
#                              (packaging/windows/installer.nsi)
# The same staged tree gives the same bytes: every file's time is
# SOURCE_DATE_EPOCH (the commit's time, set by cmake/PackageTime.cmake), the zip
# holds no other times nor owners, and every list is sorted. CPack's own ZIP
# generator would store each file's access and change times, which no build
# can repeat.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is not set: the packages take their files' time from it")
endif()
set(epoch $ENV{SOURCE_DATE_EPOCH})
set(version ${CPACK_PACKAGE_VERSION})
set(top ${CPACK_TEMPORARY_DIRECTORY})
set(stage ${top}/VANTOR)
set(work ${CPACK_TOPLEVEL_DIRECTORY}/lists)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})

file(GLOB_RECURSE files RELATIVE ${stage} ${stage}/*)
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${stage} ${stage}/*)
list(SORT files)
list(SORT entries)
set(folders ${entries})
list(REMOVE_ITEM folders ${files})
execute_process(COMMAND touch -h -d @${epoch} ${stage} ${entries} WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)

# The zip: VANTOR\ and everything in it, folders before their files.
set(names "VANTOR\n")
foreach(entry ${entries})
  string(APPEND names "VANTOR/${entry}\n")
endforeach()
file(WRITE ${work}/zip.txt "${names}")
set(zip ${CPACK_TOPLEVEL_DIRECTORY}/vantor-${version}-win64.zip)
file(REMOVE ${zip})
# A zip stores local times: UTC makes them the same on every machine.
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -qX -@ ${zip} INPUT_FILE ${work}/zip.txt
  WORKING_DIRECTORY ${top} COMMAND_ERROR_IS_FATAL ANY)

# The installer's file lists: folders before their files when installing;
# files, then folders deepest first, when uninstalling, so that the
# uninstaller removes exactly what was installed and nothing a player put
# beside it.
set(install "")
set(uninstall "")
set(size 0)
foreach(folder "" ${folders})
  set(here "")
  foreach(file ${files})
    get_filename_component(parent "${file}" DIRECTORY)
    if(parent STREQUAL folder)
      string(APPEND here "File \"${stage}/${file}\"\n")
    endif()
  endforeach()
  if(here)
    string(REPLACE "/" "\\" windows_folder "${folder}")
    if(folder)
      set(windows_folder "\\${windows_folder}")
    endif()
    string(APPEND install "SetOutPath \"$INSTDIR${windows_folder}\"\n${here}")
  endif()
endforeach()
foreach(file ${files})
  string(REPLACE "/" "\\" windows_file "${file}")
  string(APPEND uninstall "Delete \"$INSTDIR\\${windows_file}\"\n")
  file(SIZE ${stage}/${file} bytes)
  math(EXPR size "${size} + ${bytes}")
endforeach()
set(reversed ${folders})
list(REVERSE reversed)
foreach(folder ${reversed})
  string(REPLACE "/" "\\" windows_folder "${folder}")
  string(APPEND uninstall "RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
file(WRITE ${work}/install.nsh "${install}")
file(WRITE ${work}/uninstall.nsh "${uninstall}")
math(EXPR size_kb "(${size} + 1023) / 1024")

# Windows wants four numbers in a file version.
set(file_version ${version})
string(REGEX MATCHALL "\\." dots "${file_version}")
list(LENGTH dots count)
while(count LESS 3)
  string(APPEND file_version ".0")
  math(EXPR count "${count} + 1")
endwhile()
set(setup ${CPACK_TOPLEVEL_DIRECTORY}/vantor-${version}-setup.exe)
execute_process(COMMAND makensis -V2 -DVERSION=${version} "-DCOPYRIGHT=${CPACK_VANTOR_COPYRIGHT}"
  -DFILE_VERSION=${file_version} -DSTAGE=${stage} -DLISTS=${work} -DSIZE_KB=${size_kb} -DOUTFILE=${setup}
  ${CPACK_VANTOR_INSTALLER} COMMAND_ERROR_IS_FATAL ANY)

set(CPACK_EXTERNAL_BUILT_PACKAGES ${zip} ${setup})
