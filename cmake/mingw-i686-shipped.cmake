# The shipped 32-bit (x86) library alone, with the win32 thread flavour.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VARNOX_MINGW_TRIPLET i686-w64-mingw32)
set(VARNOX_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
