# What the two MinGW-w64 toolchain files share; they set VARNOX_MINGW_TRIPLET
# and CMAKE_SYSTEM_PROCESSOR, then include this.
# The posix thread flavour of GCC is the one that builds GoogleTest; the
# runtime is linked statically (top CMakeLists), so nothing of it is shipped.

set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VARNOX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARNOX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VARNOX_MINGW_TRIPLET}-windres)
# The compiler names end in -posix, so CMake cannot guess the binutils prefix.
set(CMAKE_AR ${VARNOX_MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${VARNOX_MINGW_TRIPLET}-ranlib CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${VARNOX_MINGW_TRIPLET}-objdump CACHE FILEPATH "")
set(CMAKE_STRIP ${VARNOX_MINGW_TRIPLET}-strip CACHE FILEPATH "")

# Headers and libraries from the MinGW sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VARNOX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
