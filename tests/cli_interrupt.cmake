# toridasu-cli interrupted by a real signal in the middle of a real batch:
# it stops, removes the outputs under way, says so, and exits with 130.
# A small drawing comes first and five of some 10 MB each follow, two at a
# time; the signal goes once the third output exists, so the small one is
# finished and two large ones are under way.
# Under Wine, SIGINT to the process becomes the console's Ctrl-C event.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/in)

include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

string(REPEAT "0${crlf}TEXT${crlf}10${crlf}1.5${crlf}20${crlf}-2${crlf}1${crlf}some text${crlf}" 200000 body)
file(WRITE ${WORK}/in/b1.dxf "0${crlf}SECTION${crlf}2${crlf}ENTITIES${crlf}${body}0${crlf}ENDSEC${crlf}0${crlf}EOF${crlf}")
foreach(i RANGE 2 5)
  file(COPY_FILE ${WORK}/in/b1.dxf ${WORK}/in/b${i}.dxf)
endforeach()
write_drawing(in/a.dxf 0 TEXT 1 a)
set(drawings 6)
run(0 -q -o a.csv in/a.dxf)
run(0 -q -o b.csv in/b1.dxf)
file(SHA256 ${WORK}/a.csv a_hash)
file(SHA256 ${WORK}/b.csv b_hash)

# Ctrl-C, and on Linux a termination request too (under Wine a SIGTERM is
# not a console event).
set(signals INT)
if(NOT WINDOWS)
  list(APPEND signals TERM)
endif()
foreach(signal ${signals})
  # sh: start the batch, wait (at most a minute) for its third output, signal.
  set(script "env ${ENVIRONMENT} ${RUNNER} ${CLI} -j 2 --no-progress -d out-${signal} in 2>err-${signal}.txt &
pid=$!
tries=0
while [ ! -e out-${signal}/b2.csv ] && [ $tries -lt 3000 ]; do sleep 0.02; tries=$((tries + 1)); done
kill -${signal} $pid
wait $pid
echo $? > status-${signal}.txt")
  execute_process(COMMAND sh -c "${script}" WORKING_DIRECTORY ${WORK} TIMEOUT 300)
  file(READ ${WORK}/status-${signal}.txt status)
  file(READ ${WORK}/err-${signal}.txt err)
  string(STRIP "${status}" status)
  if(NOT status EQUAL 130)
    message(FATAL_ERROR "exit ${status} after the signal, expected 130\n${err}")
  endif()
  if(NOT err MATCHES "^toridasu-cli: interrupted; ([0-9]) drawings converted\n$")
    message(FATAL_ERROR "not the one line of an interruption: ${err}")
  endif()
  set(done ${CMAKE_MATCH_1})

  # What was finished stays whole; nothing else is left.
  file(GLOB kept ${WORK}/out-${signal}/*)
  list(LENGTH kept count)
  if(NOT count EQUAL done OR done LESS 1 OR NOT done LESS drawings OR NOT EXISTS ${WORK}/out-${signal}/a.csv)
    message(FATAL_ERROR "${done} converted, ${count} files left: ${kept}")
  endif()
  foreach(csv ${kept})
    file(SHA256 ${csv} hash)
    if(NOT hash STREQUAL a_hash AND NOT hash STREQUAL b_hash)
      message(FATAL_ERROR "${csv} is not a whole conversion")
    endif()
  endforeach()
endforeach()
