# Cross compiling for Windows x64 with the mingw-w64 toolchain (POSIX thread model, so
# std::thread and friends are available). The executable is linked fully static: it
# needs no runtime DLL beside it and starts the same on any Windows x64 system.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZENTREL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZENTREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENTREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZENTREL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZENTREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
