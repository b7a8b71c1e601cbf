#!/bin/sh
# Installs the Debian packages the build needs, only those that are missing.
set -eu

PACKAGES="cmake ninja-build g++ clang libclang-rt-dev pkg-config qt6-base-dev libgl-dev \
libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libdtl-dev nlohmann-json3-dev \
fonts-dejavu-core"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -q --no-install-recommends $missing
fi
