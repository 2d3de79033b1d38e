# Native build: the portable core, stptool, unit tests and benchmarks.
# It also drives the Win32 build of the same sources as a sub-build in
# win32/, and the fuzz targets in fuzz/, so that one build and one CTest run
# cover all three.
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
include(ExternalProject)

# Builds the sources again in BINARY_DIR ${CMAKE_BINARY_DIR}/name with the
# given cache arguments; the sub-build's tests run in the same CTest run.
function(stp_add_sub_build name)
  set(dir ${CMAKE_BINARY_DIR}/${name})
  ExternalProject_Add(${name}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${dir}
    CMAKE_ARGS ${ARGN}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_CONFIGURE ON
    USES_TERMINAL_BUILD ON)
  file(WRITE ${CMAKE_BINARY_DIR}/${name}_tests.cmake "subdirs(\"${dir}\")\n")
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES
    ${CMAKE_BINARY_DIR}/${name}_tests.cmake)
endfunction()

option(STP_WIN32 "Also build Setup.exe and the Wine tests with MinGW-w64" ON)
if(STP_WIN32)
  stp_add_sub_build(win32
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE})
endif()

# The codec's fuzz targets, built by clang with sanitizers; each gets a short
# smoke run in the tests.
find_program(STP_CLANGXX NAMES clang++)
option(STP_FUZZ_SMOKE "Build the fuzz targets with clang and smoke-run them in the tests" ON)
set(STP_FUZZ_SECONDS 5 CACHE STRING "Length of each fuzz target's smoke run in seconds")
if(STP_FUZZ_SMOKE AND STP_CLANGXX)
  stp_add_sub_build(fuzz
    -DSTP_FUZZ=ON
    -DSTP_FUZZ_SECONDS=${STP_FUZZ_SECONDS}
    -DCMAKE_CXX_COMPILER=${STP_CLANGXX}
    -DCMAKE_BUILD_TYPE=Release)
elseif(STP_FUZZ_SMOKE)
  message(WARNING "clang++ not found: the fuzz targets are not built (scripts/setup.sh installs clang)")
endif()
