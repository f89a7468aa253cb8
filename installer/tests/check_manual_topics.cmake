# The compiled manual holds exactly the topics the program opens, as 7-Zip lists them from the
# .chm file itself, and its pages spell as the program's own labels do ("Pot color", "Add
# fertilizer"), so a search finds every page on the word the user sees.
#   cmake -DCHM=Verdelo.chm -P check_manual_topics.cmake
execute_process(COMMAND 7zz l -slt ${CHM} OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "7zz cannot list ${CHM}: ${errors}")
endif()
string(REGEX MATCHALL "\nPath = [^\n]*\\.htm\n" pages "${listing}")
list(TRANSFORM pages REPLACE "\nPath = /?([^\n]*)\n" "\\1")
list(SORT pages)
set(expected About.htm ConfigurationInformation.htm PlantCare.htm PlantInfo.htm PlantOptions.htm)
if(NOT pages STREQUAL expected)
  message(FATAL_ERROR "the manual's pages are [${pages}], not [${expected}]")
endif()
foreach(page ${pages})
  execute_process(COMMAND 7zz e -so ${CHM} ${page} OUTPUT_VARIABLE text RESULT_VARIABLE result)
  string(REGEX MATCHALL "[A-Za-z]*([Cc]olour|[Ff]ertilis)[a-z]*" british "${text}")
  if(NOT result EQUAL 0 OR british)
    message(FATAL_ERROR "${page} could not be read or spells [${british}]")
  endif()
endforeach()
message(STATUS "the manual holds ${pages}")
