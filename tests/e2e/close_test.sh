# Closing the window the way a window manager asks (WM_DELETE_WINDOW) ends with exit code 0.
source "$(dirname "$0")/lib.sh" "$@"
start_display
start_program
window=$(wait_for_window "OpenGL Brisvelle") || fail "no window titled \"OpenGL Brisvelle\""
# The program takes the request once it runs its message loop, which it does once it draws.
wait_for_frame
close_window "$window"
wait_for_exit 20
[ "$EXIT_CODE" -eq 0 ] || fail "closing the window ended with exit code $EXIT_CODE, not 0"
echo "PASS"
