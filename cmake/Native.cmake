# Native build: the portable core, stptool, unit tests and benchmarks.
# It also drives the Win32 build of the same sources as a sub-build in
# win32/, so that one build and one CTest run cover both.
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)

option(STP_WIN32 "Also build Setup.exe and the Wine tests with MinGW-w64" ON)

if(STP_WIN32)
  include(ExternalProject)
  set(STP_WIN32_DIR ${CMAKE_BINARY_DIR}/win32)
  ExternalProject_Add(win32
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${STP_WIN32_DIR}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_CONFIGURE ON
    USES_TERMINAL_BUILD ON)
  # The Wine tests of the sub-build run in the same CTest run.
  file(WRITE ${CMAKE_BINARY_DIR}/win32_tests.cmake "subdirs(\"${STP_WIN32_DIR}\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/win32_tests.cmake)
endif()

# The codec's fuzz targets, built by clang with sanitizers in a sub-build of
# their own; each gets a short smoke run in the same CTest run.
find_program(STP_CLANGXX NAMES clang++)
option(STP_FUZZ_SMOKE "Build the fuzz targets with clang and smoke-run them in the tests" ON)
set(STP_FUZZ_SECONDS 5 CACHE STRING "Length of each fuzz target's smoke run in seconds")
if(STP_FUZZ_SMOKE AND STP_CLANGXX)
  include(ExternalProject)
  set(STP_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
  ExternalProject_Add(fuzz
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${STP_FUZZ_DIR}
    CMAKE_ARGS
      -DSTP_FUZZ=ON
      -DSTP_FUZZ_SECONDS=${STP_FUZZ_SECONDS}
      -DCMAKE_CXX_COMPILER=${STP_CLANGXX}
      -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_CONFIGURE ON
    USES_TERMINAL_BUILD ON)
  file(WRITE ${CMAKE_BINARY_DIR}/fuzz_tests.cmake "subdirs(\"${STP_FUZZ_DIR}\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/fuzz_tests.cmake)
elseif(STP_FUZZ_SMOKE)
  message(WARNING "clang++ not found: the fuzz targets are not built (scripts/setup.sh installs clang)")
endif()
