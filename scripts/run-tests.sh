#!/bin/sh
# Builds everything and runs every test (engine, command line, controls, dialog).
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh
preset=default
if [ "${CI:-}" = "true" ]; then preset=ci; fi
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cmake --workflow --preset "$preset"
