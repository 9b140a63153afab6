# Our own targets compile with a strict warning set, treated as errors; third-party
# headers (Qt, GoogleTest, GMP) come in as system includes and are left alone.
add_library(plinthar_warnings INTERFACE)
target_compile_options(plinthar_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Werror
  # GCC 12 reports impossible overlaps inside std::string's operator+ once it
  # inlines it at -O2 (GCC bug 105329); the warning says nothing about our code.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
add_library(plinthar::warnings ALIAS plinthar_warnings)
