# Settings asking for 1024x768 on an 800x600 display: exit code 1 before any window shows.
source "$(dirname "$0")/lib.sh" "$@"
start_display
set_settings Width=1024 Height=768
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
echo "PASS"
