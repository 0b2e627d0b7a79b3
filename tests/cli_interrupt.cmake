# toridasu-cli interrupted by a real signal in the middle of a real batch:
# it stops, removes the outputs under way, keeps the previous files they were
# to replace, says so, and exits with 130. A small drawing comes first and
# five of some 10 MB each follow, two at a time; the signal goes once the
# third output is being written, so the small one is finished and two large
# ones are under way.
# Under Wine, SIGINT to the process becomes the console's Ctrl-C event.
cmake_policy(SET CMP0054 NEW)  # a quoted "previous" is the word, not the variable
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
  # Every output has a previous version, which only a finished drawing replaces.
  foreach(name a b1 b2 b3 b4 b5)
    file(WRITE ${WORK}/out-${signal}/${name}.csv "previous")
  endforeach()
  # sh: start the batch, wait (at most a minute) until its third output is
  # being written, signal.
  set(script "env ${ENVIRONMENT} ${RUNNER} ${CLI} -j 2 --no-progress -d out-${signal} in 2>err-${signal}.txt &
pid=$!
tries=0
while ! ls out-${signal}/b2.csv.toridasu-*.tmp >/dev/null 2>&1 && [ $tries -lt 3000 ]; do sleep 0.02; tries=$((tries + 1)); done
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

  # What was finished is whole; every other output is its previous version,
  # and no temporary file is left.
  file(GLOB kept ${WORK}/out-${signal}/*)
  list(LENGTH kept count)
  file(SHA256 ${WORK}/out-${signal}/a.csv first)
  if(NOT count EQUAL drawings OR done LESS 1 OR NOT done LESS drawings OR NOT first STREQUAL a_hash)
    message(FATAL_ERROR "${done} converted, ${count} files left: ${kept}")
  endif()
  set(whole 0)
  foreach(csv ${kept})
    file(READ ${csv} content LIMIT 8)
    file(SHA256 ${csv} hash)
    if(hash STREQUAL a_hash OR hash STREQUAL b_hash)
      math(EXPR whole "${whole} + 1")
    elseif(NOT content STREQUAL "previous")
      message(FATAL_ERROR "${csv} is neither a whole conversion nor the previous file")
    endif()
  endforeach()
  if(NOT whole EQUAL done)
    message(FATAL_ERROR "${done} converted, but ${whole} outputs replaced")
  endif()
endforeach()

# While the drawing waits for more bytes of a pipe: Ctrl-C ends the wait and
# the conversion, which removes its temporary file; SIGKILL ends the process
# with no time to clean up. Either way the previous output stays as it was;
# a temporary file left behind is removed by the next run to that output,
# but never one of a converter that runs (here: this shell's).
if(NOT WINDOWS)
  set(interrupted_bytes "0${crlf}SECTION${crlf}2${crlf}ENTITIES${crlf}0${crlf}TEXT${crlf}1${crlf}x${crlf}")
  foreach(signals "INT" "KILL")
    string(REPLACE " " "-" row "${signals}")
    file(WRITE ${WORK}/${row}.csv "previous")
    set(script "mkfifo ${row}.dxf
env ${ENVIRONMENT} ${CLI} -j 1 --no-progress -o ${row}.csv ${row}.dxf 2>err-${row}.txt &
pid=$!
exec 3>${row}.dxf
printf '${interrupted_bytes}' >&3
# Until the output is begun and the converter waits for the pipe.
tries=0
until ls ${row}.csv.toridasu-*.tmp >/dev/null 2>&1 && [ S$(cut -d' ' -f3 /proc/$pid/stat) = SS ] || [ $tries -ge 3000 ]; do sleep 0.02; tries=$((tries + 1)); done
for signal in ${signals}; do
  kill -$signal $pid
  # Until the signal is taken: a caught one is then no longer caught.
  tries=0
  while kill -0 $pid 2>/dev/null && [ $(( 0x$(awk '/^SigCgt/ { print $2 }' /proc/$pid/status) & 2 )) -ne 0 ] && [ $tries -lt 3000 ]; do sleep 0.02; tries=$((tries + 1)); done
done
tries=0
while kill -0 $pid 2>/dev/null && [ $tries -lt 3000 ]; do sleep 0.02; tries=$((tries + 1)); done
kill -KILL $pid 2>/dev/null && echo 'still running' >> err-${row}.txt
wait $pid
echo $? > status-${row}.txt
exec 3>&-")
    execute_process(COMMAND sh -c "${script}" WORKING_DIRECTORY ${WORK} TIMEOUT 300)
    file(READ ${WORK}/status-${row}.txt status)
    file(READ ${WORK}/err-${row}.txt err)
    file(READ ${WORK}/${row}.csv previous)
    file(GLOB left ${WORK}/${row}.csv.toridasu-*.tmp)
    string(STRIP "${status}" status)
    # Only the killed one leaves its temporary file.
    set(expected_err "^$")
    set(left_expected TRUE)
    if(signals STREQUAL "INT")
      set(expected_err "^toridasu-cli: interrupted; 0 drawings converted\n$")
      set(left_expected FALSE)
    endif()
    set(left_found FALSE)
    if(left)
      set(left_found TRUE)
    endif()
    if(NOT err MATCHES "${expected_err}" OR NOT status GREATER 128
       OR NOT previous STREQUAL "previous" OR NOT left_found STREQUAL left_expected)
      message(FATAL_ERROR "${signals}: exit ${status}, '${previous}' kept, left ${left}\n${err}")
    endif()
    if(left)
      set(dead_writer ${left})
    endif()
  endforeach()

  execute_process(COMMAND sh -c "echo $PPID" OUTPUT_VARIABLE running OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(live_writer ${WORK}/KILL.csv.toridasu-${running}.tmp)
  file(WRITE ${live_writer} "")
  run(0 -q -o KILL.csv in/a.dxf)
  file(SHA256 ${WORK}/KILL.csv hash)
  if(NOT hash STREQUAL a_hash OR EXISTS ${dead_writer} OR NOT EXISTS ${live_writer})
    message(FATAL_ERROR "the next run left ${dead_writer}, or took ${live_writer}")
  endif()
endif()
