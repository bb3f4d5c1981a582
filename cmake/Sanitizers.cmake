# SPDX-License-Identifier: GPL-3.0-or-later
# Sanitizer and fuzzing builds. The flags are set for the whole tree, so every
# library a test or fuzz target links is instrumented as well.
set(TESSARINE_SANITIZE "" CACHE STRING
    "Sanitizers to build every target with, e.g. address,undefined (empty: none)")
option(TESSARINE_FUZZ "Build the libFuzzer targets under tests/fuzz (needs clang++)" OFF)

if(TESSARINE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TESSARINE_FUZZ needs clang++ for libFuzzer; configure with the fuzz preset")
  endif()
  if(NOT TESSARINE_SANITIZE)
    set(TESSARINE_SANITIZE "address,undefined")
  endif()
  # Coverage instrumentation for the libraries; only the fuzz targets link
  # libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(TESSARINE_SANITIZE)
  # Any undefined behaviour ends the run, so a test or fuzz target cannot
  # pass over it.
  add_compile_options(-fsanitize=${TESSARINE_SANITIZE} -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=${TESSARINE_SANITIZE})
endif()
