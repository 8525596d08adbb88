#!/usr/bin/env bash
# The program under a long run of what a desktop does to it: the focus moves to another window
# and back (the program deactivates and re-activates) while keys 1 to 6 are pressed at random.
# After every deactivation the picture must stop, after every re-activation it must move again;
# the resident memory must stay within RSS_BOUND_KB of what it was after the warm-up; Escape
# must still end the program with exit code 0. The memory is taken after each re-activation and
# written to ARTIFACTS/rss.txt; during the warm-up it settles (llvmpipe compiles and keeps a
# shader for each texture set-up it meets, and its buffers come and go), and its highest value
# then is the base of the bound.
# Usage: soak_test.sh PROGRAM ARTIFACTS SECONDS
source "$(dirname "$0")/../e2e/lib.sh" "$1" "$2"
seconds=$3
RSS_BOUND_KB=8192
WARM_UP_CYCLES=20

start_display
x11 decoy "Soak decoy" &
start_program
window=$(wait_for_window "OpenGL Brisvelle") || fail "no window"
wait_for_frame
window_shown "Soak decoy" || poll 10 window_shown "Soak decoy" || fail "no decoy window"
decoy=$FOUND_WINDOW
x11 focus "$window" || fail "cannot give the program's window the focus"
screenshot first
# Microseconds since the epoch, for the time the program spends active.
now_us() { echo "${EPOCHREALTIME/./}"; }

# The picture in $WORK/a.png and, 0.3 s later, in $WORK/b.png; equal or not.
picture_still() {
    import -display "$DISPLAY" -window root "$WORK/a.png" && sleep 0.3 &&
        import -display "$DISPLAY" -window root "$WORK/b.png" &&
        cmp -s "$WORK/a.png" "$WORK/b.png"
}
picture_moving() { ! picture_still; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$PROGRAM_PID/status"; }

cycles=0 keys=0 active_us=0 active_from=$(now_us) warm_rss= highest_rss=0
rm -f "$ARTIFACTS/rss.txt"
deadline=$((SECONDS + seconds))
while [ "$SECONDS" -lt "$deadline" ] || [ "$cycles" -le "$WARM_UP_CYCLES" ]; do
    for _ in 1 2 3; do
        press_key $((RANDOM % 6 + 1))
        keys=$((keys + 1))
        poll 30 picture_moving || fail "no frame after key $keys"
    done
    active_us=$((active_us + $(now_us) - active_from))
    x11 focus "$decoy" || fail "cannot give the decoy the focus"
    poll 30 picture_still || fail "frames went on after deactivation $((cycles + 1)), with" \
        "the focus on $(xdotool getwindowfocus) (the program's window $window, the decoy $decoy)"
    active_from=$(now_us)
    x11 focus "$window" || fail "cannot give the program's window the focus"
    poll 30 picture_moving || fail "no frame after re-activation $((cycles + 1))"
    cycles=$((cycles + 1))
    rss=$(rss_kb)
    echo "$cycles $rss" >>"$ARTIFACTS/rss.txt"
    [ "$rss" -gt "$highest_rss" ] && highest_rss=$rss
    if [ "$cycles" -eq "$WARM_UP_CYCLES" ]; then
        warm_rss=$highest_rss
    elif [ -n "$warm_rss" ] && [ $((rss - warm_rss)) -gt $RSS_BOUND_KB ]; then
        fail "resident memory grew from $warm_rss kB to $rss kB by re-activation $cycles"
    fi
done
screenshot last
active_us=$((active_us + $(now_us) - active_from))
echo "$cycles re-activations, $keys keys, $((active_us / 1000000)) s active;" \
    "resident memory at most $warm_rss kB in the warm-up, $rss kB at the end, $highest_rss kB" \
    "at most"
quit_with_escape 30
[ "$EXIT_CODE" -eq 0 ] || fail "Escape ended the program with exit code $EXIT_CODE"
echo "PASS"
