#!/bin/sh
# The main job: converts a fresh copy of the example project with every family and every
# Microsoft control option selected, prints the log, where the backup went and what changed; then
# what a check of the converted project finds, the fixes `check --fix` makes, and the check after
# them, which finds nothing.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release -DTAVKONV40_BUILD_GUI=OFF -DTAVKONV40_BUILD_BENCH=OFF >/dev/null
cmake --build --preset release --target tavkonv40

work="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-example.XXXXXX")"
cp -r examples/OrderDesk "$work/OrderDesk"
echo "== Converting $work/OrderDesk"
status=0
build/release/cli/tavkonv40 --all-families --all-ms "$work/OrderDesk" || status=$?

backup="$(find "$work/OrderDesk" -maxdepth 1 -type d -name 'Nexaria Conversion Backup *' | head -n 1)"
echo
echo "== Converted folder: $work/OrderDesk"
echo "== Backup of the original: $backup"
echo "== What changed:"
diff -ru --strip-trailing-cr --exclude='Nexaria Conversion Backup *' --exclude=.tavkonv40-record "$backup" "$work/OrderDesk" || true
echo
echo "== What a check of the converted project finds:"
build/release/cli/tavkonv40 check "$work/OrderDesk" || true
echo
echo "== The fixes whose advice leaves no choice (check --fix, after a backup of its own):"
build/release/cli/tavkonv40 check --fix "$work/OrderDesk" || status=$?
echo
echo "== The check after the fixes:"
build/release/cli/tavkonv40 check "$work/OrderDesk" || status=$?
exit "$status"
