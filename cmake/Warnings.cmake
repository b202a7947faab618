# One interface target carries the warning flags; every target links it PRIVATE.
add_library(velmor_warnings INTERFACE)
target_compile_options(velmor_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast
  $<$<BOOL:${VELMOR_WERROR}>:-Werror>)
