# 64-bit Windows build with the posix-thread mingw-w64 toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DV_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# ctest runs the Windows test programs through Wine.
find_program(DV_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT DV_WINE64)
  find_program(DV_WINE64 NAMES wine64)
endif()
if(DV_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DV_WINE64})
endif()
