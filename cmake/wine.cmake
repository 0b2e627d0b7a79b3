# Running the Windows build's programs and tests under Wine: a wrapper that
# ctest uses as the emulator, and a fixture that brings up Xvfb, a persistent
# wineserver and the prefix once per test run.
set(TORIDASU_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
foreach(script wine-run.sh wine-env.sh)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/${script}.in ${CMAKE_BINARY_DIR}/${script} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
