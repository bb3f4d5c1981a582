# SPDX-License-Identifier: GPL-3.0-or-later
# One place for the project's warning flags, applied target by target so
# that third-party code pulled in by find_package keeps its own settings.
function(tessarine_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Wcast-align -Woverloaded-virtual)
  if(TESSARINE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
