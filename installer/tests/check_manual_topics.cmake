# The compiled manual holds exactly the topics the program opens, as 7-Zip lists them from the
# .chm file itself, and its pages spell as the rest of the manual does (British: "colour",
# "fertiliser"), so a search finds every page on a word.
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
  string(REGEX MATCHALL "[A-Za-z]*([Cc]olor|[Ff]ertiliz)[a-z]*" american "${text}")
  if(NOT result EQUAL 0 OR american)
    message(FATAL_ERROR "${page} could not be read or spells [${american}]")
  endif()
endforeach()
message(STATUS "the manual holds ${pages}")
