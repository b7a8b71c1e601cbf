# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix threads), run under Wine.
#
#   cmake -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DTAVKONV40_BUILD_GUI=OFF ...
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVKONV40_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
