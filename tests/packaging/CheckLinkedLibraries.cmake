# cmake -DPROGRAM=<file> -DFORBIDDEN=<regex> -P CheckLinkedLibraries.cmake
# Runs PROGRAM (it must succeed), then fails when ldd lists a library
# matching FORBIDDEN.
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE Result OUTPUT_VARIABLE Out ERROR_VARIABLE Out)
if(NOT Result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed (${Result}):\n${Out}")
endif()
execute_process(COMMAND ldd ${PROGRAM} RESULT_VARIABLE Result OUTPUT_VARIABLE Libraries)
if(NOT Result EQUAL 0)
  message(FATAL_ERROR "ldd ${PROGRAM} failed:\n${Libraries}")
endif()
if(Libraries MATCHES "(${FORBIDDEN})[^ ]*")
  message(FATAL_ERROR "${PROGRAM} links ${CMAKE_MATCH_0}:\n${Libraries}")
endif()
message(STATUS "${PROGRAM}: no library matching ${FORBIDDEN}")
