# A desk as a user has one, for the end-to-end tests: an X server whose screen really changes
# mode (Xorg with its dummy video driver: a 1920x1080 desktop that also offers the program's
# 800x600) and a window manager (openbox). Xvfb, the suite's usual display, has one mode only.
# No input device is added, so the server never takes a real keyboard or mouse; xdotool's keys
# come through the XTEST extension. Usage: source desk.sh; start_desk WORK_DIR; stop_desk.

DESK_MODE=1920x1080
DESK_PID=
DESK_WM_PID=

# start_desk WORK_DIR: the server on a display number it picks (configured by desk.conf), its log
# in WORK_DIR, the window manager on it; exports DISPLAY. Returns 77 (the tests' code for skipped)
# when Xorg cannot start here, as for a contributor who is not root and has no wrapper that
# lets Xorg open the console, and 1 when the window manager does not come up.
start_desk() {
    local work=$1
    /usr/lib/xorg/Xorg -displayfd 3 -config "$E2E_DIR/desk.conf" -noreset -nolisten tcp \
        -novtswitch -logfile "$work/Xorg.log" 3>"$work/display" </dev/null >/dev/null 2>&1 &
    DESK_PID=$!
    if ! await_display "$work/display" "$DESK_PID" 20; then
        echo "SKIP: Xorg cannot start a desk here (it needs root, or a wrapper that lets it):" >&2
        grep -F '(EE)' "$work/Xorg.log" 2>/dev/null | head -5 | sed 's/^/  Xorg: /' >&2
        stop_desk
        return 77
    fi
    export DISPLAY=":$(head -1 "$work/display")"
    openbox --sm-disable </dev/null >"$work/openbox.log" 2>&1 &
    DESK_WM_PID=$!
    poll 20 x11 window_manager || { echo "openbox did not start on the desk" >&2; return 1; }
}

stop_desk() {
    [ -n "$DESK_WM_PID" ] && kill "$DESK_WM_PID" 2>/dev/null
    [ -n "$DESK_PID" ] && kill "$DESK_PID" 2>/dev/null
    DESK_PID= DESK_WM_PID=
}

# The screen's size now, such as 1920x1080: SDL and Wine resize the screen to their mode.
screen_mode() { x11 size; }
desktop_mode_back() { [ "$(screen_mode)" = "$DESK_MODE" ]; }
