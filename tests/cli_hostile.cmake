# toridasu-cli on drawings made to make it work without end: a bomb of nested
# references stops at the drawing's budget with one warning, and Ctrl-C ends
# the expansion at once, leaving nothing behind.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

# Seven levels of ten references each: every top reference shows ten million
# texts; two hundred of them would write two billion.
set(pairs 0 SECTION 2 BLOCKS 0 BLOCK 2 L0 0 TEXT 1 x 0 ENDBLK)
foreach(level RANGE 1 7)
  math(EXPR below "${level} - 1")
  list(APPEND pairs 0 BLOCK 2 L${level})
  foreach(i RANGE 9)
    list(APPEND pairs 0 INSERT 2 L${below} 10 ${i})
  endforeach()
  list(APPEND pairs 0 ENDBLK)
endforeach()
list(APPEND pairs 0 ENDSEC 0 SECTION 2 ENTITIES)
foreach(i RANGE 199)
  list(APPEND pairs 0 INSERT 2 L7 20 ${i})
endforeach()
list(APPEND pairs 0 ENDSEC 0 EOF "")
string(JOIN "${crlf}" bomb ${pairs})
file(WRITE ${WORK}/bomb.dxf "${bomb}")

run(0 --full --max-records 50000 -o bomb.csv bomb.dxf)
expect_match("${err}" "reached the limit of 50000.*--max-records.*records ([0-9]+), warnings"
             "the budget of a reference bomb")
if(CMAKE_MATCH_1 GREATER 50000 OR CMAKE_MATCH_1 LESS 1000)
  message(FATAL_ERROR "the budget of 50000 wrote ${CMAKE_MATCH_1} records")
endif()

# Ctrl-C while the references are expanded (a budget past any end), into a
# CSV file and into a workbook: nothing is left, the workbook's scratch files
# included (Linux: in TMPDIR; Wine keeps files of its own there).
file(MAKE_DIRECTORY ${WORK}/scratch)
set(scratch "TMPDIR=${WORK}/scratch")
if(WINDOWS)
  set(scratch "")
endif()
foreach(output stop.csv stop.xlsx)
  set(script "${scratch} ${ENVIRONMENT} ${RUNNER} ${CLI} --full --max-records 999999999999 -o ${output} bomb.dxf 2>stop-err.txt &
pid=$!
sleep 1
kill -INT $pid
wait $pid
echo $? > stop-status.txt")
  execute_process(COMMAND env sh -c "${script}" WORKING_DIRECTORY ${WORK} TIMEOUT 120)
  file(READ ${WORK}/stop-status.txt status)
  file(READ ${WORK}/stop-err.txt err)
  string(STRIP "${status}" status)
  if(NOT status EQUAL 130 OR NOT err MATCHES "interrupted; 0 drawings converted")
    message(FATAL_ERROR "Ctrl-C during expansion into ${output}: exit ${status}\n${err}")
  endif()
  file(GLOB left ${WORK}/stop*.csv* ${WORK}/stop*.xlsx* ${WORK}/scratch/*)
  if(left)
    message(FATAL_ERROR "Ctrl-C during expansion left ${left}")
  endif()
endforeach()

# Ctrl-C while the drawing is a FIFO that nobody writes: the open gives up.
if(NOT WINDOWS)
  set(script "mkfifo silent.dxf && { ${CLI} -o silent.csv silent.dxf 2>silent-err.txt &
pid=$!
sleep 0.5
kill -INT $pid
wait $pid
echo $? > silent-status.txt; }")
  execute_process(COMMAND sh -c "${script}" WORKING_DIRECTORY ${WORK} TIMEOUT 60)
  file(READ ${WORK}/silent-status.txt status)
  string(STRIP "${status}" status)
  if(NOT status EQUAL 130 OR EXISTS ${WORK}/silent.csv)
    message(FATAL_ERROR "Ctrl-C on a silent FIFO: exit ${status}")
  endif()
endif()
