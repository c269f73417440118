# SPDX-License-Identifier: GPL-3.0-or-later
# -DCHENGMU_SANITIZE=ON builds every target with AddressSanitizer and UndefinedBehaviorSanitizer,
# in a build folder of its own (tools/test_sanitized.sh uses build-asan/). Undefined behaviour
# stops the program like a memory error does, so a test cannot pass over it.
option(CHENGMU_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(NOT CHENGMU_SANITIZE)
  return()
endif()

set(sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
add_compile_options(${sanitizer_flags})
add_link_options(${sanitizer_flags})

# ctest reads this file before it runs anything, so every test and every program a test starts
# (the end-to-end scripts' included) runs with these options. Leaks that third-party libraries
# make on their own are suppressed by library name in lsan.supp, their other reports in
# asan.supp.
set(sanitizer_env ${CMAKE_BINARY_DIR}/sanitizer_env.cmake)
file(WRITE ${sanitizer_env}
     "set(ENV{ASAN_OPTIONS} \"detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:suppressions=${CMAKE_CURRENT_LIST_DIR}/asan.supp\")\n"
     "set(ENV{LSAN_OPTIONS} \"suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0\")\n"
     "set(ENV{UBSAN_OPTIONS} \"print_stacktrace=1\")\n")
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES ${sanitizer_env})
