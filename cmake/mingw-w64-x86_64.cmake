# Cross build of the Windows executable with MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-gcc-ranlib-posix CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Unit tests and helper programs run under Wine.
find_program(WINE64_PROGRAM NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT WINE64_PROGRAM)
  find_program(WINE64_PROGRAM NAMES wine64 wine)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE64_PROGRAM})
