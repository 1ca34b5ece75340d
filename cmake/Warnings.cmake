option(PERIX_WERROR "Treat compiler warnings as errors" OFF)

add_library(perix_warnings INTERFACE)
target_compile_options(perix_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Wunused -Woverloaded-virtual -Wimplicit-fallthrough
  -Wformat=2)
if(PERIX_WERROR)
  target_compile_options(perix_warnings INTERFACE -Werror)
endif()
