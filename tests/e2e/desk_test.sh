# On a desk (desk.sh), the screen as the user comes and goes: the program's 800x600 once it runs,
# the desktop's mode while another window is active and the program's again once it is active
# again; and the desktop's mode back however the program ends. Signals go to the program's
# process group, as a terminal or a desktop sends them, and each ends the program as that signal
# does. (The orderly ways out are the other scripts', run on the desk too.)
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$@"
export DOT3BUMP_TEST_DESK=1
start_display
set -m  # each program in a process group of its own, as a terminal starts it

screen_shows() { [ "$(screen_mode)" = "$1" ]; }
# expect_mode WHEN MODE: the screen shows MODE within 10 s.
expect_mode() {
    poll 10 screen_shows "$2" || fail "$1: Expected the screen at $2; Observed $(screen_mode)"
}

start_until_frame
expect_mode "after start-up" 800x600
x11 decoy "Desk decoy" &
poll 10 window_shown "Desk decoy" || fail "no decoy window"
xdotool windowactivate "$FOUND_WINDOW"
expect_mode "after another window was activated" "$DESK_MODE"
xdotool windowactivate "$PROGRAM_WINDOW"
expect_mode "after the program was activated again" 800x600
quit_with_escape 20

for signal in SEGV ABRT QUIT KILL; do
    start_program
    wait_for_frame
    expect_mode "before SIG$signal" 800x600
    kill -s "$signal" -- "-$PROGRAM_PID"
    wait_for_exit 20
    expected=$((128 + $(kill -l "$signal")))
    [ "$EXIT_CODE" -eq "$expected" ] ||
        fail "SIG$signal: Expected exit status $expected; Observed $EXIT_CODE"
    echo "ok: SIG$signal, exit status $EXIT_CODE, the screen back at $(screen_mode)"
done
echo "PASS"
