# Shared by the converter's process tests: run it and check what it printed.
# RUNNER (the emulator, or empty), CLI and WORK come from the test's -D
# arguments; ENVIRONMENT, when set, is passed to the converter, and STDIN,
# when set, names the file its standard input reads.

string(ASCII 13 10 crlf)
string(ASCII 130 lone_lead)  # a lead byte with nothing after it

# Writes WORK/path: the entities section holding the lines given (codes and
# values, each ended by CR LF), then the end of the file.
function(write_drawing path)
  set(bytes "0${crlf}SECTION${crlf}2${crlf}ENTITIES${crlf}")
  foreach(line ${ARGN})
    string(APPEND bytes "${line}${crlf}")
  endforeach()
  file(WRITE ${WORK}/${path} "${bytes}0${crlf}EOF${crlf}")
endfunction()

# A drawing whose second text ends in a lone lead byte: its conversion fails
# at line 12.
function(write_broken_drawing path)
  write_drawing(${path} 0 TEXT 1 ok 0 TEXT 1 "A${lone_lead}")
endfunction()

function(run expected_code)
  set(input)
  if(STDIN)
    set(input INPUT_FILE ${WORK}/${STDIN})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${ENVIRONMENT} ${RUNNER} ${CLI} ${ARGN}
    WORKING_DIRECTORY ${WORK} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err ${input})
  if(NOT code EQUAL expected_code)
    message(FATAL_ERROR "toridasu-cli ${ARGN}: exit ${code}, expected ${expected_code}\nstdout: ${out}\nstderr: ${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_match text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: '${text}' does not match '${pattern}'")
  endif()
endfunction()
