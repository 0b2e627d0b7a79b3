# libxlsxwriter, which writes the converter's workbooks, as the target
# toridasu_xlsxwriter. Natively it is the system's (Debian's
# libxlsxwriter-dev). The 32-bit Windows build compiles the same version from
# Debian's source package with its own toolchain, in the build tree, and
# links it statically with mingw-w64's zlib (libz-mingw-w64-dev), so that the
# programs stay single files.
add_library(toridasu_xlsxwriter INTERFACE)
if(NOT TORIDASU_WINDOWS)
  find_path(XLSXWRITER_INCLUDE_DIR xlsxwriter.h REQUIRED)
  find_library(XLSXWRITER_LIBRARY xlsxwriter REQUIRED)
  find_package(ZLIB REQUIRED)
  target_include_directories(toridasu_xlsxwriter SYSTEM INTERFACE ${XLSXWRITER_INCLUDE_DIR})
  target_link_libraries(toridasu_xlsxwriter INTERFACE ${XLSXWRITER_LIBRARY} ZLIB::ZLIB)
  return()
endif()

set(xlsxwriter_root ${CMAKE_BINARY_DIR}/_xlsxwriter)
execute_process(
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/xlsxwriter-source.sh ${xlsxwriter_root}/debian
  OUTPUT_VARIABLE xlsxwriter_source OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE fetched)
if(NOT fetched EQUAL 0 OR NOT EXISTS ${xlsxwriter_source}/CMakeLists.txt)
  message(FATAL_ERROR "libxlsxwriter's source package could not be fetched "
                      "(scripts/install-deps.sh installs libxlsxwriter-dev and adds the deb-src entries)")
endif()
message(STATUS "libxlsxwriter for Windows from ${xlsxwriter_source}")

set(xlsxwriter_prefix ${xlsxwriter_root}/install)
set(xlsxwriter_library ${xlsxwriter_prefix}/lib/libxlsxwriter.a)
include(ExternalProject)
# Debian's configuration, less what Windows lacks: the bundled minizip and
# MD5 in place of the system's minizip and OpenSSL.
ExternalProject_Add(xlsxwriter_mingw
  SOURCE_DIR ${xlsxwriter_source}
  BINARY_DIR ${xlsxwriter_root}/build
  INSTALL_DIR ${xlsxwriter_prefix}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DCMAKE_INSTALL_LIBDIR=lib
    -DCMAKE_C_FLAGS=-msse2\ -mfpmath=sse
    -DBUILD_SHARED_LIBS=OFF
    -DBUILD_TESTS=OFF
    -DBUILD_EXAMPLES=OFF
    -DZLIB_ROOT=/usr/i686-w64-mingw32
    -DZLIB_LIBRARY=/usr/i686-w64-mingw32/lib/libz.a
    -DZLIB_INCLUDE_DIR=/usr/i686-w64-mingw32/include
  BUILD_BYPRODUCTS ${xlsxwriter_library}
  UPDATE_COMMAND ""
  LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)
file(MAKE_DIRECTORY ${xlsxwriter_prefix}/include)
add_library(toridasu_xlsxwriter_static STATIC IMPORTED GLOBAL)
set_target_properties(toridasu_xlsxwriter_static PROPERTIES IMPORTED_LOCATION ${xlsxwriter_library})
add_dependencies(toridasu_xlsxwriter_static xlsxwriter_mingw)
target_include_directories(toridasu_xlsxwriter SYSTEM INTERFACE ${xlsxwriter_prefix}/include)
target_link_libraries(toridasu_xlsxwriter INTERFACE toridasu_xlsxwriter_static
                      /usr/i686-w64-mingw32/lib/libz.a)
