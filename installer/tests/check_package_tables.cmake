# What a built package holds, read back with msiinfo: the programs' file versions (so that repair
# and upgrade compare versions), stripped programs, the upgrade of older and the same version, the
# refusal of a newer installed version, the rollback step of the record's removal (Wine keeps no
# copy of removed files, so a rolled-back uninstall cannot be shown there), and the maker's name.
#   cmake -DPACKAGE=x.msi -DVERSION=a.b.c -DMAKER=name -DOBJDUMP=tool -DRELEASE=dir -P this
set(_failures "")
# Notes `message` as a failure unless `text` matches `regex`.
macro(_expect text regex message)
  if(NOT "${text}" MATCHES "${regex}")
    string(APPEND _failures "  ${message}\n")
  endif()
endmacro()

function(_table name out)
  execute_process(COMMAND msiinfo export ${PACKAGE} ${name} OUTPUT_VARIABLE _text RESULT_VARIABLE _result)
  if(NOT _result EQUAL 0)
    message(FATAL_ERROR "msiinfo export ${PACKAGE} ${name} failed")
  endif()
  set(${out} "${_text}" PARENT_SCOPE)
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
_expect("${_sequence}" "\nRemoveExistingProducts\t\t[0-9]+" "the older version is not removed")
# A failed or cancelled uninstall writes the record again (a rollback step, 3410, ahead of the removal).
_table(CustomAction _actions)
_expect("${_actions}" "\nRestoreRecord\t3410\tInstallRecordExe\t/write" "no rollback step for the record's removal")
_expect("${_sequence}" "\nRestoreRecord\tREMOVE=\"ALL\"\t1502\r?\nRemoveRecord\tREMOVE=\"ALL\"\t1503"
        "the record's rollback step does not come right before its removal")
_table(Property _properties)
_expect("${_properties}" "\nManufacturer\t${MAKER}\r?\n" "the Manufacturer is not ${MAKER}")

if(_failures)
  message(FATAL_ERROR "${PACKAGE}:\n${_failures}")
endif()
message(STATUS "${PACKAGE}: versions, upgrade rows and maker as expected")
