# Waiting on a running program with a deadline, shared by run.sh and the test scripts.
# Usage: source tools/program_wait.sh; then the functions below. Needs xdotool for the key.

# poll SECONDS COMMAND...: runs COMMAND until it succeeds, or fails once SECONDS have passed.
poll() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

process_ended() { ! kill -0 "$1" 2>/dev/null; }

# hold_escape_until_ended PID SECONDS: holds Escape until process PID has ended, as a person
# would: the program reads the key's state once per frame, so a press shorter than a frame may
# go unseen. Fails when PID still runs after SECONDS.
hold_escape_until_ended() {
    xdotool keydown Escape
    poll "$2" process_ended "$1"
    local ended=$?
    xdotool keyup Escape
    return $ended
}
