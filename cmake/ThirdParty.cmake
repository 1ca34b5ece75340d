# Header-only libraries from Debian packages. They live in /usr/include, which
# the cross build must not search (it would find the Linux C library's headers
# there), so each gets a staging folder of its own holding just its headers.
set(PERIX_STAGED_INCLUDE ${CMAKE_BINARY_DIR}/third_party/include)
file(MAKE_DIRECTORY ${PERIX_STAGED_INCLUDE})

function(perix_header_library target folder)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/setup.sh")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${PERIX_STAGED_INCLUDE}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${PERIX_STAGED_INCLUDE})
endfunction()

perix_header_library(perix_json nlohmann)    # nlohmann-json3-dev
perix_header_library(perix_cli CLI)          # libcli11-dev
