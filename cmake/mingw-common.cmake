# What the MinGW-w64 toolchain files share; they set VARNOX_MINGW_TRIPLET,
# VARNOX_MINGW_THREADS and CMAKE_SYSTEM_PROCESSOR, then include this.
#
# Debian ships GCC for MinGW in two thread flavours. The posix one builds
# GoogleTest and the test programs (std::thread, std::mutex). The win32 one
# builds the shipped library: its run-time needs nothing newer from kernel32
# than Windows NT 4.0 has, while the posix one drags in a thread library that
# imports GetTickCount64 and the vectored exception handler calls, which
# would keep the library from loading on NT 4.0, 2000 and XP. The run-time is
# linked statically either way (top CMakeLists), so nothing of it is shipped.

set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VARNOX_MINGW_TRIPLET}-gcc-${VARNOX_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${VARNOX_MINGW_TRIPLET}-g++-${VARNOX_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${VARNOX_MINGW_TRIPLET}-windres)
# The compiler names end in the flavour, so CMake cannot guess the binutils prefix.
# The gcc- wrappers of ar and ranlib index link-time-optimised objects too.
set(CMAKE_AR ${VARNOX_MINGW_TRIPLET}-gcc-ar-${VARNOX_MINGW_THREADS} CACHE FILEPATH "")
set(CMAKE_RANLIB ${VARNOX_MINGW_TRIPLET}-gcc-ranlib-${VARNOX_MINGW_THREADS} CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${VARNOX_MINGW_TRIPLET}-objdump CACHE FILEPATH "")
set(CMAKE_STRIP ${VARNOX_MINGW_TRIPLET}-strip CACHE FILEPATH "")

# Headers and libraries from the MinGW sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VARNOX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
