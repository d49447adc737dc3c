# Warnings every target of the project is built with.
function(zentrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                         -Wno-sign-conversion
                         # GCC 12 reports false overlaps in std::string; clang knows no such flag
                         $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
endfunction()
