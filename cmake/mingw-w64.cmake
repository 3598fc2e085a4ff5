# Cross build for Windows with mingw-w64 (posix thread model). The preset
# names the processor in VELMORA_MINGW_PROCESSOR: x86_64 (the default) or i686.
if(NOT VELMORA_MINGW_PROCESSOR)
  set(VELMORA_MINGW_PROCESSOR x86_64)
endif()
# try_compile reads this file again, in a project that knows only these.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_MINGW_PROCESSOR)
set(triple ${VELMORA_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VELMORA_MINGW_PROCESSOR})
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
