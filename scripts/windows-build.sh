# Shell functions shared by the jobs that cross-build the Windows programs and run them in private
# Wine prefixes (scripts/ci-windows.sh, ci-com.sh, ci-setup.sh, make-packages.sh).
# Sourced from the repository's root:  . scripts/windows-build.sh

# windows_deps: the header-only libraries, seen from a prefix of their own in $deps (adding the
# build machine's /usr/include to a MinGW build would mix in the Linux C library's headers).
windows_deps() {
    deps="$PWD/build/windows-deps"
    mkdir -p "$deps/include" "$deps/share/cmake"
    for h in CLI nlohmann dtl xxhash.h xxh3.h; do ln -sfn "/usr/include/$h" "$deps/include/$h"; done
    for c in CLI11 nlohmann_json; do ln -sfn "/usr/share/cmake/$c" "$deps/share/cmake/$c"; done
}

# configure_windows ARCH DIR TESTS: configures DIR (Release, warnings are errors, no Qt, tests
# ON or OFF; GoogleTest from $deps) with MinGW-w64's ARCH (x86_64 or i686) compilers; the caller
# builds the targets it needs.
configure_windows() {
    windows_deps
    gtest=""
    if [ "$3" = ON ]; then gtest="-DGTest_DIR=$deps/lib/cmake/GTest"; fi
    cmake -S . -B "$2" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-$1.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DTAVKONV40_BUILD_GUI=OFF -DTAVKONV40_BUILD_BENCH=OFF \
        -DTAVKONV40_BUILD_TESTS="$3" -DTAVKONV40_WERROR=ON \
        -DCLI11_DIR="$deps/share/cmake/CLI11" -Dnlohmann_json_DIR="$deps/share/cmake/nlohmann_json" \
        -DDTL_INCLUDE_DIR="$deps/include" -DXXHASH_INCLUDE_DIR="$deps/include" \
        ${gtest:+"$gtest"} \
        ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
}

# configure_windows_i686: build/windows-i686 for the 32-bit programs, without tests.
configure_windows_i686() { configure_windows i686 build/windows-i686 OFF; }

# start_prefix ARCH NAME: a fresh Wine prefix (ARCH win32 or win64) in WINEPREFIX, a temporary
# folder named after NAME, booted, with one Wine server for all the programs the caller runs in it.
start_prefix() {
    WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-$2.XXXXXX")"
    export WINEPREFIX WINEARCH="$1"
    wineserver -p
    wineboot -i >/dev/null 2>&1
    # Without a window manager every program that made a window waits about 2 s at its exit
    # unless Wine manages its windows itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}
