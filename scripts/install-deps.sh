#!/bin/sh
# Installs the Debian packages the build needs, only those that are missing.
#   scripts/install-deps.sh            # the Linux build and its tests
#   scripts/install-deps.sh windows    # also the MinGW-w64 cross build and Wine
#   scripts/install-deps.sh packages   # also what the release packages are made with
#   scripts/install-deps.sh desktop    # also an X server, a window manager and the tools that
#                                      # drive and photograph the dialog's real window
set -eu

# clang and libclang-rt-dev: the fuzz preset (libFuzzer, sanitizers); clang-format: the tree's
# style, checked in CI; libgl-dev: Qt's Gui package looks for OpenGL headers; fonts-dejavu-core:
# a known font for the offscreen Qt tests; libxxhash-dev: the backup record's hash, used from its
# header alone.
PACKAGES="cmake ninja-build g++ clang libclang-rt-dev clang-format qt6-base-dev libgl-dev \
libgtest-dev libcli11-dev libdtl-dev libxxhash-dev nlohmann-json3-dev fonts-dejavu-core"
for group in "$@"; do
    case "$group" in
        # The COM library is 32-bit: its compiler, widl (mingw-w64-tools), the system's .idl files
        # (libwine-dev: MinGW ships none), the 32-bit Wine that loads it, and a display for its window;
        # the setup program: makensis (nsis); xdotool, which finds the dialog and clicks and types
        # in it as a person would, and imagemagick, which photographs it.
        windows) PACKAGES="$PACKAGES g++-mingw-w64-x86-64-posix wine wine64 googletest \
g++-mingw-w64-i686-posix mingw-w64-tools libwine-dev wine32:i386 xvfb nsis xdotool imagemagick" ;;
        packages) PACKAGES="$PACKAGES help2man lintian fakeroot dpkg-dev zip" ;;
        desktop) PACKAGES="$PACKAGES xvfb openbox xdotool imagemagick x11-utils" ;;
        *) echo "install-deps.sh: unknown group '$group'" >&2; exit 2 ;;
    esac
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
# wine32 is an i386 package: the architecture must be known before apt can find it.
case "$PACKAGES" in
    *:i386*)
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            $SUDO dpkg --add-architecture i386
        fi ;;
esac

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -q --no-install-recommends $missing
fi
