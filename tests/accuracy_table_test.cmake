# Fails when an accuracy table in a document differs from what the accuracy
# program prints. The table stands between two HTML comments named by TAG:
# "calculator accuracy table" (the program without arguments) or "accuracy
# table" (with ARGUMENTS=--models), both in docs/accuracy.md.
# Usage: cmake -DPROGRAM=... [-DARGUMENTS=...] -DDOCUMENT=... -DTAG=... -P accuracy_table_test.cmake
execute_process(COMMAND ${PROGRAM} ${ARGUMENTS} OUTPUT_VARIABLE printed RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} exited with ${status}")
endif()
file(READ ${DOCUMENT} text)
set(begin "<!-- ${TAG}: printed by `make accuracy` -->\n")
set(end "<!-- end of ${TAG} -->")
string(FIND "${text}" "${begin}" first)
string(FIND "${text}" "${end}" last)
if(first EQUAL -1 OR last EQUAL -1)
  message(FATAL_ERROR "${DOCUMENT} has no table between\n${begin}and\n${end}")
endif()
string(LENGTH "${begin}" skip)
math(EXPR first "${first} + ${skip}")
math(EXPR length "${last} - ${first}")
string(SUBSTRING "${text}" ${first} ${length} documented)
if(NOT documented STREQUAL printed)
  message(FATAL_ERROR "${DOCUMENT}'s ${TAG} differs from `make accuracy`.\n"
                      "Document:\n${documented}\nmake accuracy:\n${printed}")
endif()
message(STATUS "${DOCUMENT}'s ${TAG} matches, ${length} bytes")
