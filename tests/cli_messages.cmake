# toridasu-cli's messages: the file at fault and what the user can do, the
# records of kept drawings only, the user's names as they are, and the
# user's language everywhere, the argument parser's words included.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/folder.csv)

include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

write_drawing(good.dxf 0 TEXT 1 ok)
write_broken_drawing(broken.dxf)
# Bytes that are neither UTF-8 nor the header's code page, in a UTF-8 drawing.
string(ASCII 133 64 undefined_in_932)
file(WRITE ${WORK}/neither.dxf "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1027\n9\n$DWGCODEPAGE\n3\nANSI_932\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nTEXT\n1\na${undefined_in_932}\n0\nENDSEC\n0\nEOF\n")
string(REPEAT "n" 300 long_name)

# Arguments (comma-separated) | what stderr says: the output is named when
# it is the output that failed.
set(cases
  "-o,folder.csv,good.dxf|folder\\.csv: cannot create: access denied. check"
  "-o,missing/x.csv,good.dxf|missing.x\\.csv: cannot create: the folder or drive does not exist. check"
  "nothing.dxf|nothing\\.dxf: cannot open: file not found. check the name"
  "-o,${long_name}.csv,good.dxf|cannot create: the name is too long"
  "--full,neither.dxf|line 22: the text holds bytes that the code pages tried \\(65001, 932\\)")
if(WINDOWS)
  list(APPEND cases "-o,Q:/x.csv,good.dxf|Q:/x\\.csv: cannot create: the folder or drive does not exist")
else()
  # A full disk: a device of our own like /dev/full (made where root may), never
  # the machine's, which a fault could harm.
  execute_process(COMMAND mknod ${WORK}/full c 1 7 RESULT_VARIABLE made ERROR_QUIET)
  if(made EQUAL 0)
    list(APPEND cases "-o,full,good.dxf|full: cannot write: the disk is full")
  endif()
endif()
foreach(case ${cases})
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 arguments)
  list(GET case 1 expected)
  string(REPLACE "," ";" arguments "${arguments}")
  run(1 ${arguments})
  expect_match("${err}" "${expected}" "${arguments}")
endforeach()
expect_match("${err}" "records 0" "a failed drawing counts no records")
if(EXISTS ${WORK}/full)
  execute_process(COMMAND test -c ${WORK}/full RESULT_VARIABLE device)
  if(NOT device EQUAL 0)
    message(FATAL_ERROR "a failed write to a device took the device away")
  endif()
endif()
# A -d that names a file: the folder is named, before any work, and the run fails.
run(1 -d good.dxf good.dxf)
expect_match("${err}" "cannot make the folder good\\.dxf. check the name" "-d on a file")

# Standard output on a full disk says so, not that a pipe ended.
if(NOT WINDOWS AND EXISTS /dev/full)
  execute_process(COMMAND ${CLI} -o - good.dxf WORKING_DIRECTORY ${WORK}
    OUTPUT_FILE /dev/full ERROR_VARIABLE err)
  expect_match("${err}" "standard output: cannot write: the disk is full" "a full standard output")
endif()

# Control characters of the user's names are shown escaped, never sent to
# the terminal (a drawing's names reach messages with them replaced).
string(ASCII 27 escape)
run(1 "gone${escape}[2J.dxf")
expect_match("${err}" "gone\\\\x1b\\[2J\\.dxf: cannot open" "an escape sequence in a file name")

# The summary counts the records of the CSV files kept, not of those removed.
run(1 -j 1 good.dxf broken.dxf)
expect_match("${err}" "converted 1, failed 1, records 1," "records of kept drawings")

# The user's own names reach messages whole: in the code page on Windows
# (Shift-JIS here, not a console), UTF-8 on Linux.
file(WRITE "${WORK}/図面.dxf" "")
if(WINDOWS)
  string(ASCII 144 125 150 202 native_name)  # 図面 in Shift-JIS
else()
  set(native_name "図面")
endif()
run(2 -o 図面.dxf 図面.dxf)
expect_match("${err}" "overwrite the input: ${native_name}\\.dxf" "a double-byte name")

# Japanese throughout: help, parser errors and option values.
set(ENVIRONMENT TORIDASU_LANG=ja)
set(english "Usage|OPTIONS|Positionals|REQUIRED|TEXT|Print this|Display|required|expected|Run with|missing|range|[Cc]ould not|Value|is not|was not")
run(0 --help)
if(out MATCHES "${english}")
  message(FATAL_ERROR "English in the Japanese help: ${CMAKE_MATCH_0}\n${out}")
endif()
foreach(arguments "" "--no-such-option,good.dxf" "-o" "-j,0,good.dxf" "-j,x,good.dxf"
                  "--encoding,latin1,good.dxf" "--invalid,x,good.dxf" "--bom,good.dxf")
  string(REPLACE "," ";" arguments "${arguments}")
  run(2 ${arguments})
  if(err MATCHES "${english}" OR err STREQUAL "")
    message(FATAL_ERROR "toridasu-cli ${arguments}: not Japanese: ${err}")
  endif()
endforeach()
