# libxlsxwriter, which writes the converter's workbooks, as the target
# toridasu_xlsxwriter. Natively it is the system's (Debian's
# libxlsxwriter-dev). A cross build (32-bit Windows, 64-bit Arm) compiles the
# same version from Debian's source package with its own toolchain, in the
# build tree, and links it statically: on Windows with mingw-w64's zlib
# (libz-mingw-w64-dev), so that the programs stay single files; on Arm with
# zlib built the same way from its source package.
add_library(toridasu_xlsxwriter INTERFACE)
if(NOT CMAKE_CROSSCOMPILING)
  find_path(XLSXWRITER_INCLUDE_DIR xlsxwriter.h REQUIRED)
  find_library(XLSXWRITER_LIBRARY xlsxwriter REQUIRED)
  find_package(ZLIB REQUIRED)
  target_include_directories(toridasu_xlsxwriter SYSTEM INTERFACE ${XLSXWRITER_INCLUDE_DIR})
  target_link_libraries(toridasu_xlsxwriter INTERFACE ${XLSXWRITER_LIBRARY} ZLIB::ZLIB)
  return()
endif()

include(ExternalProject)
set(xlsxwriter_root ${CMAKE_BINARY_DIR}/_xlsxwriter)

# The folder of Debian's source package `source` (of the installed `package`'s version).
function(toridasu_debian_source source package out)
  execute_process(
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/debian-source.sh ${source} ${package} ${xlsxwriter_root}/debian
    OUTPUT_VARIABLE folder OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE fetched)
  if(NOT fetched EQUAL 0 OR NOT EXISTS ${folder}/CMakeLists.txt)
    message(FATAL_ERROR "Debian's source package ${source} could not be fetched "
                        "(scripts/install-deps.sh installs ${package} and adds the deb-src entries)")
  endif()
  message(STATUS "${source} for ${CMAKE_SYSTEM_NAME} ${CMAKE_SYSTEM_PROCESSOR} from ${folder}")
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

set(cross_arguments -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
                    -DCMAKE_INSTALL_LIBDIR=lib -DBUILD_SHARED_LIBS=OFF)
if(TORIDASU_WINDOWS)
  set(zlib_include /usr/i686-w64-mingw32/include)
  set(zlib_library /usr/i686-w64-mingw32/lib/libz.a)
  set(zlib_target "")
else()
  toridasu_debian_source(zlib zlib1g-dev zlib_source)
  set(zlib_prefix ${xlsxwriter_root}/zlib)
  set(zlib_include ${zlib_prefix}/include)
  set(zlib_library ${zlib_prefix}/lib/libz.a)
  # zlib's own configure script: Debian's source lacks what its CMake build
  # lists for Windows.
  ExternalProject_Add(zlib_cross
    SOURCE_DIR ${zlib_source}
    BUILD_IN_SOURCE ON
    INSTALL_DIR ${zlib_prefix}
    CONFIGURE_COMMAND ${CMAKE_COMMAND} -E env CC=${CMAKE_C_COMPILER} AR=${CMAKE_AR}
                      RANLIB=${CMAKE_RANLIB} CFLAGS=-O2\ -fPIC
                      ./configure --static --prefix=<INSTALL_DIR>
    BUILD_COMMAND make libz.a
    INSTALL_COMMAND make install
    BUILD_BYPRODUCTS ${zlib_library}
    UPDATE_COMMAND ""
    LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)
  set(zlib_target zlib_cross)
endif()

toridasu_debian_source(libxlsxwriter libxlsxwriter-dev xlsxwriter_source)
set(xlsxwriter_prefix ${xlsxwriter_root}/install)
set(xlsxwriter_library ${xlsxwriter_prefix}/lib/libxlsxwriter.a)
# Debian's configuration, less what the target system lacks: the bundled
# minizip and MD5 in place of the system's minizip and OpenSSL.
ExternalProject_Add(xlsxwriter_cross
  SOURCE_DIR ${xlsxwriter_source}
  BINARY_DIR ${xlsxwriter_root}/build
  INSTALL_DIR ${xlsxwriter_prefix}
  DEPENDS ${zlib_target}
  CMAKE_ARGS ${cross_arguments} -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF
    -DZLIB_INCLUDE_DIR=${zlib_include} -DZLIB_LIBRARY=${zlib_library}
  BUILD_BYPRODUCTS ${xlsxwriter_library}
  UPDATE_COMMAND ""
  LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)
file(MAKE_DIRECTORY ${xlsxwriter_prefix}/include ${zlib_include})
add_library(toridasu_xlsxwriter_static STATIC IMPORTED GLOBAL)
set_target_properties(toridasu_xlsxwriter_static PROPERTIES IMPORTED_LOCATION ${xlsxwriter_library})
add_dependencies(toridasu_xlsxwriter_static xlsxwriter_cross)
target_include_directories(toridasu_xlsxwriter SYSTEM INTERFACE ${xlsxwriter_prefix}/include)
target_link_libraries(toridasu_xlsxwriter INTERFACE toridasu_xlsxwriter_static ${zlib_library})
