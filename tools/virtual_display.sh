# A virtual display for machines without one, shared by run.sh and the test scripts.
# Usage: source tools/virtual_display.sh; start_virtual_display WORK_DIR || exit 1
#
# start_virtual_display WORK_DIR: starts Xvfb at 800x600x24 on a display number it picks itself,
# exports DISPLAY and sets VIRTUAL_DISPLAY_PID. When Xvfb does not come up within 10 s it prints
# Xvfb's own messages (kept in WORK_DIR/xvfb.log) and returns 1.
start_virtual_display() {
    local work=$1
    # Nothing of the caller's output is handed on: a straggler holding it would keep a test
    # runner waiting for its end.
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" </dev/null \
        >/dev/null 2>"$work/xvfb.log" &
    VIRTUAL_DISPLAY_PID=$!
    if ! await_display "$work/display" "$VIRTUAL_DISPLAY_PID" 10; then
        echo "Xvfb did not start a virtual display:" >&2
        sed 's/^/  Xvfb: /' "$work/xvfb.log" >&2
        kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null
        VIRTUAL_DISPLAY_PID=
        return 1
    fi
    export DISPLAY=":$(head -1 "$work/display")"
}

# await_display FILE PID SECONDS: waits until the X server PID, started with -displayfd, has
# written its display's number to FILE, which it does once it accepts clients; fails when it
# ends first or SECONDS pass.
await_display() {
    for _ in $(seq $(($3 * 10))); do
        [ -s "$1" ] && return 0
        kill -0 "$2" 2>/dev/null || return 1
        sleep 0.1
    done
    [ -s "$1" ]
}

stop_virtual_display() {
    [ -n "${VIRTUAL_DISPLAY_PID:-}" ] && kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null
    VIRTUAL_DISPLAY_PID=
}
