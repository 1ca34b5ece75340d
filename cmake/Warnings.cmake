option(PERIX_WERROR "Treat compiler warnings as errors" OFF)

add_library(perix_warnings INTERFACE)
target_compile_options(perix_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Wunused -Woverloaded-virtual -Wimplicit-fallthrough
  -Wformat=2)
# GCC 12 reports impossible overlaps inside std::basic_string's own copies at
# -O3 (its bug 105329); the warning says nothing about our code there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(perix_warnings INTERFACE -Wno-restrict)
endif()
if(PERIX_WERROR)
  target_compile_options(perix_warnings INTERFACE -Werror)
endif()
