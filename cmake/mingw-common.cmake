set(CMAKE_C_COMPILER ${DV_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DV_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DV_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${DV_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# ctest runs the Windows test programs through Wine; its 64-bit loader hands
# 32-bit programs to Wine's 32-bit half.
find_program(DV_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT DV_WINE64)
  find_program(DV_WINE64 NAMES wine64)
endif()
if(DV_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DV_WINE64})
endif()
# Line tables only: enough for a backtrace under winedbg, at a quarter less
# compile time than full debug information.
set(CMAKE_C_FLAGS_RELWITHDEBINFO_INIT "-O2 -g1 -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO_INIT "-O2 -g1 -DNDEBUG")
