#!/bin/sh
# The Windows setup program's job: builds tavkonv40-VERSION-setup.exe (packaging/windows/) and the
# same as an older version, then, in a fresh 32-bit Wine prefix under a virtual display of its
# own: the launcher without the class registered (a message box, exit 1); the older version and
# then this one over it, silently, with the PATH option; the files and the registry as the setup
# promises; VBScript creating clsPropPage by its ProgID; the Start menu's launcher showing the
# dialog (found by its caption with xdotool and closed); the installed command line converting a
# copy of the example to the Linux build's bytes; a second install of the same version; a third
# with the dialog open (its files replaced at the next start); a silent uninstall that leaves the
# prefix's files and registry as they were before. Then the same in a
# 64-bit prefix, where the 64-bit library and command line are installed too, for a user with a
# PATH and a Bitmaps_Path of their own, and with an install into another folder before the
# uninstall.
#
#   scripts/ci-setup.sh     # after scripts/ci-windows.sh (its build/windows) and scripts/run-tests.sh
set -eu
cd "$(dirname "$0")/.."
. scripts/windows-build.sh

if [ "${1:-}" != "--under-display" ]; then
    scripts/install-deps.sh windows
    configure_windows_i686
    cmake --build build/windows-i686 -j2 --target tavkonv40 tavkonv40_com tavkonv40_launcher
    x64=build/windows
    if [ ! -f "$x64/cli/tavkonv40.exe" ] || [ ! -f "$x64/com/tavKonv40.dll" ]; then
        scripts/ci-windows.sh --release
        x64=build/windows-release
    fi
    packaging/windows/make-setup.sh "$x64" build/windows-i686 build/setup >/dev/null
    # The same files as an older version, to upgrade from.
    packaging/windows/make-setup.sh "$x64" build/windows-i686 build/setup/older 0.0.1 >/dev/null
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$PWD/scripts/ci-setup.sh" --under-display
fi

version="$(sed -n 's/^project(tavKonv40 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
setup="$PWD/build/setup/tavkonv40-$version-setup.exe"
older="$PWD/build/setup/older/tavkonv40-0.0.1-setup.exe"
linux="${TAVKONV40_LINUX_BUILD:-build/ci}"
work="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-setup-work.XXXXXX")"
WINEPREFIX=""
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work" ${WINEPREFIX:+"$WINEPREFIX"}' EXIT
# winemenubuilder would turn the Start-menu entry into a menu entry of this machine's desktop.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
arch=""
fail() { printf 'Setup (%s): %s\n' "$arch" "$*" >&2; exit 1; }
say() { printf 'Setup (%s): %s\n' "$arch" "$*"; }
caption="Nexaria Version 4.0 GUID Conversion Utility"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\tavKonv40'
props_key='HKCU\Software\Korvath\Nexaria40\Props'

# value KEY NAME [VIEW]: a registry value's data as reg query prints it (strings, numbers in
# hex); NAME "" is the key's default value.
value() {
    if [ -n "$2" ]; then
        wine reg query "$1" /v "$2" ${3:+"$3"} 2>/dev/null
    else
        wine reg query "$1" /ve ${3:+"$3"} 2>/dev/null
    fi | tr -d '\r' | sed -n "s/^ *${2:-(Default)} *REG_[A-Z_]* *//p"
}

# Keys Wine itself writes whenever its services and devices start, left out of every registry
# snapshot: the service manager's start counter, the volatile "linked" state of each device
# interface (the display, the PCI bus, the mouse and keyboard), which a restart rebuilds while the
# registry is being read, and the list of this machine's network cards, which a 64-bit prefix
# writes as its network service starts after the restart.
ignore_wine() {
    awk '/^\[/ { skip = ($0 == "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ServiceCurrent]" ||
                       $0 ~ /^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\DeviceClasses\\.*\\Control\]$/ ||
                       $0 ~ /^\[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\/) }
         !skip'
}
# snapshot NAME: the prefix's file list (below drive_c) and its whole registry as UTF-8 text.
snapshot() {
    (cd "$WINEPREFIX/drive_c" && find . -print | LC_ALL=C sort) >"$work/$1.files"
    wine regedit /E "$(winepath -w "$work/$1.utf16")" >/dev/null 2>&1 || fail "regedit /E failed"
    iconv -f UTF-16 -t UTF-8 "$work/$1.utf16" | tr -d '\r' | ignore_wine >"$work/$1.reg"
    rm -f "$work/$1.utf16"
}

# The files a silent install adds, as the file list names them.
expected_files() {
    {
        printf '%s\n' "./ProgramData/Microsoft/Windows/Start Menu/Programs/tavKonv40 Conversion Utility.lnk"
        for f in "" /LICENCE.txt /README.txt /skins /tavKonv40.dll /tavkonv40-gui.exe /tavkonv40.exe \
            /tavkonv40.ico /uninstall.exe; do
            printf '%s\n' "./Program Files/tavKonv40$f"
        done
        for f in skins/bitmaps/*; do printf '%s\n' "./Program Files/tavKonv40/skins/${f##*/}"; done
        if [ "$arch" = win64 ]; then
            printf '%s\n' "./Program Files/tavKonv40/x64" "./Program Files/tavKonv40/x64/tavKonv40.dll"
        fi
    } | LC_ALL=C sort
}

check_installed() {
    snapshot installed
    LC_ALL=C comm -13 "$work/before.files" "$work/installed.files" >"$work/added.files"
    expected_files >"$work/expected.files"
    diff "$work/expected.files" "$work/added.files" >&2 || fail "the install added other files than expected"
    [ "$(value "HKCR\\CLSID\\$clsid\\InprocServer32" "" /reg:32)" = "$pf\\tavKonv40.dll" ] ||
        fail "the 32-bit class is not registered to $pf\\tavKonv40.dll"
    if [ "$arch" = win64 ]; then
        [ "$(value "HKCR\\CLSID\\$clsid\\InprocServer32" "" /reg:64)" = "$pf\\x64\\tavKonv40.dll" ] ||
            fail "the 64-bit class is not registered to $pf\\x64\\tavKonv40.dll"
    fi
    for v in "DisplayName=tavKonv40" "DisplayVersion=$version" "Publisher=tavKonv40 developers" \
        "DisplayIcon=$pf\\tavkonv40.ico" "InstallLocation=$pf" "UninstallString=\"$pf\\uninstall.exe\""; do
        [ "$(value "$uninstall_key" "${v%%=*}" "$view")" = "${v#*=}" ] || fail "the uninstall entry's ${v%%=*} is not ${v#*=}"
    done
    size=$(($(value "$uninstall_key" EstimatedSize "$view")))
    [ "$size" -gt 1000 ] || fail "the uninstall entry's EstimatedSize is $size KB"
    [ "$(value "$props_key" Bitmaps_Path)" = "$skins" ] || fail "Bitmaps_Path is not $skins"
    [ "$(value 'HKCU\Environment' Path)" = "$path" ] || fail "the user's PATH is '$(value 'HKCU\Environment' Path)', not '$path'"
    say "installed: the files, the Start-menu entry, the class, the uninstall entry, Bitmaps_Path and PATH"
}

# close_dialog: finds the dialog's window by its caption, as a user would see it, and closes it
# with Alt+F4 (exit 1 when it does not show within 30 s).
close_dialog() {
    id="$(timeout 30 xdotool search --sync --onlyvisible --name "^$caption\$" 2>/dev/null | head -1)" || true
    [ -n "$id" ] || return 1
    xdotool windowfocus --sync "$id" key alt+F4
}

# The launcher on a machine where the class is not registered: a message box says so (found by its
# title and closed), and it exits 1.
check_unregistered_launcher() {
    {
        id="$(timeout 30 xdotool search --sync --onlyvisible --name '^tavKonv40 Conversion Utility$' 2>/dev/null | head -1)" &&
            xdotool windowfocus --sync "$id" key Return
    } &
    closer=$!
    status=0
    wine build/windows-i686/com/launcher/tavkonv40-gui.exe || status=$?
    wait $closer || fail "the launcher showed no message box without the class registered"
    [ $status -eq 1 ] || fail "the launcher ended with exit $status without the class registered, not 1"
    say "without the class registered, the launcher said so in a message box and ended with exit 1"
}

check_dialog() {
    # cscript exits 0 even on a script error: the script prints its errors, the output is checked.
    close_dialog &
    closer=$!
    wine cscript //nologo "$(winepath -w "$work/init.vbs")" 2>&1 | tr -d '\r' >"$work/vbs.txt" || true
    wait $closer || fail "the dialog VBScript opens did not show"
    [ "$(cat "$work/vbs.txt")" = 0 ] || fail "the VBScript printed '$(cat "$work/vbs.txt")', not 0"
    say "VBScript: CreateObject(\"tavKonv40.clsPropPage\").InitConversion() showed the dialog and printed 0"

    close_dialog &
    closer=$!
    status=0
    wine "$dir/tavkonv40-gui.exe" || status=$?
    wait $closer || fail "the dialog the launcher opens did not show"
    [ $status -eq 0 ] || fail "the launcher ended with exit $status"
    say "the Start menu's tavkonv40-gui.exe showed '$caption'; closed, it ended with exit 0"
}

# The installed command line converts a copy of the example to the bytes the Linux build writes.
check_command_line() {
    rm -rf "$work/windows" "$work/linux"
    mkdir "$work/windows" "$work/linux"
    cp -r examples/OrderDesk "$work/windows/"
    wine "$dir/tavkonv40.exe" --all-families:4.0L "$(winepath -w "$work/windows/OrderDesk")" >/dev/null 2>&1 ||
        fail "the installed tavkonv40.exe failed on the example"
    if [ -x "$linux/cli/tavkonv40" ]; then
        cp -r examples/OrderDesk "$work/linux/"
        "$linux/cli/tavkonv40" --all-families:4.0L "$work/linux/OrderDesk" >/dev/null 2>&1
        diff -r -x 'Nexaria Conversion Backup*' "$work/linux/OrderDesk" "$work/windows/OrderDesk" >&2 ||
            fail "the installed tavkonv40.exe wrote other bytes than the Linux build"
        say "the installed tavkonv40.exe converted the example to the Linux build's bytes"
    else
        ! diff -r -q -x 'Nexaria Conversion Backup*' examples/OrderDesk "$work/windows/OrderDesk" >/dev/null ||
            fail "the installed tavkonv40.exe changed nothing in the example"
        say "the installed tavkonv40.exe converted the example (no Linux build in $linux to compare with)"
    fi
}

# A second install of the same version, without options, over the first: one of everything.
check_over_install() {
    wine "$setup" /S || fail "the second silent install ended with exit $?"
    [ "$(find "$WINEPREFIX/drive_c" -name '*.lnk' -path '*Start Menu*' -name 'tavKonv40*' | wc -l)" -eq 1 ] ||
        fail "the second install left more than one Start-menu entry"
    [ "$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' "$view" 2>/dev/null |
        tr -d '\r' | grep -ci 'Uninstall\\tavKonv40')" -eq 1 ] || fail "the second install left more than one uninstall entry"
    [ "$(value 'HKCU\Environment' Path | tr ';' '\n' | grep -cixF "$pf")" -eq 1 ] ||
        fail "the second install changed the PATH entry: '$(value 'HKCU\Environment' Path)'"
    [ -f "$dir/tavKonv40.dll" ] && [ ! -e "$dir/tavKonv40.dll.new" ] || fail "the second install left tavKonv40.dll.new"
    say "a second install over the first: one Start-menu entry, one uninstall entry, one PATH entry"
}

# An install while the dialog is open (the DLL and the launcher in use): nothing is overwritten,
# the new copies wait beside the old as NAME.new and are put in place at the next start; a silent
# install says so with exit code 3010 (194 once Unix keeps its low byte).
check_in_use() {
    wine "$dir/tavkonv40-gui.exe" &
    launcher=$!
    id="$(timeout 30 xdotool search --sync --onlyvisible --name "^$caption\$" 2>/dev/null | head -1)" ||
        fail "the launcher's dialog did not show"
    status=0
    wine "$setup" /S || status=$?
    [ $status -eq 194 ] || fail "an install with the DLL in use ended with exit $status, not 3010 (194)"
    [ -f "$dir/tavKonv40.dll.new" ] && [ -f "$dir/tavkonv40-gui.exe.new" ] || fail "no new copy waits beside the files in use"
    value 'HKLM\System\CurrentControlSet\Control\Session Manager' PendingFileRenameOperations |
        grep -qF 'tavKonv40.dll.new' || fail "the DLL's replacement is not scheduled for the next start"
    xdotool windowfocus --sync "$id" key alt+F4
    wait $launcher || fail "the launcher ended with exit $? after the install"
    wineboot -r >/dev/null 2>&1
    [ ! -e "$dir/tavKonv40.dll.new" ] && [ ! -e "$dir/tavkonv40-gui.exe.new" ] ||
        fail "the restart did not put the new copies in place"
    say "an install with the dialog open: exit 3010, the DLL and the launcher replaced at the next start"
}

# An install into another folder moves the install there: the earlier folder, its uninstall entry
# and its PATH entry go, the user's own settings stay.
check_move() {
    wine "$setup" /S '/D=C:\Tools\tavKonv40' || fail "the install into C:\Tools\tavKonv40 ended with exit $?"
    [ ! -e "$dir" ] || fail "the install into another folder left $dir"
    pf='C:\Tools\tavKonv40' dir="$WINEPREFIX/drive_c/Tools/tavKonv40" path="${path%;*};C:\Tools\tavKonv40"
    [ -f "$dir/uninstall.exe" ] && [ -f "$dir/tavKonv40.dll" ] || fail "the install into $pf is incomplete"
    [ "$(value "$uninstall_key" InstallLocation "$view")" = "$pf" ] || fail "the uninstall entry does not name $pf"
    [ "$(value 'HKCU\Environment' Path)" = "$path" ] || fail "the user's PATH is '$(value 'HKCU\Environment' Path)', not '$path'"
    [ "$(value "$props_key" Bitmaps_Path)" = "$skins" ] || fail "Bitmaps_Path is not $skins"
    say "an install into another folder removed the earlier one and moved the PATH entry"
}

# The uninstaller goes on from a copy of itself in the temporary folder, which Windows deletes
# at its next start: wait for that copy to end, then restart the prefix the same way.
check_uninstall() {
    wine "$dir/uninstall.exe" /S || fail "the silent uninstall ended with exit $?"
    n=0
    while pgrep -f 'nsu[^ ]*\.tmp.Un\.exe' >/dev/null; do
        [ $n -lt 300 ] || fail "the uninstaller did not end within 30 s"
        sleep 0.1
        n=$((n + 1))
    done
    wineboot -r >/dev/null 2>&1
    snapshot after
    # The restart deletes that copy, but not the (now empty) folder around it, which is
    # scheduled first and so is not empty yet when its turn comes; it is the temporary folder's
    # to clear, as on Windows. The copy itself must be gone.
    grep -v '^\./users/[^/]*/Temp/~nsu[0-9]*\.tmp$' "$work/after.files" >"$work/after.kept" || true
    mv "$work/after.kept" "$work/after.files"
    diff "$work/before.files" "$work/after.files" >&2 || fail "the uninstall did not leave the files as they were"
    diff "$work/before.reg" "$work/after.reg" >"$work/reg.diff" || {
        head -40 "$work/reg.diff" >&2
        fail "the uninstall did not leave the registry as it was"
    }
    say "a silent uninstall left the prefix's files and registry as they were before the install"
}

# check_setup ARCH [USER_SETTINGS]: every check above in a fresh ARCH prefix; with USER_SETTINGS
# the user has a PATH and a Bitmaps_Path of their own before the install, which must stay theirs.
check_setup() {
    arch="$1"
    start_prefix "$arch" setup
    view=/reg:32
    if [ "$arch" = win64 ]; then view=/reg:64; fi
    pf='C:\Program Files\tavKonv40'
    dir="$WINEPREFIX/drive_c/Program Files/tavKonv40"
    skins="$pf\\skins\\" path="$pf"
    if [ -n "${2:-}" ]; then
        skins='D:\Skins\' path="C:\\Tools;$pf"
        wine reg add "$props_key" /v Bitmaps_Path /d "$skins" /f >/dev/null 2>&1
        wine reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d 'C:\Tools' /f >/dev/null 2>&1
        mkdir "$WINEPREFIX/drive_c/Tools"
    fi
    # Wine's cscript registers its own type library when it first runs: let it do so before the
    # first snapshot, so that what differs afterwards is the setup's doing.
    wine cscript //nologo "$(winepath -w "$work/warm.vbs")" >/dev/null 2>&1 || true
    check_unregistered_launcher
    snapshot before
    if [ "$arch" = win32 ]; then
        wine "$older" /S /PATH=1 || fail "the older version's silent install ended with exit $?"
        [ "$(value "$uninstall_key" DisplayVersion "$view")" = 0.0.1 ] || fail "the older version did not install"
    fi
    wine "$setup" /S /PATH=1 || fail "the silent install ended with exit $?"
    check_installed
    if [ "$arch" = win32 ]; then say "version $version installed over version 0.0.1 in place"; fi
    check_dialog
    check_command_line
    check_over_install
    if [ "$arch" = win32 ]; then check_in_use; else check_move; fi
    check_uninstall
    wineserver -k
    rm -rf "$WINEPREFIX"
    WINEPREFIX=""
}

clsid="{8F6E0724-83D1-4B3B-A867-A46EFB55B0B5}"
# Prints what InitConversion returned, or the error (cscript itself exits 0 on one).
cp tests/com/init_conversion.vbs "$work/init.vbs"
printf 'WScript.Echo 1\r\n' >"$work/warm.vbs"

check_setup win32
check_setup win64 user-settings
