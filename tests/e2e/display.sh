# The test's display: Xvfb, or with DOT3BUMP_TEST_DESK set the desk (desk.sh), where the test is
# skipped (exit code 77) when Xorg cannot start. Under Wine a server of the test's own is started
# for it (wine_env.sh).
source "$E2E_DIR/../../tools/virtual_display.sh"
source "$E2E_DIR/desk.sh"
source "$E2E_DIR/windows.sh"  # for the desk's window manager and screen size

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
    ! under_wine || wine_fresh_server
}

stop_display() {
    stop_virtual_display
    stop_desk
}
