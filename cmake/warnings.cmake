# Warnings every target of the project is built with.
function(zentrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                         -Wno-sign-conversion
                         -Wno-restrict)  # GCC 12 reports false overlaps in std::string
endfunction()
