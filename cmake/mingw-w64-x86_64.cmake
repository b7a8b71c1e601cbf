# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix threads), run under Wine.
#
#   cmake -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DTAVKONV40_BUILD_GUI=OFF ...
#
# The programs are linked statically, so the .exe needs no MinGW runtime DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVKONV40_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVKONV40_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVKONV40_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVKONV40_MINGW}-windres)

# Libraries and headers come from the MinGW tree and from the prefixes the caller adds
# (GoogleTest built from source, the header-only libraries); never from the build machine's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${TAVKONV40_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and test discovery run the programs through Wine.
find_program(TAVKONV40_WINE NAMES wine wine64)
if(TAVKONV40_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVKONV40_WINE})
endif()

# GCC 12's -Wrestrict reports overlapping copies inside libstdc++'s own string concatenation
# at -O2 and above (a false positive, GCC bug 105329); with -Werror it would stop the build.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
