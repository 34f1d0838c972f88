# Cross-build for 64-bit (x86_64) Windows with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VARNOX_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
