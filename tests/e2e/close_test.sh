# Closing the window the way a window manager asks (WM_DELETE_WINDOW) ends with exit code 0.
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$@"
start_display
# The program takes the request once it runs its message loop, which it does once it draws.
start_until_frame
close_window "$PROGRAM_WINDOW"
wait_for_exit 20
[ "$EXIT_CODE" -eq 0 ] || fail "closing the window ended with exit code $EXIT_CODE, not 0"
echo "PASS"
