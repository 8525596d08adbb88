#!/usr/bin/env bash
# The program under a long run of what a desktop does to it: the focus moves to another window
# and back (the program deactivates and re-activates) while keys 1 to 6 are pressed. After every
# deactivation the picture must stop, after every re-activation it must move again; the resident
# memory must not grow with the re-activations; Escape must still end the program with exit
# code 0.
# The first re-activations are the warm-up: their keys show each of the nine pictures (three
# model choices, three passes) once, since llvmpipe compiles and keeps a shader for each texture
# set-up it meets. From then on the keys are random, and with judge-memory the resident memory
# is taken after each deactivation, when no frame is in flight (ARTIFACTS/rss.txt). Its growth is
# judged over all those samples, as the median slope between every two of them, so no one
# sample decides; there are at least MIN_SAMPLES, also when the run's length would allow fewer.
# Usage: soak_test.sh PROGRAM ARTIFACTS SECONDS judge-memory|frames-only
source "$(dirname "$0")/../e2e/harness.sh" program pictures
begin_test "$1" "$2"
seconds=$3
judge_memory=$([ "$4" = judge-memory ] && echo yes)
# kB per re-activation. Clean runs of 20 samples measure 0 (five Linux runs, one under Wine); a
# program that keeps 64 kB on every re-activation measures 68 (with the allocator's own page).
RSS_SLOPE_BOUND_KB=16
MIN_SAMPLES=20
# Keys 1, 2, 3 choose the models, 4, 5, 6 the passes; from the start (both models, both passes)
# these show every pair once, three keys to a re-activation.
WARM_UP_KEYS=(1 4 5 6 2 4 5 6 3 4 5 6)

# glibc's allocator keeps freed memory for reuse up to its high-water mark, which llvmpipe's
# per-frame allocations raise now and then (without this, 8 MB of growth over the first 10
# samples of a clean run): with fixed thresholds, blocks of 16 kB and more go back to the system
# when freed and the heap's free top is trimmed, so the resident memory follows what is held.
export GLIBC_TUNABLES=glibc.malloc.mmap_threshold=16384:glibc.malloc.trim_threshold=131072

start_display
x11 decoy "Soak decoy" &
start_until_frame
window=$PROGRAM_WINDOW
window_shown "Soak decoy" || poll 10 window_shown "Soak decoy" || fail "no decoy window"
decoy=$FOUND_WINDOW
# Microseconds since the epoch, for the time the program spends active.
now_us() { echo "${EPOCHREALTIME/./}"; }

# take_pictures SECONDS: the screen in $WORK/a.png and, SECONDS later, in $WORK/b.png. A picture
# that cannot be taken fails the test: it must not pass for a moving or a still one.
take_pictures() {
    import -display "$DISPLAY" -window root "$WORK/a.png" && sleep "$1" &&
        import -display "$DISPLAY" -window root "$WORK/b.png" ||
        fail "cannot take a picture of the screen"
}
# Stillness can only be seen over a span of time, three of the program's frames as they come
# now: STILL_SPAN, in seconds, set by measure_frames while the program is active.
STILL_SPAN=
# measure_frames: the longest time between two changes of the picture over five changes, counted
# from outside. Pictures are taken back to back, so a change comes with every picture while the
# program draws faster than they are taken, and the span follows the slower of the two.
measure_frames() {
    local changes=0 longest=0 from to
    import -display "$DISPLAY" -window root "$WORK/frame.png" || fail "cannot take a picture"
    from=$(now_us)
    while [ "$changes" -lt 5 ]; do
        import -display "$DISPLAY" -window root "$WORK/next.png" || fail "cannot take a picture"
        cmp -s "$WORK/frame.png" "$WORK/next.png" && continue
        to=$(now_us)
        [ $((to - from)) -gt "$longest" ] && longest=$((to - from))
        from=$to changes=$((changes + 1))
        mv "$WORK/next.png" "$WORK/frame.png"
    done
    STILL_SPAN=$(awk -v us="$longest" 'BEGIN { printf "%.3f", 3 * us / 1e6 }')
}
picture_still() { take_pictures "$STILL_SPAN" && cmp -s "$WORK/a.png" "$WORK/b.png"; }
# Two pictures in a row that differ: a new frame came between them.
picture_moving() { take_pictures 0 && ! cmp -s "$WORK/a.png" "$WORK/b.png"; }
# Counted from the page tables when read: the status file's VmRSS is a sum of per-CPU counters
# on recent kernels, exact only up to their batches.
rss_kb() { awk '/^Rss:/ { print $2 }' "/proc/$PROGRAM_PID/smaps_rollup"; }

measure_frames
x11 focus "$window" "$STILL_SPAN" || fail "cannot give the program's window the focus"
screenshot first
cycles=0 keys=0 active_us=0 active_from=$(now_us) samples=0
rm -f "$ARTIFACTS/rss.txt"
deadline=$((SECONDS + seconds))
wanted_samples=$([ -n "$judge_memory" ] && echo "$MIN_SAMPLES" || echo 0)
while [ "$SECONDS" -lt "$deadline" ] || [ "$samples" -lt "$wanted_samples" ]; do
    for _ in 1 2 3; do
        key=${WARM_UP_KEYS[keys]:-$((RANDOM % 6 + 1))}
        press_key "$key"
        keys=$((keys + 1))
        poll 30 picture_moving || fail "no frame after key $keys"
    done
    measure_frames
    active_us=$((active_us + $(now_us) - active_from))
    x11 focus "$decoy" "$STILL_SPAN" || fail "cannot give the decoy the focus"
    poll 30 picture_still || fail "frames went on after deactivation $((cycles + 1)) (still" \
        "for $STILL_SPAN s wanted, three of the frames before it), with" \
        "the focus on $(xdotool getwindowfocus) (the program's window $window, the decoy $decoy)"
    if [ -n "$judge_memory" ] && [ "$keys" -gt ${#WARM_UP_KEYS[@]} ]; then
        echo "$cycles $(rss_kb)" >>"$ARTIFACTS/rss.txt"
        samples=$((samples + 1))
    fi
    active_from=$(now_us)
    x11 focus "$window" "$STILL_SPAN" || fail "cannot give the program's window the focus"
    poll 30 picture_moving || fail "no frame after re-activation $((cycles + 1))"
    cycles=$((cycles + 1))
done
screenshot last
active_us=$((active_us + $(now_us) - active_from))
echo "$cycles re-activations, $keys keys, $((active_us / 1000000)) s active"
if [ -n "$judge_memory" ]; then
    growth=$(python3 "$(dirname "$0")/rss_growth.py" "$ARTIFACTS/rss.txt") ||
        fail "cannot judge the memory samples in $ARTIFACTS/rss.txt"
    echo "resident memory after the warm-up: $growth"
    slope=${growth%% *}
    awk -v s="$slope" -v b="$RSS_SLOPE_BOUND_KB" 'BEGIN { exit !(s <= b) }' ||
        fail "resident memory grows by $slope kB per re-activation, more than $RSS_SLOPE_BOUND_KB"
fi
escape_ends_with_0 30 "after the soak"
echo "PASS"
