# Cross-build for 64-bit (x86_64) Windows with Debian's MinGW-w64: the tests, and
# through a tree of its own (mingw-x86_64-shipped.cmake) the shipped library.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VARNOX_MINGW_TRIPLET x86_64-w64-mingw32)
set(VARNOX_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
