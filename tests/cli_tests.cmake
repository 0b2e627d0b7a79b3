# Process-level tests of toridasu-cli: exit codes, messages, and the bytes it
# writes for every drawing of the shared corpus (on the Windows build, the
# same bytes as the native build's converter).
if(TORIDASU_WINDOWS)
  set(cli_runner ${CMAKE_CROSSCOMPILING_EMULATOR})
  set(cli_fixture wine)
else()
  set(cli_runner "")
  set(cli_fixture "")
endif()
set(TORIDASU_NATIVE_CLI "" CACHE FILEPATH "The native converter whose output the Windows build must match")

add_test(NAME cli_behaviour
  COMMAND ${CMAKE_COMMAND}
    -DRUNNER=${cli_runner} -DCLI=$<TARGET_FILE:toridasu-cli> -DENVIRONMENT=TORIDASU_LANG=en
    -DWINDOWS=${TORIDASU_WINDOWS} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cli-behaviour
    -P ${CMAKE_CURRENT_SOURCE_DIR}/cli_behaviour.cmake)
add_test(NAME cli_corpus
  COMMAND ${CMAKE_COMMAND}
    -DRUNNER=${cli_runner} -DCLI=$<TARGET_FILE:toridasu-cli> -DREFERENCE_CLI=${TORIDASU_NATIVE_CLI}
    -DENVIRONMENT=TORIDASU_LANG=en
    -DCORPUS=${TORIDASU_CORPUS} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cli-corpus
    -P ${CMAKE_CURRENT_SOURCE_DIR}/cli_corpus.cmake)
add_test(NAME cli_full_corpus
  COMMAND ${CMAKE_COMMAND}
    -DRUNNER=${cli_runner} -DCLI=$<TARGET_FILE:toridasu-cli> -DREFERENCE_CLI=${TORIDASU_NATIVE_CLI}
    -DENVIRONMENT=TORIDASU_LANG=en
    -DCORPUS=${TORIDASU_CORPUS} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cli-full-corpus
    -P ${CMAKE_CURRENT_SOURCE_DIR}/cli_full_corpus.cmake)
add_test(NAME cli_jww
  COMMAND ${CMAKE_COMMAND}
    -DRUNNER=${cli_runner} -DCLI=$<TARGET_FILE:toridasu-cli> -DREFERENCE_CLI=${TORIDASU_NATIVE_CLI}
    -DENVIRONMENT=TORIDASU_LANG=en
    -DCORPUS=${TORIDASU_JWW_CORPUS} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cli-jww
    -P ${CMAKE_CURRENT_SOURCE_DIR}/cli_jww.cmake)
set_tests_properties(cli_behaviour cli_corpus cli_full_corpus cli_jww PROPERTIES TIMEOUT 600)
if(cli_fixture)
  set_tests_properties(cli_behaviour cli_corpus cli_full_corpus cli_jww PROPERTIES
                       FIXTURES_REQUIRED ${cli_fixture})
endif()

# Batches, messages, interruption and hostile drawings: one script each.
foreach(script batch messages interrupt hostile)
  add_test(NAME cli_${script}
    COMMAND ${CMAKE_COMMAND}
      -DRUNNER=${cli_runner} -DCLI=$<TARGET_FILE:toridasu-cli>
      -DENVIRONMENT=TORIDASU_LANG=en -DWINDOWS=${TORIDASU_WINDOWS}
      -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cli-${script}
      -P ${CMAKE_CURRENT_SOURCE_DIR}/cli_${script}.cmake)
  set_tests_properties(cli_${script} PROPERTIES TIMEOUT 600)
  if(cli_fixture)
    set_tests_properties(cli_${script} PROPERTIES FIXTURES_REQUIRED ${cli_fixture})
  endif()
endforeach()

# Drawings dropped on the converter in Explorer: it has a console of its own
# and keeps the summary on screen until a key is pressed. (Started from a
# script it never waits: every other test would hang.)
if(TORIDASU_WINDOWS)
  add_executable(toridasu_console_driver tools/console_driver.cpp)
  target_link_libraries(toridasu_console_driver PRIVATE toridasu_options)
  add_test(NAME cli_dropped
    COMMAND ${CMAKE_COMMAND}
      -DRUNNER=${cli_runner} -DCLI=$<TARGET_FILE:toridasu-cli>
      -DDRIVER=$<TARGET_FILE:toridasu_console_driver>
      -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cli-dropped
      -P ${CMAKE_CURRENT_SOURCE_DIR}/cli_dropped.cmake)
  set_tests_properties(cli_dropped PROPERTIES
    FIXTURES_REQUIRED ${cli_fixture} RESOURCE_LOCK display TIMEOUT 300)
endif()

# Workbooks read back as a spreadsheet user reads them (openpyxl, from the
# system's Python): the corpus cell by cell against the CSV files, hostile
# texts, a batch into one workbook, and more texts than a sheet holds.
foreach(python ${Python3_EXECUTABLE} /usr/bin/python3)
  execute_process(COMMAND ${python} -c "import openpyxl" RESULT_VARIABLE no_openpyxl
    OUTPUT_QUIET ERROR_QUIET)
  if(no_openpyxl EQUAL 0)
    foreach(check corpus hostile batch rows)
      add_test(NAME cli_xlsx_${check}
        COMMAND ${python} ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_workbooks.py ${check}
          --cli $<TARGET_FILE:toridasu-cli> "--runner=${cli_runner}" --corpus ${TORIDASU_CORPUS}
          "--jww-corpus=${TORIDASU_JWW_CORPUS}" --work ${CMAKE_CURRENT_BINARY_DIR}/cli-xlsx-${check})
      set_tests_properties(cli_xlsx_${check} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)
      if(cli_fixture)
        set_tests_properties(cli_xlsx_${check} PROPERTIES FIXTURES_REQUIRED ${cli_fixture})
      endif()
    endforeach()
    # A drawing of 1,100,000 texts: slow under Wine.
    set_tests_properties(cli_xlsx_rows PROPERTIES LABELS slow)
    break()
  endif()
endforeach()
