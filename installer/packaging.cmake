# Helpers of installer/CMakeLists.txt: finding deliverables among the tree's targets, their
# stripped release copies and version resources, reading the deliverables lists ("<file
# name><TAB><path>" a line) and building one MSI package with wixl.

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

# verdelo_release_copy(target fileName out): the file the packages ship for `target`, stripped of
# its symbols: <build>/installer/release/<fileName>. The symbols stay beside the build in
# symbols/<fileName>.debug, which the stripped file names, so a debugger finds them from it.
function(verdelo_release_copy target fileName out)
  set(_release ${CMAKE_CURRENT_BINARY_DIR}/release/${fileName})
  set(_symbols ${CMAKE_CURRENT_BINARY_DIR}/symbols/${fileName}.debug)
  add_custom_command(OUTPUT ${_release} ${_symbols}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/release ${CMAKE_CURRENT_BINARY_DIR}/symbols
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${_symbols}
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${_symbols} $<TARGET_FILE:${target}> ${_release}
    DEPENDS ${target}
    COMMENT "Stripping ${fileName} for the packages"
    VERBATIM)
  set(${out} ${_release} PARENT_SCOPE)
endfunction()

# verdelo_version_info(target fileName description): gives a program or library without one a
# version resource with the project version and the maker's name.
function(verdelo_version_info target fileName description)
  get_target_property(_type ${target} TYPE)
  if(_type STREQUAL "SHARED_LIBRARY")
    set(VERSION_FILE_TYPE VFT_DLL)
  else()
    set(VERSION_FILE_TYPE VFT_APP)
  endif()
  set(VERSION_FILE_NAME ${fileName})
  set(VERSION_DESCRIPTION ${description})
  set(_rc ${CMAKE_CURRENT_BINARY_DIR}/version/${fileName}.rc)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/version_info.rc.in ${_rc} @ONLY)
  target_sources(${target} PRIVATE ${_rc})
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

# The GUID of the component that installs `name` (a path below the install folder) in the product
# of `upgradeCode`: the same in every build and version, as Windows Installer's component rules
# ask. An upgrade removes the older version after installing the newer one, and only a component
# both share keeps its files through that removal.
function(_verdelo_component_guid upgradeCode name out)
  string(UUID _guid NAMESPACE ${upgradeCode} NAME "${name}" TYPE SHA1 UPPER)
  set(${out} ${_guid} PARENT_SCOPE)
endfunction()

# verdelo_add_package(fileName ARCH x64|x86 UPGRADE_CODE guid FILES entry... PLANT path
#                     [VERSION a.b.c] [STAMP_VERSIONS] [QUERIES sql...] DEPENDS ...): builds the
# package `fileName` in this folder's build folder from installer/verdelo.wxs.in, with the dialogs
# of installer/ui. FILES go into the install folder, except VerdeloSetup.dll, the custom actions,
# which goes into the package's Binary table; the manual VERDELO_MANUAL and the plant file PLANT (as
# VERDELO_PLANT_FILE_NAME, in the install folder and in its "Init" folder) are always in it.
# VERSION (the project's by default), STAMP_VERSIONS (the programs carry VERSION as their file
# version, as a real next version's would) and QUERIES (run on the finished package with msibuild)
# make the test packages.
function(verdelo_add_package fileName)
  cmake_parse_arguments(P "STAMP_VERSIONS" "ARCH;UPGRADE_CODE;PLANT;VERSION" "FILES;DEPENDS;QUERIES" ${ARGN})
  if(P_ARCH STREQUAL "x64")
    set(WIN64_ATTRIBUTE " Win64=\"yes\"")
    set(PROGRAM_FILES_FOLDER ProgramFiles64Folder)
  else()
    set(WIN64_ATTRIBUTE "")
    set(PROGRAM_FILES_FOLDER ProgramFilesFolder)
  endif()
  set(PACKAGE_VERSION ${PROJECT_VERSION})
  if(P_VERSION)
    set(PACKAGE_VERSION ${P_VERSION})
  endif()
  set(UPGRADE_CODE ${P_UPGRADE_CODE})
  _verdelo_wixl_source(${VERDELO_MANUAL} MANUAL_SOURCE)
  _verdelo_wixl_source(${P_PLANT} PLANT_SOURCE)
  set(PLANT_FILE_NAME ${VERDELO_PLANT_FILE_NAME})
  set(PROGRAM_COMPONENTS "")
  set(PROGRAM_COMPONENT_REFS "")
  set(SETUP_ACTIONS_SOURCE "")
  # Every file the package puts in the install folder, for the uninstall's leftover check.
  set(INSTALLED_FILE_NAMES "Verdelo.chm|${PLANT_FILE_NAME}|Init\\${PLANT_FILE_NAME}")
  set(_versioned "")
  # What the package installs, for the tests: "<name below the install folder>\t<source>" a line.
  set(_file_list "Verdelo.chm\t${VERDELO_MANUAL}\n${PLANT_FILE_NAME}\t${P_PLANT}\nInit\\${PLANT_FILE_NAME}\t${P_PLANT}\n")
  set(_indent "          ")
  set(_file_depends "")
  foreach(_entry ${P_FILES})
    string(REGEX MATCH "^([^\t]+)\t(.+)$" _ "${_entry}")
    set(_name ${CMAKE_MATCH_1})
    set(_path ${CMAKE_MATCH_2})
    # This tree's stripped copies come from verdelo_release_files, which P_DEPENDS names.
    if(NOT _path MATCHES "^${CMAKE_CURRENT_BINARY_DIR}/release/")
      list(APPEND _file_depends "${_path}")
    endif()
    if(_name STREQUAL "VerdeloSetup.dll")
      _verdelo_wixl_source("${_path}" SETUP_ACTIONS_SOURCE)
      continue()
    endif()
    if(P_STAMP_VERSIONS)
      set(_stamped ${CMAKE_CURRENT_BINARY_DIR}/${fileName}-files/${_name})
      add_custom_command(OUTPUT ${_stamped}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/${fileName}-files
        COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/stamp_file_version.py ${_path} ${_stamped}
                ${PROJECT_VERSION}.0 ${PACKAGE_VERSION}.0
        DEPENDS ${_path} ${CMAKE_CURRENT_SOURCE_DIR}/stamp_file_version.py ${CMAKE_CURRENT_SOURCE_DIR}/set_file_versions.py
        COMMENT "Giving ${_name} the version ${PACKAGE_VERSION} for ${fileName}"
        VERBATIM)
      list(APPEND _file_depends ${_stamped})
      set(_path ${_stamped})
    endif()
    _verdelo_wixl_source("${_path}" _source)
    string(MAKE_C_IDENTIFIER "${_name}" _component)
    _verdelo_component_guid(${P_UPGRADE_CODE} "${_name}" _guid)
    # The custom actions run the record helper through its file key.
    set(_file_id ${_component})
    if(_name STREQUAL "InstallRecord.exe")
      set(_file_id InstallRecordExe)
    endif()
    list(APPEND _versioned "${_file_id}=${_path}")
    string(APPEND INSTALLED_FILE_NAMES "|${_name}")
    string(APPEND _file_list "${_name}\t${_path}\n")
    string(APPEND PROGRAM_COMPONENTS
           "${_indent}<Component Id=\"${_component}\" Guid=\"${_guid}\"${WIN64_ATTRIBUTE}>\n"
           "${_indent}  <File Id=\"${_file_id}\" Name=\"${_name}\" Source=\"${_source}\" KeyPath=\"yes\"/>\n"
           "${_indent}</Component>\n")
    string(APPEND PROGRAM_COMPONENT_REFS "      <ComponentRef Id=\"${_component}\"/>\n")
  endforeach()
  _verdelo_component_guid(${P_UPGRADE_CODE} "Verdelo.chm" MANUAL_GUID)
  _verdelo_component_guid(${P_UPGRADE_CODE} "${PLANT_FILE_NAME}" PLANT_FILE_GUID)
  _verdelo_component_guid(${P_UPGRADE_CODE} "Init\\${PLANT_FILE_NAME}" INIT_PLANT_FILE_GUID)
  _verdelo_wixl_source(${VERDELO_PRODUCT_ICON} PRODUCT_ICON_SOURCE)
  if(NOT SETUP_ACTIONS_SOURCE)
    message(FATAL_ERROR "installer: ${fileName} has no VerdeloSetup.dll among its files")
  endif()

  set(_wxs ${CMAKE_CURRENT_BINARY_DIR}/${fileName}.wxs)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/verdelo.wxs.in ${_wxs}.in @ONLY)
  # Paths of targets are generator expressions until the build system is generated.
  file(GENERATE OUTPUT ${_wxs} INPUT ${_wxs}.in)

  set(_output ${CMAKE_CURRENT_BINARY_DIR}/${fileName})
  file(GENERATE OUTPUT ${_output}.files CONTENT "${_file_list}")
  # wixl writes a rollback custom action as an immediate one (0x100 and 0x400 missing), so the
  # type is set to what it means: 18 (program from an installed file) + 0x40 (exit code ignored)
  # + 0x100 (rollback) + 0x400 (in the script) + 0x800 (no impersonation) = 3410.
  # wixl's major upgrade leaves out the version it installs (VersionMax exclusive): with 0x200
  # added to its 1 (migrate features) a rebuild of the same version replaces the installed one
  # instead of standing beside it as a second product.
  set(_queries
      "UPDATE CustomAction SET Type = 3410 WHERE Action = 'RollbackRecord' OR Action = 'RestoreRecord'"
      # Attributes is part of the row's key, which msibuild cannot update.
      "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'"
      "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('{${UPGRADE_CODE}}', '${PACKAGE_VERSION}', 513, 'WIX_UPGRADE_DETECTED')"
      # Restarting the plants after a rolled-back upgrade: 1 (function of a DLL in the Binary
      # table) + 0x40 (return ignored) + 0x100 (rollback) + 0x400 (in the script), as the user.
      "UPDATE CustomAction SET Type = 1345 WHERE Action = 'RestartPlantsOnRollback'"
      # The dialogs (installer/ui) and when they show: the welcome of an installation or upgrade, or
      # the removal's; the progress; the end of a finished, cancelled and failed setup. The install
      # folder shown is the one FindInstallFolder keeps.
      "INSERT INTO Property (Property, Value) VALUES ('DefaultUIFont', 'VerdeloNormal')"
      "INSERT INTO InstallUISequence (Action, Condition, Sequence) VALUES ('FindInstallFolder', 'WIX_UPGRADE_DETECTED AND NOT Installed', 990)"
      "INSERT INTO InstallUISequence (Action, Condition, Sequence) VALUES ('WelcomeDlg', 'NOT Installed', 1296)"
      "INSERT INTO InstallUISequence (Action, Condition, Sequence) VALUES ('RemoveDlg', 'Installed', 1297)"
      # Nothing changes before ExecuteAction (1300) hands the setup to the execute sequence, which
      # ends plants and puts files in: only from there on do the closing pages of a cancelled or
      # failed setup speak of changes undone and plants started again. The property is set in the
      # UI sequence itself, since Windows gives the dialogs none of the execute sequence's.
      "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('NoteSetupBegun', 51, 'SetupBegun', '1')"
      "INSERT INTO InstallUISequence (Action, Sequence) VALUES ('NoteSetupBegun', 1298)"
      "INSERT INTO InstallUISequence (Action, Sequence) VALUES ('ProgressDlg', 1299)"
      "INSERT INTO InstallUISequence (Action, Sequence) VALUES ('ExitDlg', -1)"
      "INSERT INTO InstallUISequence (Action, Sequence) VALUES ('UserExitDlg', -2)"
      # An older package is refused by its launch condition, whose message is the refusal's one
      # page: the failure page would follow it, saying the setup failed, over an installed version
      # that nothing touched.
      "INSERT INTO InstallUISequence (Action, Condition, Sequence) VALUES ('FatalErrorDlg', 'NOT WIX_DOWNGRADE_DETECTED', -3)"
      ${P_QUERIES})
  set(_query_commands "")
  foreach(_table ${VERDELO_UI_TABLES})
    list(APPEND _query_commands COMMAND msibuild ${_output}.tmp -i ${_table})
  endforeach()
  foreach(_query ${_queries})
    list(APPEND _query_commands COMMAND msibuild ${_output}.tmp -q "${_query}")
  endforeach()
  add_custom_command(OUTPUT ${_output}
    WORKING_DIRECTORY /
    COMMAND wixl --arch ${P_ARCH} -o ${_output}.tmp ${_wxs}
    ${_query_commands}
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/set_file_versions.py ${_output}.tmp ${_versioned}
    COMMAND ${CMAKE_COMMAND} -E rename ${_output}.tmp ${_output}
    DEPENDS ${_wxs} ${_file_depends} ${P_DEPENDS} ${VERDELO_UI_TABLES} ${VERDELO_PRODUCT_ICON}
            ${CMAKE_CURRENT_SOURCE_DIR}/set_file_versions.py
    COMMENT "Building the installer package ${fileName}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER "package_${fileName}" _target)
  add_custom_target(${_target} ALL DEPENDS ${_output})
endfunction()
