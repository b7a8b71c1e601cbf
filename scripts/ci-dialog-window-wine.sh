#!/bin/sh
# The Win32 dialog in a real window under Wine, as a desktop user meets it: the 32-bit COM library
# registered in a private prefix, its dialog shown by a VBScript through cscript on a virtual X
# screen (Xvfb), driven by xdotool and photographed with ImageMagick. Wine draws the windows' frames
# itself (Managed=N: no window manager), so a window's X window is the whole framed window.
#   - on a 1366 x 768 screen, and on a 1280 x 1024 screen at 150 % (LogPixels 144), the framed
#     window lies whole on the screen, and Start lies whole in its client area;
#   - Tab walks every stop of the dialog, round to the first again, and every stop shows: the
#     client area's picture changes at each press, and differs from the same stop with the dialog
#     inactive (the focus given to another window). At 150 % the first few stops are walked. The
#     stops' order is checked by scripts/ci-com.sh.
# Usage: scripts/ci-dialog-window-wine.sh [--built]   (--built: build/windows-i686 is built already)
set -eu
cd "$(dirname "$0")/.."
. scripts/windows-build.sh
. scripts/xvfb.sh
build="$PWD/build/windows-i686"
scripts/install-deps.sh windows desktop
if [ "${1:-}" != "--built" ]; then
    configure_windows_i686
    cmake --build "$build" -j2 --target tavkonv40_com tavkonv40_com_host
fi
host="$build/tests/com/tavkonv40_com_host.exe"
[ -f "$build/com/tavKonv40.dll" ] && [ -f "$host" ] || { echo "ci-dialog-window-wine: $build is not built" >&2; exit 2; }

work="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-window-wine.XXXXXX")"
WINEPREFIX=""
pids=""
cleanup() {
    wineserver -k 2>/dev/null || true
    # shellcheck disable=SC2086
    [ -z "$pids" ] || kill $pids 2>/dev/null || true
    if [ -n "${KEEP_SHOTS:-}" ]; then cp "$work"/*.bmp "$KEEP_SHOTS"/ 2>/dev/null || true; fi
    rm -rf "$work" ${WINEPREFIX:+"$WINEPREFIX"}
}
trap cleanup EXIT INT TERM
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
failures=0
fail() { echo "ci-dialog-window-wine: FAILED: $*" >&2; failures=$((failures + 1)); }
caption="Nexaria Version 4.0 GUID Conversion Utility"

# Prints what InitConversion returned, or the error (cscript itself exits 0 on one).
cp tests/com/init_conversion.vbs "$work/init.vbs"

# The job's own 32-bit prefix. Wine keeps the screen it found when its server started: each screen
# gets a server of its own, and the settings are made again for it.
WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/tavkonv40-window.XXXXXX")"
export WINEPREFIX WINEARCH=win32

shot() { import -window "$window" "$work/$1.bmp"; }
# Two pictures compared by the window's client area once it is known (the frame's title bar
# changes with the activation alone, which says nothing of the focus), else whole.
client_area=""
same() {
    [ "$(compare -metric AE "$work/$1.bmp$client_area" "$work/$2.bmp$client_area" null: 2>&1 || true)" = 0 ]
}
# Photographs the dialog as NAME until it looks different from the picture OTHER (a repaint may
# come late on a busy machine); false when it still looks the same after three seconds.
shot_unlike() {
    for _ in $(seq 30); do
        shot "$1"
        same "$1" "$2" || return 0
        sleep 0.1
    done
    return 1
}
# Photographs the dialog as NAME until it has painted: hardly a black pixel left (a window shows
# black until its first paint) and two pictures in a row the same.
shot_settled() {
    shot settle
    for _ in $(seq 50); do
        sleep 0.1
        shot "$1"
        if same "$1" settle && [ "$(convert "$work/$1.bmp" -threshold 0 -format '%[fx:mean > 0.9]' info:)" = 1 ]; then
            return 0
        fi
        cp "$work/$1.bmp" "$work/settle.bmp"
    done
    return 1
}

# Shows the dialog (its output vbs$1.txt) on a screen of $2 (WIDTHxHEIGHT) at $3 dots per inch, with a small
# window of another program in its top left corner to take the focus from it.
start_desktop() {
    client_area=""
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    start_xvfb "$2" || { fail "no X screen of $2"; return 1; }
    export DISPLAY="$display"
    wineserver -p
    [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
    # Without a window manager every program that made a window waits about 2 s at its exit
    # unless Wine manages its windows itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$3" /f >/dev/null 2>&1
    wine regsvr32 /s "$(winepath -w "$build/com/tavKonv40.dll")" || { fail "regsvr32 failed"; return 1; }
    xmessage -geometry +0+0 -buttons "" other >/dev/null 2>&1 &
    pids="$pids $!"
    wine cscript //nologo "$(winepath -w "$work/init.vbs")" 2>&1 | tr -d '\r' >"$work/vbs$1.txt" &
    script=$!
    window="$(timeout 30 xdotool search --sync --onlyvisible --name "^$caption\$" 2>/dev/null | head -1 || true)"
    other="$(xdotool search --sync --onlyvisible --name "^xmessage\$" 2>/dev/null | head -1 || true)"
    [ -n "$window" ] || { fail "the dialog's window did not appear on a $2 screen"; return 1; }
    xdotool mousemove 0 0
    shot_settled opened || fail "the dialog on a $2 screen kept changing"
}

# The whole framed window lies on a screen of $1 (WIDTHxHEIGHT), Start whole in its client area.
check_on_screen() {
    # shellcheck disable=SC2046
    set -- $(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}') "$1"
    screen_w="${5%x*}" screen_h="${5#*x}"
    wine "$host" where | tr -d '\r' >"$work/where.txt"
    part() { awk -v n="$1" '$1 == n { print $2, $3, $4, $5 }' "$work/where.txt"; }
    read -r cx cy cw ch <<EOW
$(part client)
EOW
    read -r sx sy sw sh <<EOW
$(part start)
EOW
    frame_x="$1" frame_y="$2"
    # The host that answers "where" is not aware of the resolution: its numbers are 96-DPI units.
    client_area="[$((cw * dpi / 96))x$((ch * dpi / 96))+$((cx * dpi / 96 - $1))+$((cy * dpi / 96 - $2))]"
    echo "ci-dialog-window-wine: on $5 at $dpi DPI: window at $1,$2 size $3x$4, client ${cw}x$ch, Start at $((sx - cx)),$((sy - cy)) in it"
    if [ "$1" -lt 0 ] || [ "$2" -lt 0 ] || [ $(($1 + $3)) -gt "$screen_w" ] || [ $(($2 + $4)) -gt "$screen_h" ]; then
        fail "on a $5 screen at $dpi DPI the window ($3x$4 at $1,$2) is not whole on the screen"
    fi
    if [ -z "$sh" ] || [ "$sx" -lt "$cx" ] || [ "$sy" -lt "$cy" ] || [ $((sx + sw)) -gt $((cx + cw)) ] ||
        [ $((sy + sh)) -gt $((cy + ch)) ]; then
        fail "on a $5 screen at $dpi DPI Start (${sw}x$sh at $sx,$sy) is not whole in the client area (${cw}x$ch at $cx,$cy)"
    fi
}

# Makes the dialog the active window again: a click on its own surface beside the logo, where it
# does nothing else (Wine gives an unmanaged window the focus only as Windows would).
activate() {
    xdotool mousemove $((frame_x + 40)) $((frame_y + 60)) click 1 mousemove 0 0
}

# Presses Tab $1 times: at each stop the picture must change, and differ from the same stop with
# the focus given to the other window (a stop that looks like that shows no focus; the option
# panel scrolls as the focus moves, so each stop needs its own picture without focus).
# The dialog opens with the focus on its first stop, the tab strip, so that stop shows too.
walk_tabs() {
    stops=0
    cp "$work/opened.bmp" "$work/tab0.bmp"
    while :; do
        shown=yes
        [ "$stops" = 0 ] || shot_unlike "tab$stops" "tab$((stops - 1))" || shown=""
        # Wine now and then keeps its focus when the X focus moves: up to three tries.
        for try in 1 2 3; do
            xdotool windowfocus "$other" 2>/dev/null
            shot_unlike "none$stops" "tab$stops" && break
            [ "$try" = 3 ] && shown=""
            activate
            sleep 0.2
        done
        [ "$try" = 1 ] || echo "ci-dialog-window-wine: at $dpi DPI, after $stops Tab presses: $try tries to take the focus away"
        activate
        [ -n "$shown" ] || fail "at $dpi DPI, after $stops Tab presses: the focus does not show"
        # Back as it was at this stop before the next press.
        for _ in $(seq 30); do
            shot again
            same again "tab$stops" && break
            sleep 0.1
        done
        [ "$stops" -lt "$1" ] || break
        xdotool key Tab
        stops=$((stops + 1))
    done
    echo "ci-dialog-window-wine: at $dpi DPI, $stops Tab presses, each showed"
}

# Closes the dialog (its close box's message): the script must print 0.
close_dialog() {
    wine "$host" close 5 >/dev/null || fail "the dialog could not be closed"
    wait "$script" || true
    [ "$(cat "$work/vbs$1.txt")" = 0 ] || fail "the script printed '$(cat "$work/vbs$1.txt")', not 0"
}

# More presses than the dialog has stops (49 with nothing ticked), so the walk wraps round.
dpi=96
if start_desktop 91 1366x768 96; then
    check_on_screen 1366x768
    walk_tabs 52
    close_dialog 91
fi
dpi=144
if start_desktop 92 1280x1024 144; then
    check_on_screen 1280x1024
    walk_tabs 6
    close_dialog 92
fi

if [ "$failures" -gt 0 ]; then
    echo "ci-dialog-window-wine: $failures failures" >&2
    exit 1
fi
echo "ci-dialog-window-wine: passed"
