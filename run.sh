#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program. On a desktop it opens fullscreen
# (Escape quits). Without a display it runs on a virtual 800x600 screen, saves a screenshot after
# a few seconds, presses Escape and reports the exit code.
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

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
echo "No display: running on the virtual display $DISPLAY (800x600x24)"

./dot3bump &
program=$!
sleep 6
screenshot="$PWD/screenshot.png"
import -window root "$screenshot"
echo "Screenshot: $screenshot"
# Escape is read from the key state after each frame, so it is held as a person would hold it.
xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
set +e
wait $program
code=$?
echo "dot3bump exited with code $code"
exit $code
