# Settings asking for 1000x700, which no screen of the suite offers: exit code 1 before any
# window shows, and on Linux a line on standard error naming the mode and the screen's modes of
# that size.
source "$(dirname "$0")/harness.sh" program windows
begin_test "$@"
start_display
set_settings Width=1000 Height=700
start_program
# Watched until the program ends: no window may show meanwhile.
seen=
watch_for_window() {
    window_shown "OpenGL Brisvelle" && seen=yes
    program_ended
}
poll 20 watch_for_window || fail "the program did not end within 20 s"
wait_for_exit 1
[ "$EXIT_CODE" -eq 1 ] || fail "an impossible mode ended with exit code $EXIT_CODE, not 1"
[ -z "$seen" ] || fail "a window showed although the mode could not be set"
line="dot3bump: the screen has no mode 1000x700, 32 bits per pixel, 60 Hz; its modes of that size:\
 none"
under_wine || grep -qxF "$line" "$WORK/program.log" ||
    fail "Expected on standard error: $line; Observed: $(cat "$WORK/program.log")"
echo "PASS"
