# Runs a generator tool and checks that it reproduces a committed file byte for
# byte. Called by ctest: cmake -DTOOL=... -DARGS=... -DOUTPUT=... -DCOMMITTED=... -P this file.
separate_arguments(tool_args UNIX_COMMAND "${ARGS}")
execute_process(COMMAND "${TOOL}" ${tool_args} "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TOOL} failed (${status})")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${COMMITTED}" RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${OUTPUT} differs from the committed ${COMMITTED}: regenerate and commit it")
endif()
