# Shell functions shared by the jobs that cross-build the 32-bit Windows programs and run them in
# private Wine prefixes (scripts/ci-com.sh, scripts/ci-setup.sh, scripts/make-packages.sh).
# Sourced from the repository's root:  . scripts/windows-i686.sh

# configure_windows_i686: configures build/windows-i686 (Release, warnings are errors, no tests,
# no Qt) with MinGW-w64's 32-bit compilers; the caller builds the targets it needs.
configure_windows_i686() {
    # The header-only libraries, seen from a prefix of their own (as scripts/ci-windows.sh does).
    deps="$PWD/build/windows-deps"
    mkdir -p "$deps/include" "$deps/share/cmake"
    for h in CLI nlohmann dtl xxhash.h xxh3.h; do ln -sfn "/usr/include/$h" "$deps/include/$h"; done
    for c in CLI11 nlohmann_json; do ln -sfn "/usr/share/cmake/$c" "$deps/share/cmake/$c"; done
    cmake -S . -B build/windows-i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DTAVKONV40_BUILD_GUI=OFF -DTAVKONV40_BUILD_BENCH=OFF \
        -DTAVKONV40_BUILD_TESTS=OFF -DTAVKONV40_WERROR=ON \
        -DCLI11_DIR="$deps/share/cmake/CLI11" -Dnlohmann_json_DIR="$deps/share/cmake/nlohmann_json" \
        -DDTL_INCLUDE_DIR="$deps/include" -DXXHASH_INCLUDE_DIR="$deps/include" \
        ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
}

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
