#!/bin/sh
# The COM library's job: cross-builds the 32-bit tavKonv40.dll and its test host with MinGW-w64
# (build/windows-i686/), then, in a private 32-bit Wine prefix under a virtual display of its
# own: registers the DLL with regsvr32 and checks the keys, runs the test host (early and late
# binding, the dialog's window, loading and unloading twice), runs a VBScript through cscript,
# and unregisters, which must leave HKEY_CLASSES_ROOT as it was. The 64-bit library that
# scripts/ci-windows.sh builds (build/windows/) goes through the same in a 64-bit prefix.
#
#   scripts/ci-com.sh
set -eu
cd "$(dirname "$0")/.."
. scripts/windows-build.sh

if [ "${1:-}" != "--under-display" ]; then
    scripts/install-deps.sh windows
    configure_windows_i686
    cmake --build build/windows-i686 -j2 --target tavkonv40_com tavkonv40_com_host
    # Without a display Wine makes no windows: the tests get a virtual one of their own.
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$PWD/scripts/ci-com.sh" --under-display
fi


clsid="{8F6E0724-83D1-4B3B-A867-A46EFB55B0B5}"
libid="{AA0A5E24-3E5C-4C66-B221-FA6B1083F5AC}"
iid="{F0083D9A-4198-48FA-94C9-DB462C0DA235}"
work="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-com-work.XXXXXX")"
WINEPREFIX=""
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work" ${WINEPREFIX:+"$WINEPREFIX"}' EXIT
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
arch=""
# The Linux build whose command line writes the bytes the runs are compared with.
linux="${TAVKONV40_LINUX_BUILD:-build/ci}"
fail() { printf 'COM (%s): %s\n' "$arch" "$*" >&2; exit 1; }

# HKEY_CLASSES_ROOT as UTF-8 text (reg writes UTF-16), in each view the prefix has: a 64-bit
# prefix's `wine reg` runs as a 32-bit program and sees the 32-bit view unless told otherwise.
export_classes() {
    rm -f "$1"
    for view in $views; do
        wine reg export HKCR "$(winepath -w "$1.utf16")" "$view" /y >/dev/null 2>&1 || fail "reg export $view failed"
        iconv -f UTF-16 -t UTF-8 "$1.utf16" | tr -d '\r' >>"$1"
    done
}
# value KEY [NAME]: a value under HKCR in the library's own view (the default value without
# NAME), as reg query prints it.
value() {
    if [ $# -eq 2 ]; then
        wine reg query "HKCR\\$1" /v "$2" "$own_view" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"
    else
        wine reg query "HKCR\\$1" /ve "$own_view" 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'
    fi
}

# cscript exits 0 even on a script error: the script prints its errors, the output is checked.
cat >"$work/init.vbs" <<'EOF'
On Error Resume Next
Set page = CreateObject("tavKonv40.clsPropPage")
If Err.Number <> 0 Then WScript.Echo "CreateObject: " & Hex(Err.Number) & " " & Err.Description : WScript.Quit 1
result = page.InitConversion()
If Err.Number <> 0 Then WScript.Echo "InitConversion: " & Hex(Err.Number) & " " & Err.Description : WScript.Quit 1
WScript.Echo result
EOF
printf 'WScript.Echo 1\r\n' >"$work/warm.vbs"

# check_run: the test host drives the dialog by clicks and keys posted to its controls through a
# run on a copy of the test project in a folder with non-ASCII letters (the first suite row
# ticked, the Microsoft tab chosen, all of it selected, the folder typed); the files must be the
# Linux command line's for the same choice, with the backup holding the project as it was. Then a
# run on another copy, its folder from a stand-in chooser, cancelled as it starts: -1 and no file
# changed. Needs the Linux build (scripts/run-tests.sh) for its bytes.
check_run() {
    if [ ! -x "$linux/cli/tavkonv40" ]; then
        echo "COM ($arch): no Linux build in $linux: the run against its bytes is left out" >&2
        return
    fi
    name="Проект über"
    for side in linux windows cancel; do
        rm -rf "${work:?}/$side" && mkdir "$work/$side" && cp -r tests/data/whole_project/input "$work/$side/$name"
    done
    "$linux/cli/tavkonv40" --quiet --family QVButton --all-ms "$work/linux/$name" >/dev/null ||
        fail "the Linux command line's run failed"
    for mode in run cancel; do
        side=windows
        [ $mode = run ] || side=cancel
        wine "$host" $mode "$(winepath -w "$work/$side/$name")" | tr -d '\r' >"$work/$mode.txt" || true
        sed "s/^/COM ($arch, $mode): /" "$work/$mode.txt"
        tail -1 "$work/$mode.txt" | grep -qx "all checks passed" || fail "the driven $mode failed"
    done
    set -- "$work/windows/$name"/Nexaria\ Conversion\ Backup\ *
    [ -d "$1" ] || fail "the driven run left no backup"
    diff -r -x .tavkonv40-record tests/data/whole_project/input "$1" || fail "the backup is not the project as it was"
    diff -r -x "Nexaria Conversion Backup *" "$work/linux/$name" "$work/windows/$name" ||
        fail "the driven run's files differ from the Linux command line's"
    diff -r -x "Nexaria Conversion Backup *" -x .tavkonv40-record tests/data/whole_project/input "$work/cancel/$name" ||
        fail "the cancelled run changed files"
    echo "COM ($arch): a run driven by clicks and keys wrote the Linux command line's bytes and the backup;"
    echo "COM ($arch): Cancel pressed as a run started left every file as it was"
}

# check_clicks: a script shows the dialog through cscript and xdotool uses it as a person would:
# Select All on the suite panel, the folder (a copy of the test project) typed into the folder
# box, Start, and Close once Start is enabled again after the run. The script must print 0, the
# files must be the Linux command line's for the same choice, and a photograph of the screen must
# show the panel's GIF background, a skinned button's clipped corner as the form behind it and the
# first row's tick. The
# photograph taken as the dialog opens with the shipped skins, cut to its client area, is
# $build/dialog-win32.png.
check_clicks() {
    # The skins a user's setup points the dialog at (the value ends with a backslash: the file
    # names are appended to it as they are).
    wine reg add 'HKCU\Software\Korvath\Nexaria40\Props' /v Bitmaps_Path /t REG_SZ \
        /d "$(winepath -w "$PWD/skins/bitmaps/")" /f >/dev/null 2>&1 || fail "Bitmaps_Path could not be set"
    rm -rf "${work:?}/clicks" && mkdir -p "$work/clicks" && cp -r tests/data/whole_project/input "$work/clicks/project"
    rm -rf "$work/linux" && mkdir "$work/linux" && cp -r tests/data/whole_project/input "$work/linux/project"
    "$linux/cli/tavkonv40" --quiet --all-families "$work/linux/project" >/dev/null || fail "the Linux command line's run failed"
    $script_host //nologo "$(winepath -w "$work/init.vbs")" 2>&1 | tr -d '\r' >"$work/vbs.txt" &
    script=$!
    timeout 30 xdotool search --sync --onlyvisible --name "^Nexaria Version 4.0 GUID Conversion Utility\$" >/dev/null ||
        fail "no dialog showed for the script"
    where() { wine "$host" where | tr -d '\r' >"$work/where.txt"; }
    part() { awk -v n="$1" '$1 == n { print $2, $3, $4, $5, $6 }' "$work/where.txt"; }
    centre() { part "$1" | awk '{ print int($1 + $3 / 2), int($2 + $4 / 2) }'; }
    pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
    rgb() { convert "$1" -crop "1x1+$2+$3" +repage -format "%[fx:int(255*r+.5)],%[fx:int(255*g+.5)],%[fx:int(255*b+.5)]" info:; }
    where
    read -r cx cy cw ch _ <<EOW
$(part client)
EOW
    xdotool mousemove 0 0 # the pointer starts on a row, which it would light up
    # The dialog once it has finished painting (a loaded machine paints slowly): two photographs
    # in a row alike.
    for _ in $(seq 20); do
        sleep 0.3
        import -window root "$work/before.png"
        sleep 0.3
        import -window root "$work/again.png"
        [ "$(compare -metric AE "$work/before.png" "$work/again.png" null: 2>&1)" = 0 ] && break
    done
    convert "$work/before.png" -crop "${cw}x$ch+$cx+$cy" +repage -strip "$build/dialog-win32.png"
    # Right of the rows the suite panel shows its background, TB_BG.gif tiled from its corner: two
    # points of its gradient, which no flat colour matches both of.
    read -r px py _ <<EOW
$(part panel)
EOW
    for at in "670 64" "670 114"; do
        set -- $at
        want="$(rgb skins/bitmaps/TB_BG.gif $(($1 % 64)) $(($2 % 64)))"
        got="$(rgb "$work/before.png" $((px + $1)) $((py + $2)))"
        [ "$got" = "$want" ] || fail "the panel's background at $1,$2 is $got, not TB_BG.gif's $want"
    done
    xdotool mousemove $(centre selectall) click 1 mousemove $(centre folder) click 1
    sleep 0.5
    xdotool type --delay 20 "$(winepath -w "$work/clicks/project")"
    xdotool mousemove $(centre start) click 1
    for _ in $(seq 60); do
        where
        set -- "$work/clicks/project"/Nexaria\ Conversion\ Backup\ *
        [ -d "$1" ] && [ "$(part start | cut -d' ' -f5)" = 1 ] && break
        sleep 0.5
    done
    import -window root "$work/after.png"
    xdotool mousemove $(centre close) click 1
    wait $script || true
    [ "$(cat "$work/vbs.txt")" = 0 ] || fail "the clicked VBScript printed '$(cat "$work/vbs.txt")', not 0"
    diff -r -x "Nexaria Conversion Backup *" "$work/linux/project" "$work/clicks/project" ||
        fail "the clicked run's files differ from the Linux command line's"
    read -r sx sy _ <<EOW
$(part start)
EOW
    [ "$(pixel "$work/after.png" "$sx" "$sy")" = "$(pixel "$work/after.png" $((sx - 1)) "$sy")" ] &&
        [ "$(pixel "$work/after.png" "$sx" "$sy")" != "$(pixel "$work/after.png" $((sx + 4)) $((sy + 4)))" ] ||
        fail "Start's top left corner is not clipped to the form behind it"
    read -r kx ky _ <<EOW
$(part check)
EOW
    [ "$(pixel "$work/before.png" $((kx + 6)) $((ky + 8)))" != "$(pixel "$work/after.png" $((kx + 6)) $((ky + 8)))" ] ||
        fail "the first row's check box shows no tick after Select All"
    echo "COM ($arch): cscript, clicked and typed by xdotool: Select All, the folder, Start, Close printed 0 with the"
    echo "COM ($arch): Linux command line's bytes; the panel shows its GIF background, Start's corner the form"
    echo "COM ($arch): behind it and the first row its tick"
}

# check_library BUILD ARCH: every check above on BUILD's library, in a fresh ARCH prefix (win32
# or win64) with one Wine server for all its programs.
check_library() {
    build="$1" arch="$2"
    # `wine` starts the 32-bit programs of a 64-bit prefix (cscript among them), which see the
    # 32-bit registry and load only 32-bit libraries: the 64-bit script host needs wine64.
    views=/reg:32 own_view=/reg:32 script_host="wine cscript"
    if [ "$arch" = win64 ]; then views="/reg:32 /reg:64" own_view=/reg:64 script_host="/usr/lib/wine/wine64 cscript"; fi
    start_prefix "$arch" com
    dll="$(winepath -w "$build/com/tavKonv40.dll")"
    host="$build/tests/com/tavkonv40_com_host.exe"

    # Wine's cscript registers its own type library when it first runs: let it do so before the
    # registry is read, so that what is left to compare is this library's doing.
    $script_host //nologo "$(winepath -w "$work/warm.vbs")" >/dev/null 2>&1 || true
    export_classes "$work/before.reg"
    wine regsvr32 /s "$dll" || fail "regsvr32 $dll failed"
    server="$(value "CLSID\\$clsid\\InprocServer32")"
    [ "$server" = "$dll" ] || fail "InprocServer32 is '$server', not $dll"
    [ "$(value "CLSID\\$clsid\\InprocServer32" ThreadingModel)" = Apartment ] || fail "ThreadingModel is not Apartment"
    [ "$(value "CLSID\\$clsid\\ProgID")" = tavKonv40.clsPropPage ] || fail "the class's ProgID is missing"
    [ "$(value "tavKonv40.clsPropPage\\CLSID")" = "$clsid" ] || fail "the ProgID does not name the class"
    [ "$(value "TypeLib\\$libid\\1.0\\0\\$arch")" = "$dll" ] || fail "the type library is not registered"
    [ "$(value "Interface\\$iid\\TypeLib")" = "$libid" ] || fail "the interface does not name its type library"
    echo "COM ($arch): regsvr32 registered the class, the ProgID and the type library"

    wine "$host" test "$dll" | tr -d '\r' >"$work/host.txt" || true
    sed "s/^/COM ($arch): /" "$work/host.txt"
    tail -1 "$work/host.txt" | grep -qx "all checks passed" || fail "the test host failed"

    check_run
    if [ -x "$linux/cli/tavkonv40" ]; then
        check_clicks
    else
        wine "$host" close 30 >"$work/closer.txt" 2>&1 &
        closer=$!
        $script_host //nologo "$(winepath -w "$work/init.vbs")" 2>&1 | tr -d '\r' >"$work/vbs.txt" || true
        wait $closer || { cat "$work/closer.txt"; fail "the closer found no dialog"; }
        [ "$(cat "$work/vbs.txt")" = 0 ] || fail "the VBScript printed '$(cat "$work/vbs.txt")', not 0"
        echo "COM ($arch): VBScript CreateObject(\"tavKonv40.clsPropPage\").InitConversion() printed 0"
    fi

    wine regsvr32 /s /u "$dll" || fail "regsvr32 /u $dll failed"
    export_classes "$work/after.reg"
    if ! diff "$work/before.reg" "$work/after.reg" >"$work/reg.diff"; then
        head -40 "$work/reg.diff" >&2
        fail "regsvr32 /u did not leave HKEY_CLASSES_ROOT as it was"
    fi
    echo "COM ($arch): regsvr32 /u left HKEY_CLASSES_ROOT as it was"
    wineserver -k
    rm -rf "$WINEPREFIX"
    WINEPREFIX=""
}

check_library "$PWD/build/windows-i686" win32
if [ -f build/windows/com/tavKonv40.dll ] && [ -f build/windows/tests/com/tavkonv40_com_host.exe ]; then
    check_library "$PWD/build/windows" win64
else
    echo "COM: no 64-bit library in build/windows (scripts/ci-windows.sh builds it): left out" >&2
fi
