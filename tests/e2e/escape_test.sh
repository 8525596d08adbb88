# The program opens its fullscreen window, titled "OpenGL Brisvelle", at the display's 800x600
# (on the desk, the screen's mode is then 800x600), and Escape ends it with exit code 0.
source "$(dirname "$0")/lib.sh" "$@"
start_display
start_program
window=$(wait_for_window "OpenGL Brisvelle") || fail "no window titled \"OpenGL Brisvelle\""
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry"
grep -q "Position: 0,0" <<<"$geometry" || fail "window not at the screen's origin: $geometry"
grep -q "Geometry: 800x600" <<<"$geometry" || fail "window does not cover 800x600: $geometry"
wait_for_frame
[ -z "${DOT3BUMP_TEST_DESK:-}" ] || [ "$(screen_mode)" = 800x600 ] ||
    fail "Expected the screen at the program's 800x600; Observed $(screen_mode)"
screenshot running
quit_with_escape 20
[ "$EXIT_CODE" -eq 0 ] || fail "Escape ended the program with exit code $EXIT_CODE, not 0"
echo "PASS"
