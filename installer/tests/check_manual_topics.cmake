# The compiled manual holds exactly the topics the program opens, as 7-Zip lists them from the
# .chm file itself.
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
message(STATUS "the manual holds ${pages}")
