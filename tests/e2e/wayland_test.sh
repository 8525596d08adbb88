# The program under a Wayland compositor with a seat: weston, nested in the desk (desk.sh) with
# its x11 backend and an 800x600 output, SDL's wayland driver, a runtime folder of this test's
# own. Keys 1 to 6 show what the key help promises in pictures of weston's window, Escape ends
# the program with exit code 0, and no OpenGL error is reported.
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$@"
start_display
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=x11-backend.so --width=800 --height=600 --socket=dot3bump-0 --idle-time=0 \
    </dev/null >"$ARTIFACTS/weston.log" 2>&1 &
at_exit kill $!
poll 20 test -S "$XDG_RUNTIME_DIR/dot3bump-0" ||
    fail "weston did not start: $(tail -5 "$ARTIFACTS/weston.log")"
poll 20 window_shown "Weston Compositor - screen0" || fail "no weston window"
PICTURED_WINDOW=$FOUND_WINDOW
xdotool windowactivate --sync "$PICTURED_WINDOW"  # weston hands its X keys to its seat
export SDL_VIDEODRIVER=wayland WAYLAND_DISPLAY=dot3bump-0
start_program
wait_for_frame
for key in 1 2 3 4 5 6; do
    press_key "$key"
    wait_for_key_effect "$key"
done
escape_ends_with_0 20 "under weston"
echo "PASS"
