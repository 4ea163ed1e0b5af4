# Cross-compiling for 64-bit Windows with the posix-threads flavour of mingw-w64
# (std::thread and std::mutex need it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX} $ENV{SONVELT_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The 64-bit loader itself: Debian's wine wrapper would pick a 32-bit loader when one is installed.
# scripts/build passes the one the scripts use (SONVELT_WINE of scripts/lib/env.sh).
if(NOT SONVELT_WINE)
  set(SONVELT_WINE /usr/lib/wine/wine64)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${SONVELT_WINE})
