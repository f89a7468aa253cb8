# What a built package holds, read back with msiinfo: the programs' file versions (so that repair
# and upgrade compare versions), stripped programs, the upgrade of older and the same version, the
# older version removed only after the newer one's files are in, components the next version
# shares, the refusal of a newer installed version, the rollback step of the record's removal (Wine
# keeps no copy of removed files, so a rolled-back uninstall cannot be shown there), and the maker's
# name.
#   cmake -DPACKAGE=x.msi -DVERSION=a.b.c -DMAKER=name -DOBJDUMP=tool -DRELEASE=dir -P this
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

if(_failures)
  message(FATAL_ERROR "${PACKAGE}:\n${_failures}")
endif()
message(STATUS "${PACKAGE}: versions, upgrade rows and maker as expected")
