# A quit request from the system ends the program as closing its window does, with exit code 0:
# on Linux SIGTERM and SIGINT, which SDL turns into its quit event, and SIGHUP (its terminal
# closed); under Wine taskkill without /F, which posts WM_CLOSE to the program's windows.
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$@"
start_display

# request_quit REQUEST: TERM, INT or HUP, that signal to the program; taskkill, Wine's taskkill by the
# program's name, since under Wine PROGRAM_PID is Wine's loader, not a Windows process.
request_quit() {
    case $1 in
    taskkill) wine taskkill /IM "$(basename "$PROGRAM")" >/dev/null ;;
    *) kill -s "$1" "$PROGRAM_PID" ;;
    esac
}

if under_wine; then requests=taskkill; else requests="TERM INT HUP"; fi
for request in $requests; do
    # The program takes the request once it runs its message loop, which it does once it draws.
    start_until_frame
    request_quit "$request" || fail "the quit request $request could not be sent"
    poll 20 program_ended || fail "the program did not end within 20 s of the quit request $request"
    wait_for_exit 0
    [ "$EXIT_CODE" -eq 0 ] ||
        fail "the quit request $request ended the program with exit code $EXIT_CODE, not 0"
done
echo "PASS"
