# Shared part of the mingw-w64 toolchains; the including file sets M3U8_MINGW_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)
# The posix thread model: its libstdc++ has std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${M3U8_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${M3U8_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${M3U8_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${M3U8_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
