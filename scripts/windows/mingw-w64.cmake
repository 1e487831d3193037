# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads).
# EMBERWIGHT_WINDOWS_PREFIX names the folder holding the cross-built libraries.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(WIN_HOST x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${WIN_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WIN_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${WIN_HOST}-windres)
set(CMAKE_AR /usr/bin/${WIN_HOST}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${WIN_HOST}-ranlib CACHE FILEPATH "")
# FindPkgConfig would otherwise find the host's pkg-config and the host's .pc files.
set(PKG_CONFIG_EXECUTABLE /usr/bin/${WIN_HOST}-pkg-config CACHE FILEPATH "")

# try_compile projects read this file again; pass the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES EMBERWIGHT_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${WIN_HOST} ${EMBERWIGHT_WINDOWS_PREFIX})
set(CMAKE_PREFIX_PATH ${EMBERWIGHT_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
