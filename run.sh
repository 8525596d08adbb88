#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program. On a desktop it opens fullscreen
# (Escape quits). Without a display it runs on a virtual 800x600 screen, saves a screenshot once
# the first frames are on screen, presses Escape and reports the exit code.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh run
cmake --preset linux
cmake --build --preset linux -j "$(nproc)"

cd build/linux
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    set +e
    ./dot3bump
    code=$?
    echo "dot3bump exited with code $code"
    exit $code
fi

source ../../tools/virtual_display.sh
source ../../tools/program_wait.sh
work=$(mktemp -d)
program=
finish() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    stop_virtual_display
    rm -rf "$work"
}
trap finish EXIT
start_virtual_display "$work"
echo "No display: running on the virtual display $DISPLAY (800x600x24)"

./dot3bump &
program=$!

# The first frame is on screen once the overlay shows: its VBO line is green in every running
# program (the program does not start without vertex buffers), and nothing else draws pure green.
# The screenshot waits a little longer, until the frame-rate line changes from its first "0 FPS"
# to the rate measured over the first 50 frames.
screenshot="$PWD/screenshot.png"
rate_line() { convert "$1" -crop 160x28+0+0 +repage ppm:- | md5sum; }
first_rate=
shown=
# Done once the screenshot is taken, or when the program ended first.
rate_measured() {
    process_ended "$program" && return 0
    import -window root "$work/probe.png" || return 1
    if [ -z "$first_rate" ]; then
        local green
        green=$(convert "$work/probe.png" -fill black +opaque '#00ff00' -format '%[fx:mean]' info:)
        [ "$green" != 0 ] && first_rate=$(rate_line "$work/probe.png")
        return 1
    fi
    [ "$(rate_line "$work/probe.png")" != "$first_rate" ] &&
        mv "$work/probe.png" "$screenshot" && shown=yes
}
set +e
poll 60 rate_measured
if [ -n "$shown" ]; then
    echo "Screenshot: $screenshot"
    if ! hold_escape_until_ended "$program" 30; then
        echo "dot3bump did not end within 30 s of Escape; stopping it" >&2
        exit 1
    fi
elif ! process_ended "$program"; then
    echo "dot3bump showed no frame rate within 60 s; stopping it" >&2
    exit 1
fi
wait "$program"
code=$?
program=
echo "dot3bump exited with code $code"
exit $code
