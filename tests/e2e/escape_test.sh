# The program opens its fullscreen window, titled "OpenGL Brisvelle", at the display's 800x600
# (on the desk, the screen's mode is then 800x600), and Escape ends it with exit code 0.
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$@"
start_display
start_until_frame
geometry=$(xdotool getwindowgeometry "$PROGRAM_WINDOW")
echo "$geometry"
grep -q "Position: 0,0" <<<"$geometry" || fail "window not at the screen's origin: $geometry"
grep -q "Geometry: 800x600" <<<"$geometry" || fail "window does not cover 800x600: $geometry"
[ -z "${DOT3BUMP_TEST_DESK:-}" ] || [ "$(screen_mode)" = 800x600 ] ||
    fail "Expected the screen at the program's 800x600; Observed $(screen_mode)"
screenshot running
escape_ends_with_0 20 "the running program"
echo "PASS"
