# The test scripts' one way to report a failure: "FAIL: WHAT" on standard error, then whatever
# the script's on_failure adds (a picture, a log), if it defines one. Scripts that stop at their
# first failure, since each step needs the one before, set FAIL_STOPS; the others go on and end
# with finish, which counts them.

failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
    if declare -F on_failure >/dev/null; then on_failure; fi
    [ -z "${FAIL_STOPS:-}" ] || exit 1
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures failure(s)" >&2
        exit 1
    fi
    echo "PASS"
}
