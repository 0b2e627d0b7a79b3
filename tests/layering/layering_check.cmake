# Builds each layering probe (BUILD, PROBES = probe:sees|refuses:header;...).
# A refused header must fail for the one reason that it cannot be found.
foreach(entry IN LISTS PROBES)
  string(REPLACE ":" ";" fields "${entry}")
  list(GET fields 0 probe)
  list(GET fields 1 expectation)
  list(GET fields 2 header)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${probe}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(expectation STREQUAL "sees" AND NOT code EQUAL 0)
    message(FATAL_ERROR "${probe}: ${header} should compile\n${out}${err}")
  elseif(expectation STREQUAL "refuses")
    string(FIND "${out}${err}" "${header}: No such file or directory" missing)
    if(code EQUAL 0 OR missing EQUAL -1)
      message(FATAL_ERROR "${probe}: ${header} should not be found\n${out}${err}")
    endif()
  endif()
endforeach()
