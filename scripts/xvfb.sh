# Sourced by the real-window checks: starts a virtual X screen on a display number the X server
# picks itself (-displayfd), so that two checks running at once never share a screen.
#   start_xvfb WIDTHxHEIGHT    sets $display (":N") and adds the server to $pids; needs $work
start_xvfb() {
    displayfile="$(mktemp "$work/display.XXXXXX")"
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
    pids="$pids $!"
    for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
    [ -s "$displayfile" ] || { echo "no virtual X screen of $1 could be started" >&2; return 1; }
    display=":$(head -n 1 "$displayfile")"
    for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
}
