# Settings asking for 1024x768 on an 800x600 display: exit code 1 before any window shows.
source "$(dirname "$0")/lib.sh" "$@"
start_display
set_settings Width=1024 Height=768
start_program
seen=
while kill -0 "$PROGRAM_PID" 2>/dev/null; do
    [ -n "$(x11 find "OpenGL Brisvelle" 2>/dev/null)" ] && seen=yes
    sleep 0.05
done
wait_for_exit 20
[ "$EXIT_CODE" -eq 1 ] || fail "an impossible mode ended with exit code $EXIT_CODE, not 1"
[ -z "$seen" ] || fail "a window showed although the mode could not be set"
echo "PASS"
