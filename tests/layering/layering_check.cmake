# Builds each layering probe (BUILD, PROBES = probe:sees|refuses:header;...).
# A refused header must fail for the one reason that it cannot be found.
# Then checks that no source climbs out of its folder with "../", which
# would reach a header past the include roots.
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
    # GCC: "x.h: No such file or directory"; Clang: "'x.h' file not found".
    string(REPLACE "." "\\." pattern "${header}")
    if(code EQUAL 0 OR NOT "${out}${err}" MATCHES
       "${pattern}: No such file or directory|'${pattern}' file not found")
      message(FATAL_ERROR "${probe}: ${header} should not be found\n${out}${err}")
    endif()
  endif()
endforeach()

foreach(folder base platform files text io engine model full jww xlsx cli ui app)
  file(GLOB_RECURSE sources ${SOURCE}/${folder}/*.cpp ${SOURCE}/${folder}/*.h ${SOURCE}/${folder}/*.inc)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} climbing REGEX "^#include \"\\.\\./")
    if(climbing)
      message(FATAL_ERROR "${source}: ${climbing}")
    endif()
  endforeach()
endforeach()
