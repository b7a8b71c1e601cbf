# What the MinGW-w64 cross builds share; the caller sets CMAKE_SYSTEM_PROCESSOR and
# TAVKONV40_MINGW (the compilers' prefix).
#
# The programs and the DLL are linked statically: they need no MinGW runtime DLL beside them.
set(CMAKE_SYSTEM_NAME Windows)
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
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Tests and test discovery run the programs through Wine.
find_program(TAVKONV40_WINE NAMES wine wine64)
if(TAVKONV40_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVKONV40_WINE})
endif()

# GCC 12's -Wrestrict reports overlapping copies inside libstdc++'s own string concatenation
# at -O2 and above (a false positive, GCC bug 105329); with -Werror it would stop the build.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
