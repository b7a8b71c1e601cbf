#!/bin/sh
# The Linux dialog in a real window, as a desktop user meets it: an X server (Xvfb) with a window
# manager (openbox) that frames the window, driven by xdotool and photographed with ImageMagick.
#   - on a 1366 x 768 screen, and on a 1280 x 1024 screen at 150 % (QT_SCALE_FACTOR), the framed
#     window lies whole on the screen (so its Start, Close and Help row does);
#   - Tab walks every stop of the dialog, round to the first again, and every stop shows: the
#     window's picture changes at each press.
# Usage: scripts/ci-dialog-window.sh [BUILD_DIR]   (default build/ci; the dialog must be built)
set -eu
cd "$(dirname "$0")/.."
. scripts/xvfb.sh
build="${1:-build/ci}"
gui="$PWD/$build/dialog/tavkonv40-gui"
[ -x "$gui" ] || { echo "ci-dialog-window: $gui is not built" >&2; exit 2; }
scripts/install-deps.sh desktop

work="$(mktemp -d)"
pids=""
cleanup() {
    # shellcheck disable=SC2086
    [ -z "$pids" ] || kill $pids 2>/dev/null || true
    if [ -n "${KEEP_SHOTS:-}" ]; then cp "$work"/*.png "$KEEP_SHOTS"/ 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
failures=0
fail() { echo "ci-dialog-window: FAILED: $*" >&2; failures=$((failures + 1)); }

caption="Nexaria Version 4.0 GUID Conversion Utility"

# Starts an X server of WIDTHxHEIGHT with a window manager, and the dialog on it at scale $3
# (its log is gui$1.log).
start_desktop() {
    start_xvfb "$2" || { fail "no X screen of $2"; return 1; }
    DISPLAY="$display" openbox >/dev/null 2>&1 &
    pids="$pids $!"
    sleep 0.5
    DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$3" "$gui" >"$work/gui$1.log" 2>&1 &
    pids="$pids $!"
    window=""
    for _ in $(seq 100); do
        window="$(DISPLAY="$display" xdotool search --name "$caption" 2>/dev/null | head -1 || true)"
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { fail "the dialog's window did not appear on a $2 screen"; return 1; }
    # The window manager frames the window and the dialog places itself again: let it settle.
    sleep 1
}

# The framed window's rectangle (x y width height) on the screen: the client's, widened by the
# frame the window manager says it drew (_NET_FRAME_EXTENTS: left, right, top, bottom).
frame_of() {
    DISPLAY="$display" xwininfo -id "$1" | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}' >"$work/client"
    extents="$(DISPLAY="$display" xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ,)"
    [ -n "$extents" ] || extents="0 0 0 0"
    # shellcheck disable=SC2086
    set -- $(cat "$work/client") $extents
    echo $(($1 - $5)) $(($2 - $7)) $(($3 + $5 + $6)) $(($4 + $7 + $8))
}

# The whole framed window lies on a screen of $2 (WIDTHxHEIGHT).
check_on_screen() {
    set -- $(frame_of "$window") "$1"
    screen_w="${5%x*}"
    screen_h="${5#*x}"
    echo "ci-dialog-window: on $5 at scale $scale: frame at $1,$2 size $3x$4"
    if [ "$1" -lt 0 ] || [ "$2" -lt 0 ] || [ $(($1 + $3)) -gt "$screen_w" ] || [ $(($2 + $4)) -gt "$screen_h" ]; then
        fail "on a $5 screen at scale $scale the window ($3x$4 at $1,$2) is not whole on the screen"
    fi
}

for case in "81 1366x768 1" "82 1280x1024 1.5"; do
    set -- $case
    scale="$3"
    start_desktop "$1" "$2" "$3" || continue
    [ "$1" != 81 ] || walk_display="$display"
    check_on_screen "$2"
done

# The Tab walk, on the 1366 x 768 screen. At each stop the dialog is also photographed showing no
# focus at all, with another window (a second dialog, beside it) active: a stop that looks like
# that shows no focus. (The option panel scrolls as the focus moves, so each stop needs its own.)
display="$walk_display"
window="$(DISPLAY="$display" xdotool search --name "$caption" | head -1)"
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$gui" >"$work/second.log" 2>&1 &
pids="$pids $!"
second=""
for _ in $(seq 100); do
    second="$(DISPLAY="$display" xdotool search --name "$caption" 2>/dev/null | grep -vx "$window" | head -1 || true)"
    [ -n "$second" ] && break
    sleep 0.1
done
[ -n "$second" ] || fail "a second dialog did not appear to take the focus"
# Beside the first, not over it (an X server without a compositor keeps no picture of what a
# window hides).
sleep 1
DISPLAY="$display" xdotool windowmove --sync "$second" 1100 0
DISPLAY="$display" xdotool windowactivate --sync "$window" mousemove 0 0
sleep 0.3
shot() { DISPLAY="$display" import -window "$window" "$work/$1.png"; }
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" = 0 ]; }
shot tab0
# Photographs the dialog as NAME until it looks different from the picture OTHER (a repaint may
# come late on a busy machine); false when it still looks the same after two seconds.
shot_unlike() {
    for _ in $(seq 20); do
        shot "$1"
        same "$1" "$2" || return 0
        sleep 0.1
    done
    return 1
}
# More presses than the dialog has stops (49 with nothing ticked), so the walk wraps round.
stops=0
while [ "$stops" -lt 52 ]; do
    DISPLAY="$display" xdotool key --window "$window" Tab
    stops=$((stops + 1))
    shown=yes
    shot_unlike "tab$stops" "tab$((stops - 1))" || shown=""
    DISPLAY="$display" xdotool windowactivate --sync "$second" 2>/dev/null
    shot_unlike "none$stops" "tab$stops" || shown=""
    DISPLAY="$display" xdotool windowactivate --sync "$window" 2>/dev/null
    [ -n "$shown" ] || fail "Tab press $stops: the focus does not show"
    # Back as it was at this stop before the next press.
    for _ in $(seq 20); do
        shot again
        same again "tab$stops" && break
        sleep 0.1
    done
done
echo "ci-dialog-window: $stops Tab presses"

if [ "$failures" -gt 0 ]; then
    echo "ci-dialog-window: $failures failures" >&2
    exit 1
fi
echo "ci-dialog-window: passed"
