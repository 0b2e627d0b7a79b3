# Process-level tests of error reporting (Windows build): a probe that is the
# program with one failure put in per scenario, the shipped program beside a
# language module without a window layout, and a reader that plays the user
# of their boxes.
if(TORIDASU_WINDOWS AND TARGET toridasu_app)
  add_executable(toridasu_box_reader ${CMAKE_CURRENT_LIST_DIR}/box_reader.cpp)
  target_link_libraries(toridasu_box_reader PRIVATE toridasu_options)

  add_executable(toridasu_error_probe WIN32 ${CMAKE_CURRENT_LIST_DIR}/error_probe.cpp)
  target_link_libraries(toridasu_error_probe PRIVATE toridasu_app toridasu_options)
  # Every raise records where it happened, as in the shipped program.
  target_link_options(toridasu_error_probe PRIVATE -Wl,--wrap=__cxa_throw)

  # The program's texts without its window layout, as a language module.
  add_library(toridasu_strings_only MODULE ${TORIDASU_STRINGS_RC})
  set_target_properties(toridasu_strings_only PROPERTIES PREFIX "" LINKER_LANGUAGE C)
  target_link_options(toridasu_strings_only PRIVATE -nostdlib -Wl,-e,0 -s)
  add_dependencies(toridasu_strings_only toridasu_strings)

  set(error_scenarios
    handler-abort-then-error handler-fault fault-before-machinery failure-before-machinery
    start-up-error failure-after-removal unhandled-error unhandled-fault
    handler-fault-not-unwindable handler-fault-in-platform-code)
  foreach(scenario IN LISTS error_scenarios)
    add_test(NAME error_process_${scenario}
      COMMAND ${CMAKE_COMMAND}
        -DRUNNER=${CMAKE_CROSSCOMPILING_EMULATOR} -DPROGRAM=$<TARGET_FILE:toridasu_error_probe>
        -DREADER=$<TARGET_FILE:toridasu_box_reader> -DSCENARIO=${scenario}
        -DWORK=${CMAKE_CURRENT_BINARY_DIR}/error-process/${scenario}
        -P ${CMAKE_CURRENT_LIST_DIR}/error_process_check.cmake)
    list(APPEND error_process_tests error_process_${scenario})
  endforeach()
  add_test(NAME error_process_without-layout
    COMMAND ${CMAKE_COMMAND}
      -DRUNNER=${CMAKE_CROSSCOMPILING_EMULATOR} -DPROGRAM=$<TARGET_FILE:toridasu>
      -DLANGUAGE_MODULE=$<TARGET_FILE:toridasu_strings_only>
      -DREADER=$<TARGET_FILE:toridasu_box_reader> -DSCENARIO=without-layout
      -DWORK=${CMAKE_CURRENT_BINARY_DIR}/error-process/without-layout
      -P ${CMAKE_CURRENT_LIST_DIR}/error_process_check.cmake)
  list(APPEND error_process_tests error_process_without-layout)
  set_tests_properties(${error_process_tests} PROPERTIES
    FIXTURES_REQUIRED wine RESOURCE_LOCK display TIMEOUT 120)
endif()
