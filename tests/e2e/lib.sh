# Shared by the end-to-end scripts: a private virtual display, the program started on it with a
# clean configuration, and ways to find its window, press keys, take pictures and wait for it.
# Usage in a script: source lib.sh "$program" "$artifacts"; then the functions below.
set -u

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
ARTIFACTS=$2
# An optional runner in front of the program (the Windows build runs under wine).
RUNNER=${DOT3BUMP_RUNNER:-}
RUN_DIR=$(cd "$(dirname "$PROGRAM")" && pwd)
WORK=$(mktemp -d)
XVFB_PID=
PROGRAM_PID=
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then import -display "$DISPLAY" -window root "$ARTIFACTS/failure.png" 2>/dev/null; fi
    [ -f "$WORK/program.log" ] && sed 's/^/  program: /' "$WORK/program.log" >&2
    exit 1
}

cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    [ -n "$RUNNER" ] && wineserver -k 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and tells it through a file descriptor.
start_display() {
    # Nothing of the test's own output is handed on: a straggler holding it would keep the test
    # runner waiting for its end.
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$WORK/display" >/dev/null \
        2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$WORK/display" ] && break
        sleep 0.1
    done
    [ -s "$WORK/display" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    export DISPLAY=":$(head -1 "$WORK/display")"
    if [ -n "$RUNNER" ]; then
        # A server of this test's own, started now so that its desktop process belongs to this
        # test's display (see wine_env.sh), with the program's registry key cleared.
        wineserver -k 2>/dev/null
        wine_clear_display_settings
    fi
}

# The program reads its display settings from this configuration folder only, or under Wine
# from the registry of the test run's prefix, cleared for each test.
export XDG_CONFIG_HOME="$WORK/config"
export XDG_CONFIG_DIRS="$WORK/no-system-config"
mkdir -p "$XDG_CONFIG_HOME"
if [ -n "$RUNNER" ]; then
    [ -n "${DOT3BUMP_E2E_WINEPREFIX:-}" ] ||
        fail "DOT3BUMP_E2E_WINEPREFIX is not set: run the Windows tests through test.sh"
    source "$E2E_DIR/wine_env.sh"
    export WINEPREFIX=$DOT3BUMP_E2E_WINEPREFIX
fi

# set_settings NAME=VALUE...: replaces the program's registry key with these values, each a
# REG_DWORD, or a REG_SZ when written NAME=sz:TEXT. Under Wine in the prefix's registry; on
# Linux as a .reg file, as regedit exports it.
set_settings() {
    local setting name value
    if [ -n "$RUNNER" ]; then
        wine_clear_display_settings
        for setting in "$@"; do
            name=${setting%%=*} value=${setting#*=}
            case $value in
                sz:*) wine_set_display_setting "$name" "${value#sz:}" REG_SZ ;;
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
                *) printf '"%s"=dword:%08x\r\n' "$name" "$value" ;;
            esac
        done
    } > "$XDG_CONFIG_HOME/Quorvane/Telmarix - practice.reg"
}

start_program() {
    (cd "$RUN_DIR" && exec $RUNNER "$PROGRAM") >"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
}

# wait_for_window TITLE: prints the id of the program's visible window.
wait_for_window() {
    local id
    for _ in $(seq 300); do
        id=$(x11 find "$1" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$PROGRAM_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# wait_for_exit SECONDS: the program's exit code, or a failure when it does not end in time.
wait_for_exit() {
    for _ in $(seq $(( $1 * 10 ))); do
        if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
            wait "$PROGRAM_PID"
            EXIT_CODE=$?
            PROGRAM_PID=
            return 0
        fi
        sleep 0.1
    done
    fail "the program did not end within $1 s"
}

# A held key, as a person presses it: the program reads Escape from the key state after a frame.
press_escape() {
    xdotool keydown Escape
    sleep 0.3
    xdotool keyup Escape
}

press_key() { xdotool key "$1"; }

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

screenshot() { import -display "$DISPLAY" -window root "$ARTIFACTS/$1.png"; }
