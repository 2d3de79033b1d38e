# Fuzz build: the codec and its libFuzzer targets only, built by clang with
# AddressSanitizer and UndefinedBehaviorSanitizer. The native build drives it
# as a sub-build in fuzz/ (see Native.cmake).
set(STP_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
add_compile_options(-Wall -Wextra -g -fsanitize=fuzzer-no-link ${STP_SANITIZERS})
add_link_options(${STP_SANITIZERS})

enable_testing()

# The codec needs nothing else of the core.
add_library(stp_core STATIC)
target_include_directories(stp_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
add_subdirectory(src/lzh)
add_subdirectory(tests/lzh_support)
add_subdirectory(tests/fuzz)
