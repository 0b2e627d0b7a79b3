# The download as a user gets it: unpack the zip, check every file, and run
# both programs from the unpacked folder under Wine.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${PACKAGE} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${PACKAGE}")
endif()
file(GLOB folders ${WORK}/toridasu-*-win32)
list(LENGTH folders count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the zip should hold one folder toridasu-VERSION-win32")
endif()
set(dir ${folders})
file(GLOB entries RELATIVE ${dir} ${dir}/*)
list(SORT entries)
# The page goes in when the browser build made it, as it was built.
set(expected "LICENSE.txt;readme.txt;toridasu-cli.exe;toridasu.exe")
if(PAGE)
  set(expected "LICENSE.txt;readme.txt;toridasu-cli.exe;toridasu.exe;toridasu.html")
  file(SHA256 ${PAGE} built)
  file(SHA256 ${dir}/toridasu.html packed)
  if(NOT built STREQUAL packed)
    message(FATAL_ERROR "toridasu.html in the zip is not the page that was built")
  endif()
endif()
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "unexpected files: ${entries}")
endif()

# Text files for Notepad: CR LF everywhere; the read-me in Shift-JIS.
foreach(text readme.txt LICENSE.txt)
  file(READ ${dir}/${text} hex HEX)
  string(REGEX MATCHALL "(..)" bytes "${hex}")
  set(previous "")
  foreach(byte IN LISTS bytes)
    if(byte STREQUAL "0a" AND NOT previous STREQUAL "0d")
      message(FATAL_ERROR "${text} has a line feed without a carriage return")
    endif()
    set(previous ${byte})
  endforeach()
endforeach()
file(READ ${dir}/readme.txt readme HEX)
string(FIND "${readme}" "8367838a835f8358" at)  # トリダス in Shift-JIS
if(at EQUAL -1)
  message(FATAL_ERROR "readme.txt is not the Japanese read-me in Shift-JIS")
endif()

# The converter converts a drawing.
string(ASCII 13 10 crlf)
file(WRITE ${WORK}/plan.dxf "0${crlf}SECTION${crlf}2${crlf}ENTITIES${crlf}0${crlf}TEXT${crlf}10${crlf}2.5${crlf}1${crlf}room${crlf}0${crlf}EOF${crlf}")
execute_process(COMMAND ${RUNNER} ${dir}/toridasu-cli.exe plan.dxf WORKING_DIRECTORY ${WORK} RESULT_VARIABLE code)
file(READ ${WORK}/plan.csv csv)
if(NOT code EQUAL 0 OR NOT csv MATCHES "2\\.5,0,0,\"room\"")
  message(FATAL_ERROR "the unpacked converter did not convert: exit ${code}")
endif()

# The window opens and closes with exit code 0.
execute_process(
  COMMAND ${RUNNER} ${dir}/toridasu.exe
  COMMAND ${RUNNER} ${DRIVER} close TForm1 TORIDASU
  WORKING_DIRECTORY ${WORK} RESULTS_VARIABLE codes TIMEOUT 120)
if(NOT codes STREQUAL "0;0")
  message(FATAL_ERROR "the unpacked program: exit codes ${codes} (program; driver)")
endif()
message(STATUS "unpacked, checked and ran ${dir}")
