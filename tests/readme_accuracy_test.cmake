# Fails when the accuracy table in the README differs from what the accuracy
# program prints. The table stands between two HTML comments in the README (or in
# docs/accuracy.md, for the program run with ARGUMENTS=--models).
# Usage: cmake -DPROGRAM=... [-DARGUMENTS=...] -DREADME=... -P readme_accuracy_test.cmake
execute_process(COMMAND ${PROGRAM} ${ARGUMENTS} OUTPUT_VARIABLE printed RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} exited with ${status}")
endif()
file(READ ${README} readme)
set(begin "<!-- accuracy table: printed by `make accuracy` -->\n")
set(end "<!-- end of accuracy table -->")
string(FIND "${readme}" "${begin}" first)
string(FIND "${readme}" "${end}" last)
if(first EQUAL -1 OR last EQUAL -1)
  message(FATAL_ERROR "README has no accuracy table between\n${begin}and\n${end}")
endif()
string(LENGTH "${begin}" skip)
math(EXPR first "${first} + ${skip}")
math(EXPR length "${last} - ${first}")
string(SUBSTRING "${readme}" ${first} ${length} documented)
if(NOT documented STREQUAL printed)
  message(FATAL_ERROR "README's accuracy table differs from `make accuracy`.\n"
                      "README:\n${documented}\nmake accuracy:\n${printed}")
endif()
message(STATUS "README's accuracy table matches, ${length} bytes")
