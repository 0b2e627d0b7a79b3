# The download for Windows users: toridasu-VERSION-win32.zip in build/.../package.
# With TORIDASU_PAGE (the browser build's toridasu.html) the page goes in too.
set(TORIDASU_PAGE "" CACHE FILEPATH "The page of the browser build, packed beside the programs")
set(TORIDASU_PACKAGE ${CMAKE_BINARY_DIR}/package/toridasu-${TORIDASU_VERSION}-win32.zip)
add_custom_command(OUTPUT ${TORIDASU_PACKAGE}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_package.py
          ${TORIDASU_VERSION} ${CMAKE_BINARY_DIR}/package
          $<TARGET_FILE:toridasu> $<TARGET_FILE:toridasu-cli>
          ${PROJECT_SOURCE_DIR}/resources/package/readme-ja.txt ${PROJECT_SOURCE_DIR}/LICENSE
          ${TORIDASU_PAGE}
  DEPENDS toridasu toridasu-cli ${PROJECT_SOURCE_DIR}/tools/make_package.py
          ${PROJECT_SOURCE_DIR}/resources/package/readme-ja.txt ${PROJECT_SOURCE_DIR}/LICENSE
          ${TORIDASU_PAGE}
  COMMENT "Packing toridasu-${TORIDASU_VERSION}-win32.zip")
add_custom_target(package_zip ALL DEPENDS ${TORIDASU_PACKAGE})
