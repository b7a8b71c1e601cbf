#!/bin/sh
# The Windows job: cross-builds GoogleTest (from Debian's source), the engine, the command line
# and their tests with MinGW-w64, then runs the tests under Wine in a private Wine prefix.
#
#   scripts/ci-windows.sh            # build/windows/, tests included, run under Wine
#   scripts/ci-windows.sh --release  # only build/windows-release/cli/tavkonv40.exe (for the zip)
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows
tests=ON
dir=build/windows
if [ "${1:-}" = "--release" ]; then tests=OFF dir=build/windows-release; fi

. scripts/windows-build.sh
windows_deps
if [ "$tests" = ON ] && [ ! -f "$deps/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B build/windows-gtest -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_GMOCK=OFF >/dev/null
    cmake --build build/windows-gtest -j2
    cmake --install build/windows-gtest >/dev/null
fi
configure_windows x86_64 "$dir" "$tests"
cmake --build "$dir" -j2
if [ "$tests" = OFF ]; then exit 0; fi

# A Wine prefix of the job's own, booted once; no display, no add-on installers.
WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-wine.XXXXXX")"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
# One Wine server for the whole job, started first: each program joins it instead of starting one.
wineserver -p
wineboot -i >/dev/null 2>&1
ctest --test-dir build/windows --output-on-failure -j2 -E tavkonv40_control_windows_tests
# The controls' Win32 hosts make real windows, and Wine makes windows only on a display: their
# test runs under a virtual one, in a prefix of its own (Managed=N: no window manager to wait for).
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-wine-x.XXXXXX")" && export WINEPREFIX
    trap "wineserver -k 2>/dev/null; rm -rf \"\$WINEPREFIX\"" EXIT
    wineboot -i >/dev/null 2>&1
    wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    ctest --test-dir build/windows --output-on-failure -R tavkonv40_control_windows_tests
    # The caption at 150 %: the resolution set in the registry takes effect once the server restarts.
    wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    wineserver -k
    TAVKONV40_TEST_DPI=144 wine build/windows/tests/controls/tavkonv40_control_windows_tests.exe \
        --gtest_filter=GlyphWindows.CaptionAtTheScreensResolution'

# The Windows program against the Linux one (built by scripts/run-tests.sh before this job): the
# example project and a generated folder, each under a name with blanks and letters inside and
# outside the ANSI code page, must give the same dry run, log, files, backup and check.
linux="${TAVKONV40_LINUX_BUILD:-build/ci}"
same="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-same.XXXXXX")"
name="Projet été Проект 漢字"
# Times and dates aside (each side writes the time of day in its own regional format), and the
# separator before the backup's name ("\\" on Windows).
normalise() {
    sed -e 's/[0-9]\{1,2\}:[0-9][0-9]:[0-9][0-9]\( [AP]M\)\{0,1\}/HH:MM:SS/g' -e 's/Backup [0-9.]* [0-9.]*/Backup DATE/g' \
        -e 's/\\Nexaria Conversion Backup/\/Nexaria Conversion Backup/' "$@"
}
# run_side SIDE SOURCE PROGRAM... OPTIONS: dry run, run and check of a fresh copy of SOURCE.
run_side() {
    side="$1" source="$2" program="$3" options="$4"
    rm -rf "${same:?}/$side" && mkdir "$same/$side" && cp -r "$source" "$same/$side/$name"
    (cd "$same/$side" &&
        { $program $options --dry-run --color=never "$name" || true; } >dry.txt 2>/dev/null &&
        { $program $options "$name" || true; } >log.txt 2>summary.txt &&
        { $program check "$name" || true; } >check.txt 2>&1)
    (cd "$same/$side" && normalise dry.txt log.txt summary.txt check.txt) > "$same/$side.txt"
    for b in "$same/$side/$name"/Nexaria\ Conversion\ Backup\ *; do mv "$b" "$same/$side/backup"; done
    # The backup's record: the same files, sizes and hashes on both sides; only the moment differs.
    sed 's/^made [0-9]*$/made TIME/' "$same/$side/backup/.tavkonv40-record" >"$same/$side.record"
    rm "$same/$side/backup/.tavkonv40-record"
    grep "^Found VB" "$same/$side/log.txt" > "$same/$side.order" || true
}
# compare SOURCE OPTIONS: both builds meet a folder's files in the one listing order, so their
# dry runs, logs and checks must agree line by line, in order.
compare() {
    source="$1" options="$2"
    run_side linux "$source" "$PWD/$linux/cli/tavkonv40" "$options"
    run_side windows "$source" "wine $PWD/build/windows/cli/tavkonv40.exe" "$options"
    diff "$same/linux.order" "$same/windows.order"
    diff "$same/linux.txt" "$same/windows.txt"
    diff -r "$same/linux/$name" "$same/windows/$name"
    diff -r "$same/linux/backup" "$same/windows/backup"
    diff "$same/linux.record" "$same/windows.record"
    diff -r "$source" "$same/windows/backup"
    echo "Same bytes on Windows as on Linux: $(basename "$source") as '$name', $options"
}
if [ -x "$linux/cli/tavkonv40" ] && [ -x "$linux/bench/tavkonv40-make-corpus" ]; then
    "$linux/bench/tavkonv40-make-corpus" "$same/generated" 7 40 16 >/dev/null
    for source in "$PWD/examples/OrderDesk" "$same/generated"; do
        compare "$source" "--all-families:4.0L"
        compare "$source" "--all-families --all-ms"
    done
else
    echo "No Linux build in $linux: the comparison with Linux is left out" >&2
fi
rm -rf "$same"

# The log's time of day is in the user's regional format, as Windows defines it: 12-hour with
# AM/PM and no leading zero in a United States setting, 24-hour in a German one.
regional() {
    LC_ALL="$1" wine build/windows/cli/tavkonv40.exe --dry-run --all-families examples/OrderDesk 2>/dev/null |
        grep -a "^Starting conversion " | tr -d '\r'
}
if ! regional en_US.UTF-8 | grep -Eq '^Starting conversion (1[0-2]|[1-9]):[0-5][0-9]:[0-5][0-9] [AP]M$' ||
    ! regional de_DE.UTF-8 | grep -Eq '^Starting conversion [0-2][0-9]:[0-5][0-9]:[0-5][0-9]$'; then
    echo "Regional time of day under Wine: got '$(regional en_US.UTF-8)' (en_US), '$(regional de_DE.UTF-8)' (de_DE)" >&2
    exit 1
fi
echo "Regional time of day under Wine: $(regional en_US.UTF-8 | cut -c21-) (en_US), $(regional de_DE.UTF-8 | cut -c21-) (de_DE)"

# Wine cannot send a console event from one program to another (the signal test skips), but a
# Ctrl-C typed on the console a program runs in reaches its handler: type one into a
# pseudo-terminal once the run has converted its first form, and expect the cancelled ending.
# The log and the progress line go to files, not the console: Wine's console draws every
# character it is given, can fall behind the run for as long as the run lasts, and holds the
# keystroke back behind what it still has to draw. Should the keystroke still land after the
# last form (the run completes, whatever its exit code), that proves nothing either way: try
# once more with a folder four times larger, and if that too completes, say that this machine
# could not check it rather than fail the job on the machine's account.
ctrlc="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-ctrl-c.XXXXXX")"
# try_ctrl_c FORMS: a run over FORMS forms with a Ctrl-C typed once it has started converting.
try_ctrl_c() {
    rm -rf "${ctrlc:?}/project" "$ctrlc/log.txt" "$ctrlc/err.txt" && mkdir "$ctrlc/project"
    i=0
    while [ $i -lt "$1" ]; do
        printf 'VERSION 5.00\r\nObject = "{3F2A9C41-7B0E-4D1A-9E55-2C8B6F104A11}#1.0#0"; "tavQVButton20.ocx"\r\nBegin VB.Form F\r\nEnd\r\n' \
            > "$ctrlc/project/F$i.frm"
        i=$((i + 1))
    done
    status=0
    {
        # F0.frm is the first form in the listing order.
        n=0
        until grep -q "tavQVButton40" "$ctrlc/project/F0.frm" || [ $n -gt 1200 ]; do sleep 0.05; n=$((n + 1)); done
        printf '\003'
        n=0
        until grep -q "^Conversion c" "$ctrlc/log.txt" 2>/dev/null || [ $n -gt 600 ]; do sleep 0.1; n=$((n + 1)); done
    } | script -qec "wine build/windows/cli/tavkonv40.exe --all-families '$ctrlc/project' >'$ctrlc/log.txt' 2>'$ctrlc/err.txt'" \
        /dev/null >/dev/null || status=$?
}
forms=400
while :; do
    try_ctrl_c $forms
    if [ "$status" -eq 3 ] && grep -q "^Conversion cancelled\." "$ctrlc/log.txt" &&
        ls "$ctrlc/project" | grep -q "Nexaria Conversion Backup"; then
        echo "Ctrl-C under Wine: the run ended cancelled (exit 3) after $(grep -l tavQVButton40 "$ctrlc/project"/*.frm | wc -l) of $forms forms, the backup is in place"
        break
    fi
    # A run that completed was faster than the keystroke; Wine may still be exiting when it
    # lands, and the pseudo-terminal's interrupt then ends the process with exit 130.
    if grep -q "^Conversion complete" "$ctrlc/log.txt" && ls "$ctrlc/project" | grep -q "Nexaria Conversion Backup"; then
        if [ $forms -lt 1600 ]; then
            echo "Ctrl-C under Wine: $forms forms were converted before the keystroke landed (exit $status); again with more"
            forms=$((forms * 4))
            continue
        fi
        echo "Ctrl-C under Wine: NOT CHECKED on this machine: the keystroke did not reach the program before it had converted all $forms forms (exit $status)"
        break
    fi
    echo "Ctrl-C under Wine: expected the cancelled ending (exit 3) with the backup, got exit $status" >&2
    tail -5 "$ctrlc/log.txt" "$ctrlc/err.txt" >&2
    exit 1
done
rm -rf "$ctrlc"
