# Cross-build for 32-bit Windows with Debian's MinGW-w64 (posix threads): the COM library the
# 32-bit hosts load, and its test host, run under 32-bit Wine (scripts/ci-com.sh).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVKONV40_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
