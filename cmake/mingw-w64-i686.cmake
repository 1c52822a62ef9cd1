# 32-bit Windows, the program's own platform.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(M3U8_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
