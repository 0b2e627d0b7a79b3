# One process-level error test: runs PROGRAM (the probe with SCENARIO, or the
# shipped program beside a language module without a window layout) while
# the box reader plays the user, then checks the exit code and every box the
# program showed, byte for byte. Texts are compared as Shift-JIS bytes in
# hexadecimal (encoded with Python's cp932 codec).
#   -DRUNNER= -DPROGRAM= -DREADER= -DSCENARIO= -DWORK= [-DLANGUAGE_MODULE=]

# Pieces of the expected texts.
set(title_probe "746f7269646173755f6572726f725f70726f6265")  # toridasu_error_probe
set(probe_exe "746f7269646173755f6572726f725f70726f62652e657865")  # toridasu_error_probe.exe
set(program_exe "746f7269646173752e657865")  # toridasu.exe
set(io103 "492f4f2083478389815b202831303329")  # I/O エラー (103)
set(io32 "492f4f2083478389815b2028333229")  # I/O エラー (32)
set(error_caption "4572726f72")  # Error
set(report_caption "83418376838a8350815b8356838783932083478389815b")  # アプリケーション エラー
set(ga_module "82aa838283578385815b838b20")  # "がモジュール "
set(no "2082cc20")  # " の "
set(occurred "2082c594ad90b682b582dc82b582bd8142")  # " で発生しました。"
set(av_open "838283578385815b838b2027")  # "モジュール '"
set(av_address "272082cc83418368838c835820")  # "' のアドレス "
set(at_address "2082c583418368838c835820")  # " でアドレス "
set(against "2082c991ce82b782e9")  # " に対する"
set(read_access "93c782dd8d9e82dd")  # 読み込み
set(violated "88e194bd82aa82a882ab82dc82b582bd8142")  # "違反がおきました。"
set(runtime_error "52756e74696d65206572726f7220")  # "Runtime error "
set(at " at ")
string(HEX "${at}" at)
set(full_stop "2e")
set(line_feed "0a")
set(address_10 "3030303030303130")  # 00000010
# Eight hexadecimal digits, as hexadecimal bytes (CMake's expressions allow
# too few groups to spell out 0-9 and A-F exactly).
set(digit "[34][0-9a-f]")
set(hex8 "${digit}${digit}${digit}${digit}${digit}${digit}${digit}${digit}")

# A line of the reader: caption, text, owner's class, visible buttons.
macro(expect_box caption text owner)
  list(APPEND expected "^${caption} ${text} ${owner} 1$")
endmacro()

set(expected "")
set(program ${PROGRAM})
set(arguments ${SCENARIO})
set(steps box)
if(SCENARIO STREQUAL "handler-abort-then-error")
  # The EAbort shows nothing; the I/O error shows in the error box, owned
  # by ApplicationWindow; the window then closes normally.
  set(exit_code 0)
  set(steps box close:TForm1)
  expect_box(${title_probe} ${io103} TApplication)
elseif(SCENARIO STREQUAL "handler-fault")
  set(exit_code 0)
  set(steps box close:TForm1)
  expect_box(${title_probe}
    "${av_open}${probe_exe}${av_address}${hex8}${at_address}${address_10}${against}${read_access}${violated}${full_stop}"
    TApplication)
elseif(SCENARIO STREQUAL "fault-before-machinery")
  set(exit_code 216)
  expect_box(${error_caption} "${runtime_error}323136${at}${hex8}" -)
elseif(SCENARIO STREQUAL "failure-before-machinery")
  set(exit_code 215)
  expect_box(${error_caption} "${runtime_error}323135${at}${hex8}" -)
elseif(SCENARIO STREQUAL "start-up-error")
  # Undone start-up: the fatal box only, never the error's own text.
  set(exit_code 217)
  expect_box(${error_caption} "${runtime_error}323137${at}${hex8}" -)
elseif(SCENARIO STREQUAL "failure-after-removal")
  set(exit_code 201)
  expect_box(${error_caption} "${runtime_error}323031${at}${hex8}" -)
elseif(SCENARIO STREQUAL "unhandled-error")
  set(exit_code 1)
  string(HEX "EInOutError" kind)
  expect_box(${report_caption}
    "${kind}${ga_module}${probe_exe}${no}${hex8}${occurred}${line_feed}${io32}${full_stop}" -)
elseif(SCENARIO STREQUAL "unhandled-fault" OR SCENARIO STREQUAL "handler-fault-not-unwindable")
  set(exit_code 1)
  string(HEX "EAccessViolation" kind)
  expect_box(${report_caption}
    "${kind}${ga_module}${probe_exe}${no}${hex8}${occurred}${line_feed}${av_open}${probe_exe}${av_address}${hex8}${at_address}${address_10}${against}${read_access}${violated}${full_stop}"
    -)
elseif(SCENARIO STREQUAL "handler-fault-in-platform-code")
  # A fault inside a C library routine is raised at the program's call to
  # it: the error box names the library, and the window goes on.
  set(exit_code 0)
  set(steps box close:TForm1)
  string(HEX "msvcrt.dll" library)
  expect_box(${title_probe}
    "${av_open}${library}${av_address}${hex8}${at_address}${address_10}${against}${read_access}${violated}${full_stop}"
    TApplication)
elseif(SCENARIO STREQUAL "without-layout")
  # The shipped program beside a language module that has texts but no
  # window layout: the main window cannot be built.
  set(exit_code 1)
  set(arguments "")
  string(HEX "EResNotFound" kind)
  string(HEX "TFORM1" layout)
  expect_box(${report_caption}
    "${kind}${ga_module}${program_exe}${no}${hex8}${occurred}${line_feed}[0-9a-f]*${layout}[0-9a-f]*${full_stop}"
    -)
else()
  message(FATAL_ERROR "unknown scenario ${SCENARIO}")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(SCENARIO STREQUAL "without-layout")
  file(COPY_FILE ${PROGRAM} ${WORK}/toridasu.exe)
  # The language code of a Japanese system.
  file(COPY_FILE ${LANGUAGE_MODULE} ${WORK}/toridasu.JPN)
  set(program ${WORK}/toridasu.exe)
endif()

set(boxes ${WORK}/boxes.txt)
execute_process(
  COMMAND ${RUNNER} ${program} ${arguments}
  COMMAND ${RUNNER} ${READER} ${boxes} ${steps}
  WORKING_DIRECTORY ${WORK} RESULTS_VARIABLE codes TIMEOUT 90)
set(seen "")
if(EXISTS ${boxes})
  file(STRINGS ${boxes} seen)
endif()
if(NOT codes STREQUAL "${exit_code};0")
  message(FATAL_ERROR "${SCENARIO}: exit codes ${codes} (program; reader), expected ${exit_code};0\nboxes: ${seen}")
endif()
list(LENGTH expected expected_count)
list(LENGTH seen seen_count)
if(NOT expected_count EQUAL seen_count)
  message(FATAL_ERROR "${SCENARIO}: ${seen_count} boxes, expected ${expected_count}: ${seen}")
endif()
foreach(index RANGE 0 ${expected_count})
  if(index EQUAL expected_count)
    break()
  endif()
  list(GET expected ${index} pattern)
  list(GET seen ${index} line)
  if(NOT line MATCHES "${pattern}")
    message(FATAL_ERROR "${SCENARIO}: box ${index}\n  seen:     ${line}\n  expected: ${pattern}")
  endif()
endforeach()
message(STATUS "${SCENARIO}: exit code ${exit_code}, boxes as expected")
