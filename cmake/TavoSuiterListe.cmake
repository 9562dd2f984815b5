# Run by ctest before the tests: lists the suites of one test program and
# writes a CTest file with one test per suite (the program run with
# --gtest_filter=<suite>.*). A test program starts in about half a second
# under the sanitizers, so one process per suite rather than per test saves
# most of the suite's start-up time; the suites keep their tests apart.
#
# Input variables: PROGRAM, ARBEJDSMAPPE, SUFFIKS, EGENSKABER (CMake code of
# the test properties), CTEST_FIL.

execute_process(
  COMMAND "${PROGRAM}" --gtest_list_tests
  WORKING_DIRECTORY "${ARBEJDSMAPPE}"
  TIMEOUT 60
  OUTPUT_VARIABLE liste
  ERROR_VARIABLE fejl
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "Kan ikke liste testene i ${PROGRAM} (${rc}):\n${liste}\n${fejl}")
endif()

set(indhold "")
string(REPLACE "\n" ";" linjer "${liste}")
foreach(linje IN LISTS linjer)
  # A suite line is its name and a dot, perhaps followed by the type of a
  # typed suite as a comment; test lines are indented.
  if(linje MATCHES "^([^ #][^ ]*)\\.( +#.*)?$")
    set(suite "${CMAKE_MATCH_1}")
    set(navn "${suite}${SUFFIKS}")
    string(APPEND indhold
      "add_test([==[${navn}]==] [==[${PROGRAM}]==] [==[--gtest_filter=${suite}.*]==])\n"
      "set_tests_properties([==[${navn}]==] PROPERTIES WORKING_DIRECTORY [==[${ARBEJDSMAPPE}]==] ${EGENSKABER})\n")
  endif()
endforeach()
file(WRITE "${CTEST_FIL}" "${indhold}")
