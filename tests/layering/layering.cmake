# The build refuses includes against the direction of the dependencies. Each
# row compiles tests/layering/probe.cpp with the usage requirements of one
# folder's library and one header of another; the test builds every probe
# and expects exactly the rows marked "sees" to compile.
set(layering_rows
  "toridasu_engine sees base/errors.h"
  "toridasu_base refuses files/file_names.h"
  "toridasu_platform refuses base/errors.h"
  "toridasu_files refuses engine/conversion_job.h"
  "toridasu_engine refuses files/file_names.h"
  "toridasu_engine refuses cli/messages.h"
  "toridasu_engine refuses full/full_conversion.h"
  "toridasu_engine refuses ui/form.h"
  "toridasu_engine refuses model/text_record.h"
  "toridasu_full sees text/code_page.h"
  "toridasu_full sees model/drawing_sink.h"
  "toridasu_text refuses engine/conversion_job.h"
  "toridasu_text refuses full/full_conversion.h"
  "toridasu_text refuses cli/messages.h"
  "toridasu_base refuses text/ascii_case.h"
  "toridasu_engine sees io/byte_source.h"
  "toridasu_io refuses engine/dxf_source.h"
  "toridasu_io refuses text/code_page.h"
  "toridasu_model sees text/ascii_case.h"
  "toridasu_model refuses full/raw_entity.h"
  "toridasu_model refuses engine/pair_reader.h"
  "toridasu_model refuses io/byte_source.h"
  "toridasu_xlsx sees model/record_sink.h"
  "toridasu_xlsx sees engine/record_sink.h"
  "toridasu_xlsx refuses full/csv_record_sink.h"
  "toridasu_xlsx refuses cli/messages.h"
  "toridasu_full refuses xlsx/workbook.h"
  "toridasu_engine refuses xlsx/workbook.h"
  "toridasu_jww sees model/drawing_sink.h"
  "toridasu_jww sees full/full_conversion.h"
  "toridasu_jww refuses cli/messages.h"
  "toridasu_full refuses jww/jww_conversion.h"
  "toridasu_model refuses jww/drawing_feeder.h"
  "toridasu_engine refuses jww/archive_reader.h"
  "toridasu_jww refuses xlsx/workbook.h")
if(TORIDASU_WINDOWS)
  list(APPEND layering_rows
    "toridasu_ui sees engine/conversion_job.h"
    "toridasu_ui refuses app/app_shell.h"
    "toridasu_cli_parts refuses ui/form.h")
endif()

set(layering_probes "")
foreach(row IN LISTS layering_rows)
  separate_arguments(fields UNIX_COMMAND "${row}")
  list(GET fields 0 library)
  list(GET fields 1 expectation)
  list(GET fields 2 header)
  string(MAKE_C_IDENTIFIER "layering_${library}_${header}" probe)
  add_library(${probe} OBJECT EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/probe.cpp)
  # The library's own usage requirements, as its sources see them.
  target_include_directories(${probe} PRIVATE
    $<TARGET_PROPERTY:${library},INCLUDE_DIRECTORIES>)
  target_compile_definitions(${probe} PRIVATE TORIDASU_PROBE_HEADER="${header}")
  target_link_libraries(${probe} PRIVATE toridasu_options)
  list(APPEND layering_probes "${probe}:${expectation}:${header}")
endforeach()

add_test(NAME layering
  COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSOURCE=${PROJECT_SOURCE_DIR}
    "-DPROBES=${layering_probes}"
    -P ${CMAKE_CURRENT_LIST_DIR}/layering_check.cmake)
set_tests_properties(layering PROPERTIES TIMEOUT 300 RESOURCE_LOCK build_tree)
