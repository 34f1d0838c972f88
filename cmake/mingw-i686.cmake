# Cross-build for 32-bit (x86) Windows with Debian's MinGW-w64: the tests, and
# through a tree of its own (mingw-i686-shipped.cmake) the shipped library.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VARNOX_MINGW_TRIPLET i686-w64-mingw32)
set(VARNOX_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
