# Helpers of installer/CMakeLists.txt: finding deliverables among the tree's targets, reading the
# deliverables lists ("<file name><TAB><path>" a line) and building one MSI package with wixl.

# Every target of `dir` and of the folders below it.
function(_verdelo_targets_below dir out)
  get_property(_targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(_subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(_sub ${_subdirs})
    _verdelo_targets_below(${_sub} _more)
    list(APPEND _targets ${_more})
  endforeach()
  set(${out} ${_targets} PARENT_SCOPE)
endfunction()

# verdelo_find_target_by_file_name(fileName out): the executable or DLL target of this tree whose
# output file is `fileName` (compared without regard to case, as Windows does), or "".
function(verdelo_find_target_by_file_name fileName out)
  _verdelo_targets_below(${PROJECT_SOURCE_DIR} _targets)
  string(TOLOWER "${fileName}" _wanted)
  set(${out} "" PARENT_SCOPE)
  foreach(_target ${_targets})
    get_target_property(_type ${_target} TYPE)
    if(_type STREQUAL "EXECUTABLE")
      set(_prefix "")
      set(_suffix "${CMAKE_EXECUTABLE_SUFFIX}")
    elseif(_type STREQUAL "SHARED_LIBRARY")
      set(_prefix "${CMAKE_SHARED_LIBRARY_PREFIX}")
      set(_suffix "${CMAKE_SHARED_LIBRARY_SUFFIX}")
    else()
      continue()
    endif()
    set(_base ${_target})
    foreach(_property PREFIX OUTPUT_NAME SUFFIX)
      get_property(_is_set TARGET ${_target} PROPERTY ${_property} SET)
      if(_is_set)
        get_target_property(_value ${_target} ${_property})
        if(_property STREQUAL "PREFIX")
          set(_prefix "${_value}")
        elseif(_property STREQUAL "OUTPUT_NAME")
          set(_base "${_value}")
        else()
          set(_suffix "${_value}")
        endif()
      endif()
    endforeach()
    string(TOLOWER "${_prefix}${_base}${_suffix}" _file)
    if(_file STREQUAL _wanted)
      set(${out} ${_target} PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

# verdelo_parse_manifest(text out): the entries ("<name><TAB><path>") of a deliverables list.
function(verdelo_parse_manifest text out)
  string(REPLACE "\n" ";" _lines "${text}")
  set(_entries)
  foreach(_line ${_lines})
    if(_line MATCHES "^[^\t]+\t.+$")
      list(APPEND _entries "${_line}")
    endif()
  endforeach()
  set(${out} "${_entries}" PARENT_SCOPE)
endfunction()

# verdelo_manifest_entry(entries name out): the entry of `entries` named `name`, or "".
function(verdelo_manifest_entry entries name out)
  set(${out} "" PARENT_SCOPE)
  foreach(_entry ${entries})
    if(_entry MATCHES "^([^\t]+)\t" AND CMAKE_MATCH_1 STREQUAL name)
      set(${out} "${_entry}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

# wixl takes no absolute source paths (it asserts and fails), so packages are built in "/" and
# name their files from there.
function(_verdelo_wixl_source path out)
  set(${out} "$<PATH:RELATIVE_PATH,${path},/>" PARENT_SCOPE)
endfunction()

# verdelo_add_package(fileName ARCH x64|x86 UPGRADE_CODE guid FILES entry... PLANT path
#                     DEPENDS ...): builds the package `fileName` in this folder's build folder
# from installer/verdelo.wxs.in. FILES go into the install folder; the manual VERDELO_MANUAL and
# the plant file PLANT (as VERDELO_PLANT_FILE_NAME, in the install folder and in its "Init"
# folder) are always in it.
function(verdelo_add_package fileName)
  cmake_parse_arguments(P "" "ARCH;UPGRADE_CODE;PLANT" "FILES;DEPENDS" ${ARGN})
  if(P_ARCH STREQUAL "x64")
    set(WIN64_ATTRIBUTE " Win64=\"yes\"")
    set(PROGRAM_FILES_FOLDER ProgramFiles64Folder)
  else()
    set(WIN64_ATTRIBUTE "")
    set(PROGRAM_FILES_FOLDER ProgramFilesFolder)
  endif()
  set(UPGRADE_CODE ${P_UPGRADE_CODE})
  _verdelo_wixl_source(${VERDELO_MANUAL} MANUAL_SOURCE)
  _verdelo_wixl_source(${P_PLANT} PLANT_SOURCE)
  set(PLANT_FILE_NAME ${VERDELO_PLANT_FILE_NAME})
  set(PROGRAM_COMPONENTS "")
  set(PROGRAM_COMPONENT_REFS "")
  set(_index 0)
  set(_indent "          ")
  set(_file_depends "")
  foreach(_entry ${P_FILES})
    string(REGEX MATCH "^([^\t]+)\t(.+)$" _ "${_entry}")
    set(_name ${CMAKE_MATCH_1})
    set(_path ${CMAKE_MATCH_2})
    math(EXPR _index "${_index} + 1")
    # The custom actions run the record helper through its file key.
    set(_file_id Program${_index})
    if(_name STREQUAL "InstallRecord.exe")
      set(_file_id InstallRecordExe)
    endif()
    list(APPEND _file_depends "${_path}")
    _verdelo_wixl_source("${_path}" _source)
    string(APPEND PROGRAM_COMPONENTS
           "${_indent}<Component Id=\"Program${_index}\" Guid=\"*\"${WIN64_ATTRIBUTE}>\n"
           "${_indent}  <File Id=\"${_file_id}\" Name=\"${_name}\" Source=\"${_source}\" KeyPath=\"yes\"/>\n"
           "${_indent}</Component>\n")
    string(APPEND PROGRAM_COMPONENT_REFS "      <ComponentRef Id=\"Program${_index}\"/>\n")
  endforeach()

  set(_wxs ${CMAKE_CURRENT_BINARY_DIR}/${fileName}.wxs)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/verdelo.wxs.in ${_wxs}.in @ONLY)
  # Paths of targets are generator expressions until the build system is generated.
  file(GENERATE OUTPUT ${_wxs} INPUT ${_wxs}.in)

  set(_output ${CMAKE_CURRENT_BINARY_DIR}/${fileName})
  # wixl writes a rollback custom action as an immediate one (0x100 and 0x400 missing), so the
  # type is set to what it means: 18 (program from an installed file) + 0x40 (exit code ignored)
  # + 0x100 (rollback) + 0x400 (in the script) + 0x800 (no impersonation) = 3410.
  add_custom_command(OUTPUT ${_output}
    WORKING_DIRECTORY /
    COMMAND wixl --arch ${P_ARCH} -o ${_output}.tmp ${_wxs}
    COMMAND msibuild ${_output}.tmp -q "UPDATE CustomAction SET Type = 3410 WHERE Action = 'RollbackRecord'"
    COMMAND ${CMAKE_COMMAND} -E rename ${_output}.tmp ${_output}
    DEPENDS ${_wxs} ${_file_depends} ${P_DEPENDS}
    COMMENT "Building the installer package ${fileName}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER "package_${fileName}" _target)
  add_custom_target(${_target} ALL DEPENDS ${_output})
endfunction()
