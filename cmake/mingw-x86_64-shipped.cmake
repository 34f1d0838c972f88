# The shipped 64-bit (x86_64) library alone, with the win32 thread flavour.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VARNOX_MINGW_TRIPLET x86_64-w64-mingw32)
set(VARNOX_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
