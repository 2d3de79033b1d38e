# Win32 build: Setup.exe and the test programs that run under Wine.
add_compile_definitions(STRICT NOMINMAX)
# A bare Windows or Wine prefix has no MinGW runtime DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)

# GoogleTest from the sources Debian ships, built for Windows.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Every Windows test program runs under Wine in one throwaway 32-bit prefix
# per test run, with its own Xvfb display (tests/wine/).
set(STP_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh ${STP_WINE_DIR})

# Registers a Windows test program with CTest, run under Wine inside the test
# run's prefix, one at a time. NAME and ARGS register one program several
# times (for instance one CTest test per GoogleTest suite); TIMEOUT bounds
# the program, Wine included.
function(stp_add_wine_test target)
  cmake_parse_arguments(ARG "" "TIMEOUT;NAME" "ARGS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  if(NOT ARG_NAME)
    set(ARG_NAME ${target})
  endif()
  add_test(NAME ${ARG_NAME} COMMAND ${target} ${ARG_ARGS})
  # wine-run.sh ends a hung program a little before CTest would.
  math(EXPR wine_timeout "${ARG_TIMEOUT} - 10")
  set_tests_properties(${ARG_NAME} PROPERTIES
    FIXTURES_REQUIRED wine_prefix
    RESOURCE_LOCK wine_display
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT STP_WINE_TIMEOUT=${wine_timeout})
endfunction()

# Setup.exe and the test programs side by side, so that a scenario finds the
# program it drives next to itself.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
