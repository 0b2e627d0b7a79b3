# A drawing dropped on toridasu-cli.exe: converted beside itself, then the
# window waits for a key (the driver stands for Explorer and the user).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)
write_drawing(plan.dxf 0 TEXT 1 A)
file(COPY ${CLI} ${DRIVER} DESTINATION ${WORK})
get_filename_component(cli_name ${CLI} NAME)
get_filename_component(driver_name ${DRIVER} NAME)
execute_process(COMMAND ${RUNNER} ${driver_name} plan.csv ${cli_name} plan.dxf
  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE code ERROR_VARIABLE err TIMEOUT 240)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "dropped drawing: driver exit ${code}: ${err}")
endif()
if(NOT EXISTS ${WORK}/plan.csv)
  message(FATAL_ERROR "dropped drawing: plan.csv is missing")
endif()
