# What a built package holds, read back with msiinfo: the programs' file versions (so that repair
# and upgrade compare versions), stripped programs, the upgrade of older and the same version, the
# older version removed only after the newer one's files are in, components the next version
# shares, the refusal of a newer installed version, the rollback step of the record's removal (Wine
# keeps no copy of removed files, so a rolled-back uninstall cannot be shown there), the maker's
# name, the entry in the list of installed programs, and dialogs whose rows hold together.
#   cmake -DPACKAGE=x.msi -DVERSION=a.b.c -DMAKER=name -DWEB=address -DOBJDUMP=tool -DRELEASE=dir -P this
# IN_LIST, and lists that keep their empty fields.
cmake_policy(SET CMP0057 NEW)
cmake_policy(SET CMP0007 NEW)
set(_failures "")
# Notes `message` as a failure unless `text` matches `regex`. A function, not a macro: a macro
# would read the backslashes of the text ("Init\Greenleaf.plt") as escapes.
function(_expect text regex message)
  if(NOT "${text}" MATCHES "${regex}")
    set(_failures "${_failures}  ${message}\n" PARENT_SCOPE)
  endif()
endfunction()

function(_table name out)
  set(_package ${PACKAGE})
  if(ARGN)
    set(_package ${ARGN})
  endif()
  execute_process(COMMAND msiinfo export ${_package} ${name} OUTPUT_VARIABLE _text RESULT_VARIABLE _result)
  if(NOT _result EQUAL 0)
    message(FATAL_ERROR "msiinfo export ${_package} ${name} failed")
  endif()
  set(${out} "${_text}" PARENT_SCOPE)
endfunction()

# The rows of an exported table (its three header lines left out), each its fields joined by "|";
# ";" and square brackets, which CMake lists read, become "," and "<", ">".
function(_rows text out)
  string(REPLACE ";" "," text "${text}")
  string(REPLACE "[" "<" text "${text}")
  string(REPLACE "]" ">" text "${text}")
  string(REPLACE "\r" "" text "${text}")
  string(REPLACE "\n" ";" _lines "${text}")
  list(SUBLIST _lines 3 -1 _lines)
  set(_rows "")
  foreach(_line ${_lines})
    string(REPLACE "\t" "|" _line "${_line}")
    list(APPEND _rows "${_line}")
  endforeach()
  set(${out} "${_rows}" PARENT_SCOPE)
endfunction()

# The sequence number of `action` in an exported sequence table, or -99999.
function(_sequence_of text action out)
  set(${out} -99999 PARENT_SCOPE)
  if("${text}" MATCHES "\n${action}\t[^\t\n]*\t(-?[0-9]+)")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  endif()
endfunction()

_table(File _files)
# File  Component_  FileName  FileSize  Version  Language  Attributes  Sequence
foreach(_program Verdelo.exe Verdelo64.exe Ostrel64.dll InstallRecord.exe)
  file(SIZE ${RELEASE}/${_program} _size)
  _expect("${_files}" "\t([^\t|]*[|])?${_program}\t${_size}\t${VERSION}[.]0\t"
         "${_program}: File row without version ${VERSION}.0 or with another size than the stripped file's ${_size}")
  execute_process(COMMAND ${OBJDUMP} -t ${RELEASE}/${_program} OUTPUT_VARIABLE _symbols ERROR_VARIABLE _symbols)
  _expect("${_symbols}" "no symbols" "${_program}: the shipped file keeps its symbols")
endforeach()
_expect("${_files}" "\t([^\t|]*[|])?Verdelo[.]chm\t[0-9]+\t\t" "Verdelo.chm: a file without a version got one")

_table(Upgrade _upgrade)
# UpgradeCode  VersionMin  VersionMax  Language  Attributes  Remove  ActionProperty
_expect("${_upgrade}" "\t\t${VERSION}\t\t513\t\tWIX_UPGRADE_DETECTED" "no upgrade of versions up to ${VERSION} itself")
_expect("${_upgrade}" "\t${VERSION}\t\t\t2\t\tWIX_DOWNGRADE_DETECTED" "no detection of a newer installed version")
_table(LaunchCondition _conditions)
_expect("${_conditions}" "NOT WIX_DOWNGRADE_DETECTED\tA newer version of Verdelo is already installed"
       "an older package is not refused with its reason")
_table(InstallExecuteSequence _sequence)
# An upgrade removes the older version once its own files are in (a file the older version leaves
# for the restart would otherwise take the newer one's with it), before it is registered and
# published itself, writes the record and starts the plants again.
set(_order InstallFiles InstallExecute RemoveExistingProducts RegisterProduct PublishProduct WriteRecord
           RestartPlants InstallFinalize)
set(_before -99999)
foreach(_action ${_order})
  _sequence_of("${_sequence}" ${_action} _at)
  if(NOT _at GREATER _before)
    string(APPEND _failures "  the upgrade's steps are not in the order ${_order}\n")
  endif()
  set(_before ${_at})
endforeach()
# The next version's components, when it is built beside this one, are this one's: one GUID for
# each file, whatever the version.
string(REGEX REPLACE "[.]msi$" "-newer.msi" _newer ${PACKAGE})
if(EXISTS ${_newer})
  _table(Component _components)
  _table(Component _newer_components ${_newer})
  if(NOT _components STREQUAL _newer_components)
    string(APPEND _failures "  the next version's components are not this one's\n")
  endif()
endif()
# A failed or cancelled uninstall writes the record again (a rollback step, 3410, ahead of the removal).
_table(CustomAction _actions)
_expect("${_actions}" "\nRestoreRecord\t3410\tInstallRecordExe\t/write" "no rollback step for the record's removal")
set(_removal "REMOVE=\"ALL\" AND NOT UPGRADINGPRODUCTCODE")
_expect("${_sequence}" "\nRestoreRecord\t${_removal}\t1503\r?\nRemoveRecord\t${_removal}\t1504"
        "the record's rollback step does not come right before its removal, or not on an uninstall alone")
_table(Property _properties)
_expect("${_properties}" "\nManufacturer\t${MAKER}\r?\n" "the Manufacturer is not ${MAKER}")
_expect("${_properties}" "\nARPHELPLINK\t${WEB}\r?\n" "the list of installed programs has no help link ${WEB}")
_expect("${_properties}" "\nARPPRODUCTICON\tVerdelo[.]ico\r?\n" "the list of installed programs has no icon")

# The dialogs: every dialog the UI sequence shows exists; every control an event, a condition or a
# mapping names exists on its dialog; every dialog an event opens exists; every text style a text
# names exists.
_table(Dialog _dialogs_text)
_table(Control _controls_text)
_table(ControlEvent _events_text)
_table(ControlCondition _conditions_text)
_table(EventMapping _mappings_text)
_table(TextStyle _styles_text)
_table(InstallUISequence _ui_text)
_rows("${_dialogs_text}" _dialogs)
_rows("${_controls_text}" _controls)
set(_dialog_names "")
set(_control_names "")
foreach(_row ${_controls})
  string(REGEX MATCH "^([^|]*)[|]([^|]*)[|]" _ "${_row}")
  list(APPEND _control_names "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
endforeach()
foreach(_row ${_dialogs})
  string(REGEX MATCH "^[^|]*" _dialog "${_row}")
  list(APPEND _dialog_names ${_dialog})
endforeach()
foreach(_dialog WelcomeDlg RemoveDlg ProgressDlg ExitDlg UserExitDlg FatalErrorDlg)
  _sequence_of("${_ui_text}" ${_dialog} _at)
  if(_at EQUAL -99999 OR NOT _dialog IN_LIST _dialog_names)
    string(APPEND _failures "  the UI sequence does not show ${_dialog}, or it has no Dialog row\n")
  endif()
endforeach()
foreach(_text "${_events_text}" "${_conditions_text}" "${_mappings_text}")
  _rows("${_text}" _referrers)
  foreach(_row ${_referrers})
    string(REGEX MATCH "^([^|]*[|][^|]*)[|]([^|]*)[|]([^|]*)" _ "${_row}")
    string(REPLACE "|" "/" _control "${CMAKE_MATCH_1}")
    set(_event "${CMAKE_MATCH_2}")
    set(_argument "${CMAKE_MATCH_3}")
    if(NOT _control IN_LIST _control_names)
      string(APPEND _failures "  ${_row}: no such control\n")
    endif()
    if(_event MATCHES "^(NewDialog|SpawnDialog)$" AND NOT _argument IN_LIST _dialog_names)
      string(APPEND _failures "  ${_row}: no such dialog\n")
    endif()
  endforeach()
endforeach()
string(REGEX MATCHALL "{\\\\[A-Za-z]+}" _used_styles "${_controls_text}")
list(REMOVE_DUPLICATES _used_styles)
foreach(_style ${_used_styles})
  string(REGEX REPLACE "[{}\\\\]" "" _style "${_style}")
  _expect("${_styles_text}" "\n${_style}\t" "text style ${_style} is used but not defined")
endforeach()

if(_failures)
  message(FATAL_ERROR "${PACKAGE}:\n${_failures}")
endif()
message(STATUS "${PACKAGE}: versions, upgrade rows, maker, list entry and dialogs as expected")
