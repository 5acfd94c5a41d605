# One INTERFACE target carries the warning flags; every target links it PRIVATE.
add_library(tavrik_warnings INTERFACE)
target_compile_options(tavrik_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wformat=2
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
if(TAVRIK_WERROR)
  target_compile_options(tavrik_warnings INTERFACE -Werror)
endif()
