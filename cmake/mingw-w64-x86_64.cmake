# Cross-compiles the Qt-free parts for 64-bit Windows with Debian's mingw-w64 (POSIX thread model),
# linked statically so that the programs need no DLLs beside them. Programs and tests built with it
# run here under Wine through wine-run.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread go into every executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
