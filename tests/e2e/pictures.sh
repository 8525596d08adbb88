# Screenshots, and what picture.py makes of them.
source "$E2E_DIR/windows.sh"

# The pictures are of the whole screen, or of the X window that PICTURED_WINDOW names (a nested
# compositor's).
PICTURED_WINDOW=root
screenshot() { import -display "$DISPLAY" -window "$PICTURED_WINDOW" "$ARTIFACTS/$1.png"; }

# The program's first frame is on screen once its overlay is: the capability lines in colour,
# the key help in white.
frame_shown() {
    import -display "$DISPLAY" -window "$PICTURED_WINDOW" "$WORK/probe.png" 2>/dev/null &&
        python3 "$E2E_DIR/picture.py" frame "$WORK/probe.png" >/dev/null 2>&1
}

wait_for_frame() { poll 60 frame_shown || fail "no frame with the overlay within 60 s"; }

# start_until_frame: the program started, its window shown (its id in PROGRAM_WINDOW) and its
# first frame drawn.
start_until_frame() {
    start_program
    PROGRAM_WINDOW=$(wait_for_window "OpenGL Brisvelle") ||
        fail "no window titled \"OpenGL Brisvelle\""
    wait_for_frame
}

# picture_shows NAME CHECK ARGS...: a screenshot kept as $ARTIFACTS/NAME.png with its measures
# beside it (NAME.json), which `picture.py CHECK ARGS... NAME.json` accepts; the reason it does
# not is in $WORK/expect.txt.
picture_shows() {
    local name=$1
    shift
    screenshot "$name" &&
        python3 "$E2E_DIR/picture.py" measure "$ARTIFACTS/$name.png" >"$ARTIFACTS/$name.json" &&
        python3 "$E2E_DIR/picture.py" "$@" "$ARTIFACTS/$name.json" >"$WORK/expect.txt"
}

# wait_for_key_effect KEY: pictures until one shows what KEY promises, with the capability lines
# the driver lacks red, for up to 30 s.
wait_for_key_effect() {
    poll 30 picture_shows "key_$1" lacking "$1" "$DRIVER_LACKS" ||
        fail "key $1 within 30 s: $(cat "$WORK/expect.txt")"
}
