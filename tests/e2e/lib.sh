# Shared by the end-to-end scripts: a private virtual display, the program started on it with a
# clean configuration, and ways to find its window, press keys, take pictures and wait for it.
# Usage in a script: source lib.sh "$program" "$artifacts"; then the functions below.
set -u

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/../../tools/virtual_display.sh"
source "$E2E_DIR/../../tools/program_wait.sh"
source "$E2E_DIR/desk.sh"
PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
ARTIFACTS=$2
# An optional runner in front of the program (the Windows build runs under wine).
RUNNER=${DOT3BUMP_RUNNER:-}
RUN_DIR=$(cd "$(dirname "$PROGRAM")" && pwd)
WORK=$(mktemp -d)
PROGRAM_PID=
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"

fail() {
    echo "FAIL: $*" >&2
    [ -n "${DISPLAY:-}" ] &&
        import -display "$DISPLAY" -window root "$ARTIFACTS/failure.png" 2>/dev/null
    [ -f "$WORK/program.log" ] && sed 's/^/  program: /' "$WORK/program.log" >&2
    exit 1
}

cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    [ -n "$RUNNER" ] && wineserver -k 2>/dev/null
    stop_virtual_display
    stop_desk
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# start_display: Xvfb, or with DOT3BUMP_TEST_DESK set the desk (desk.sh), where the test is
# skipped when Xorg cannot start.
start_display() {
    if [ -n "${DOT3BUMP_TEST_DESK:-}" ]; then
        start_desk "$WORK"
        case $? in
        0) ;;
        77) exit 77 ;;
        *) fail "no desk" ;;
        esac
    else
        start_virtual_display "$WORK" || fail "no virtual display"
    fi
    if [ -n "$RUNNER" ]; then
        # A server of this test's own, started now so that its desktop process belongs to this
        # test's display (see wine_env.sh), with the program's registry key cleared.
        wineserver -k 2>/dev/null
        wine_clear_display_settings
    fi
}

# The program meets a driver and the settings the pictures were measured with, not those of the
# desktop the suite runs on: one of Mesa's (through GLVND's Mesa vendor, also where another
# vendor would be picked) on the virtual display, and none of the user's SDL, Mesa or EGL
# variables. The suite picks the driver with DOT3BUMP_TEST_DRIVER: llvmpipe unless it names
# softpipe, which has no multisample; DRIVER_LACKS names the capability lines the driver's
# overlay shows red (see picture.py). zink's software path presents nothing to Xvfb, so it is
# not one of them.
user_prefixes='^(SDL_|MESA_|LIBGL_|GALLIUM_|LP_|EGL_|__GLX_|__EGL_|__GL_)'
for variable in $(compgen -v | grep -E "$user_prefixes"); do unset "$variable"; done
unset WAYLAND_DISPLAY vblank_mode
case ${DOT3BUMP_TEST_DRIVER:=llvmpipe} in
    llvmpipe) DRIVER_LACKS=- ;;
    softpipe) DRIVER_LACKS=multisample ;;
    *) fail "the program is not tested on DOT3BUMP_TEST_DRIVER=$DOT3BUMP_TEST_DRIVER" ;;
esac
echo "driver: $DOT3BUMP_TEST_DRIVER"
export __GLX_VENDOR_LIBRARY_NAME=mesa LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=$DOT3BUMP_TEST_DRIVER
export __EGL_VENDOR_LIBRARY_FILENAMES=/usr/share/glvnd/egl_vendor.d/50_mesa.json

# The program reads its display settings from this configuration folder only, or under Wine
# from the registry of the test run's prefix, cleared for each test.
export XDG_CONFIG_HOME="$WORK/config"
export XDG_CONFIG_DIRS="$WORK/no-system-config"
mkdir -p "$XDG_CONFIG_HOME"
if [ -n "$RUNNER" ]; then
    [ -n "${DOT3BUMP_E2E_WINEPREFIX:-}" ] ||
        fail "DOT3BUMP_E2E_WINEPREFIX is not set: run the Windows tests through ctest"
    source "$E2E_DIR/wine_env.sh"
    export WINEPREFIX=$DOT3BUMP_E2E_WINEPREFIX
fi

# set_settings NAME=VALUE...: replaces the program's registry key with these values, each a
# REG_DWORD (a decimal number), a REG_SZ when written NAME=sz:TEXT or a REG_BINARY when written
# NAME=hex:BYTES (hexadecimal digits, two per byte). Under Wine in the prefix's registry; on
# Linux as a .reg file, as regedit exports it.
set_settings() {
    local setting name value
    if [ -n "$RUNNER" ]; then
        wine_clear_display_settings
        for setting in "$@"; do
            name=${setting%%=*} value=${setting#*=}
            case $value in
                sz:*) wine_set_display_setting "$name" "${value#sz:}" REG_SZ ;;
                hex:*) wine_set_display_setting "$name" "${value#hex:}" REG_BINARY ;;
                *) wine_set_display_setting "$name" "$value" ;;
            esac
        done
        return
    fi
    mkdir -p "$XDG_CONFIG_HOME/Quorvane"
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Quorvane\\Telmarix - practice]\r\n'
        for setting in "$@"; do
            name=${setting%%=*} value=${setting#*=}
            case $value in
                sz:*) printf '"%s"="%s"\r\n' "$name" "${value#sz:}" ;;
                hex:*) printf '"%s"=hex:%s\r\n' "$name" "$(sed 's/../&,/g; s/,$//' <<<"${value#hex:}")" ;;
                *) printf '"%s"=dword:%08x\r\n' "$name" "$value" ;;
            esac
        done
    } > "$XDG_CONFIG_HOME/Quorvane/Telmarix - practice.reg"
}

# start_program [ARGS...]: the program, with ARGS on its command line, started in the background.
# It runs with Mesa's error reporting on: each OpenGL error it causes is written to its
# standard error as "Mesa: User error: ..." (under Wine too, by the host's Mesa), and
# wait_for_exit fails the test on any.
start_program() {
    (cd "$RUN_DIR" && MESA_DEBUG=1 exec $RUNNER "$PROGRAM" "$@") >"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
}

program_ended() { process_ended "$PROGRAM_PID"; }

# The id of a mapped window titled exactly $1, in $FOUND_WINDOW; fails while there is none.
window_shown() {
    FOUND_WINDOW=$(x11 find "$1" 2>/dev/null | head -1)
    [ -n "$FOUND_WINDOW" ]
}

# wait_for_window TITLE: prints the id of the program's visible window; fails when the program
# ends first or 30 s pass.
wait_for_window() {
    poll 30 window_shown_or_ended "$1" && [ -n "$FOUND_WINDOW" ] && echo "$FOUND_WINDOW"
}
window_shown_or_ended() { window_shown "$1" || program_ended; }

# The program's first frame is on screen once its overlay is: the capability lines in colour,
# the key help in white.
frame_shown() {
    import -display "$DISPLAY" -window "$PICTURED_WINDOW" "$WORK/probe.png" 2>/dev/null &&
        python3 "$E2E_DIR/picture.py" frame "$WORK/probe.png" >/dev/null 2>&1
}

wait_for_frame() { poll 60 frame_shown || fail "no frame with the overlay within 60 s"; }

# A message box titled $1 that has drawn itself: its picture holds more than one colour.
box_drawn() {
    window_shown "$1" &&
        import -display "$DISPLAY" -window "$FOUND_WINDOW" "$WORK/box.png" 2>/dev/null &&
        [ "$(convert "$WORK/box.png" -format %k info:)" -gt 1 ]
}

# wait_for_box TITLE: the message box TITLE, shown and drawn within 30 s.
wait_for_box() { poll 30 box_drawn "$1" || fail "no message box titled \"$1\" within 30 s"; }

# wait_for_exit SECONDS: the program's exit code in EXIT_CODE, or a failure when it does not end
# in time or reported an OpenGL error on its way, or on the desk when the desktop's mode is not
# back within 5 s of its end.
wait_for_exit() {
    poll "$1" program_ended || fail "the program did not end within $1 s"
    wait "$PROGRAM_PID"
    EXIT_CODE=$?
    PROGRAM_PID=
    ! grep -q "^Mesa: User error" "$WORK/program.log" || fail "the program caused OpenGL errors"
    if [ -n "${DOT3BUMP_TEST_DESK:-}" ]; then
        poll 5 desktop_mode_back || fail "the program ended with exit status $EXIT_CODE and" \
            "left the screen at $(screen_mode), not the desktop's $DESK_MODE"
    fi
}

# quit_with_escape SECONDS: holds Escape until the program has ended. The exit code is in
# EXIT_CODE.
quit_with_escape() {
    hold_escape_until_ended "$PROGRAM_PID" "$1" ||
        fail "Escape held for $1 s did not end the program"
    wait_for_exit 0
}

press_key() { xdotool key "$1"; }

# picture_shows NAME CHECK ARGS...: a screenshot kept as $ARTIFACTS/NAME.png with its measures
# beside it (NAME.json), which `picture.py CHECK ARGS... NAME.json` accepts; the reason it does
# not is in $WORK/expect.txt.
picture_shows() {
    local name=$1
    shift
    screenshot "$name" &&
        python3 "$E2E_DIR/picture.py" measure "$ARTIFACTS/$name.png" >"$ARTIFACTS/$name.json" &&
        python3 "$E2E_DIR/picture.py" "$@" "$ARTIFACTS/$name.json" >"$WORK/expect.txt"
}

# wait_for_key_effect KEY: pictures until one shows what KEY promises, with the capability lines
# the driver lacks red, for up to 30 s.
wait_for_key_effect() {
    poll 30 picture_shows "key_$1" lacking "$1" "$DRIVER_LACKS" ||
        fail "key $1 within 30 s: $(cat "$WORK/expect.txt")"
}

# Debian's python3-xlib belongs to the system interpreter, not to any other python3 on PATH.
x11() { /usr/bin/python3 "$E2E_DIR/x11.py" "$@"; }

close_window() { x11 close "$1"; }

# dismiss_box TITLE: closes the message box TITLE, asking again while it stays up: a request sent
# before the box's owner reads its X events (seen under Wine) is lost.
dismiss_box() {
    local box
    for _ in $(seq 20); do
        box=$(x11 find "$1" | head -1)
        [ -n "$box" ] || return 0
        close_window "$box"
        sleep 0.5
    done
    fail "the message box \"$1\" does not close"
}

# The pictures are of the whole screen, or of the X window that PICTURED_WINDOW names (a nested
# compositor's).
PICTURED_WINDOW=root
screenshot() { import -display "$DISPLAY" -window "$PICTURED_WINDOW" "$ARTIFACTS/$1.png"; }
