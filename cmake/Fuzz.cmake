# Fuzz build: the portable core without windows, stptool's library, and the
# libFuzzer targets, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer. The native build drives it as a sub-build in
# fuzz/ (see Native.cmake).
set(STP_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
add_compile_options(-Wall -Wextra -g -fsanitize=fuzzer-no-link ${STP_SANITIZERS})
add_link_options(${STP_SANITIZERS})

enable_testing()

add_library(stp_core STATIC)
target_include_directories(stp_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
foreach(folder port setup lzh engine)
  add_subdirectory(src/${folder})
endforeach()
add_subdirectory(tools/stptool)
add_subdirectory(bench/lzh_support)
add_subdirectory(tests/fuzz)
