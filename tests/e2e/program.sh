# The program's process, and the set-up of a test that runs it. DOT3BUMP_RUNNER names what runs
# in front of the program (wine for the Windows build), kept as the array RUNNER.
source "$E2E_DIR/../fail.sh"
source "$E2E_DIR/../../tools/program_wait.sh"
source "$E2E_DIR/environment.sh"
source "$E2E_DIR/display.sh"
source "$E2E_DIR/settings.sh"
source "$E2E_DIR/wine_env.sh"

under_wine() { [ ${#RUNNER[@]} -gt 0 ]; }

# begin_test PROGRAM ARTIFACTS: stops at the first failure; a work folder of its own (WORK),
# ARTIFACTS emptied for the test's pictures, the environment pinned, settings of its own, under
# Wine the test run's prefix; on exit, what at_exit adds, then the program and the display
# stopped and the work folder removed. The display is start_display's.
begin_test() {
    set -u
    FAIL_STOPS=1
    PROGRAM=$(realpath -m "$1")
    ARTIFACTS=$2
    RUN_DIR=$(dirname "$PROGRAM")
    read -ra RUNNER <<<"${DOT3BUMP_RUNNER:-}"
    WORK=$(mktemp -d)
    PROGRAM_PID=
    AT_EXIT=()
    rm -rf "$ARTIFACTS"
    mkdir -p "$ARTIFACTS"
    trap end_test EXIT
    pin_environment ||
        fail "the program is not tested on DOT3BUMP_TEST_DRIVER=$DOT3BUMP_TEST_DRIVER"
    private_settings
    if under_wine; then
        [ -n "${DOT3BUMP_E2E_WINEPREFIX:-}" ] ||
            fail "DOT3BUMP_E2E_WINEPREFIX is not set: run the Windows tests through ctest"
        export WINEPREFIX=$DOT3BUMP_E2E_WINEPREFIX
    fi
}

# at_exit COMMAND...: run at the test's end, before its own clean-up.
at_exit() { AT_EXIT+=("$*"); }

on_failure() {
    [ -n "${DISPLAY:-}" ] &&
        import -display "$DISPLAY" -window root "$ARTIFACTS/failure.png" 2>/dev/null
    [ -f "$WORK/program.log" ] && sed 's/^/  program: /' "$WORK/program.log" >&2
}

end_test() {
    local command
    for command in "${AT_EXIT[@]}"; do eval "$command"; done
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    under_wine && wineserver -k 2>/dev/null
    stop_display
    wait 2>/dev/null
    rm -rf "$WORK"
}

# start_program [ARGS...]: the program, with ARGS on its command line, started in the background.
# It runs with Mesa's error reporting on: each OpenGL error it causes is written to its
# standard error as "Mesa: User error: ..." (under Wine too, by the host's Mesa), and
# wait_for_exit fails the test on any.
start_program() {
    (cd "$RUN_DIR" && MESA_DEBUG=1 exec "${RUNNER[@]}" "$PROGRAM" "$@") >"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
}

program_ended() { process_ended "$PROGRAM_PID"; }

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

# escape_ends_with_0 SECONDS WHAT: quit_with_escape, and a failure of WHAT unless the program
# ended with exit code 0.
escape_ends_with_0() {
    quit_with_escape "$1"
    [ "$EXIT_CODE" -eq 0 ] || fail "$2: Escape ended the program with exit code $EXIT_CODE, not 0"
}

press_key() { xdotool key "$1"; }
