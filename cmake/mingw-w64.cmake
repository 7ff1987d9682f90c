# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compiler (POSIX threads flavour).
# Tests and programs run under Wine, which CTest starts in front of every Windows executable.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

# Libraries and headers come from the MinGW-w64 tree only, never from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread go into each .exe, so it runs on a machine without
# MinGW installed (and under Wine without a DLL search path).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(RECHARGE_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(RECHARGE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RECHARGE_WINE})
endif()
