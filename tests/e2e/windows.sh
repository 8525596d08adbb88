# Windows and message boxes, found and closed through x11.py.

# Debian's python3-xlib belongs to the system interpreter, not to any other python3 on PATH.
x11() { /usr/bin/python3 "$E2E_DIR/x11.py" "$@"; }

# The id of a mapped window titled exactly $1, in $FOUND_WINDOW; fails while there is none.
window_shown() {
    FOUND_WINDOW=$(x11 find "$1" 2>/dev/null | head -1)
    [ -n "$FOUND_WINDOW" ]
}

# wait_for_window TITLE: prints the id of the program's visible window; fails when the program
# ends first or 30 s pass.
wait_for_window() {
    poll 30 window_shown_or_ended "$1" && [ -n "$FOUND_WINDOW" ] && echo "$FOUND_WINDOW"
}
window_shown_or_ended() { window_shown "$1" || program_ended; }

# A message box titled $1 that has drawn itself: its picture holds more than one colour.
box_drawn() {
    window_shown "$1" &&
        import -display "$DISPLAY" -window "$FOUND_WINDOW" "$WORK/box.png" 2>/dev/null &&
        [ "$(convert "$WORK/box.png" -format %k info:)" -gt 1 ]
}

# wait_for_box TITLE: the message box TITLE, shown and drawn within 30 s.
wait_for_box() { poll 30 box_drawn "$1" || fail "no message box titled \"$1\" within 30 s"; }

close_window() { x11 close "$1"; }

# dismiss_box TITLE: closes the message box TITLE, asking again while it stays up: a request sent
# before the box's owner reads its X events (seen under Wine) is lost.
dismiss_box() {
    local box
    for _ in $(seq 20); do
        box=$(x11 find "$1" | head -1)
        [ -n "$box" ] || return 0
        close_window "$box"
        sleep 0.5
    done
    fail "the message box \"$1\" does not close"
}
