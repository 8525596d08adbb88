# Wine for the tests of the Windows build: throw-away prefixes per test run, and the program's
# registry key in them. Sourced by program.sh; run as a command, it is the CTest fixture that
# makes the prefixes before the Windows tests and takes them away after them:
#   wine_env.sh setup|cleanup DIR
#
# NOTE: measured with Wine 8.0 (Debian 12) on 2 cores: a fresh prefix takes about 20 s and
# 700 MB, so one prefix serves a whole test run. It must be made while an X display is there:
# a prefix made without one keeps a display without modes, and every mode change then fails.
# WINEDEBUG=-all silences Wine's own messages; WINEDLLOVERRIDES="mscoree,mshtml=" keeps
# wineboot from offering to install Mono and Gecko, the only dialogs it would show. wine's exit
# status is the program's exit code.
#
# NOTE: Wine on Xvfb 800x600x24 accepts 800x600 at any colour depth and refresh rate the
# program asks for; only a size the screen cannot show fails, so tests of exit code 1 ask for a
# larger size. GetKeyState(VK_ESCAPE) follows xdotool's key events without a window manager.

WINE_ENV_REGISTRY_KEY='HKLM\Software\Quorvane\Telmarix - practice'


# wine_env DIR: exports the prefixes of the Wine home DIR: DIR/wineprefix (WINEPREFIX) for the
# tests without a display, DIR/wineprefix-e2e (DOT3BUMP_E2E_WINEPREFIX) for the end-to-end tests.
wine_env() {
    export WINEPREFIX="$1/wineprefix"
    export DOT3BUMP_E2E_WINEPREFIX="$1/wineprefix-e2e"
}

# wine_env_init DIR: makes both prefixes anew, and leaves a wineserver running for the first, so
# that programs start in 0.2 s instead of 3 s.
#
# NOTE: Wine keeps one desktop process per running wineserver, bound to the X display of the
# first program that needed it, or to none. Every later program shares it, and one bound to no
# display, or to a display that is gone, makes every mode change fail. So the end-to-end tests,
# each on its own virtual display, get a prefix of their own and a fresh server each
# (wine_fresh_server).
wine_env_init() {
    wine_env "$1"
    wine_env_cleanup
    mkdir -p "$1"
    # In a subshell: the virtual display and its DISPLAY end with the prefix's making.
    (
        source "$(dirname "${BASH_SOURCE[0]}")/../../tools/virtual_display.sh"
        start_virtual_display "$1" || exit 1
        wineboot -i >/dev/null 2>&1
        status=$?
        wineserver -k
        wineserver -w
        stop_virtual_display
        [ $status -eq 0 ] || { echo "wineboot -i failed in $WINEPREFIX" >&2; exit 1; }
    ) || return 1
    cp -a "$WINEPREFIX" "$DOT3BUMP_E2E_WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1
    # NOTE: the first program of a session starts Wine's services, which stay with the server
    # and keep that program's standard output and error open. Started here, they hold nothing
    # of a test runner's, which would otherwise wait for those pipes to close.
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# wine_fresh_server: a server of the test's own, started once its display is up so that its
# desktop process belongs to that display, with the program's registry key cleared.
wine_fresh_server() {
    wineserver -k 2>/dev/null
    wine_clear_display_settings
}

wine_env_cleanup() {
    wineserver -k 2>/dev/null
    WINEPREFIX=$DOT3BUMP_E2E_WINEPREFIX wineserver -k 2>/dev/null
    rm -rf "$WINEPREFIX" "$DOT3BUMP_E2E_WINEPREFIX"
}

# wine_set_display_setting NAME VALUE [TYPE]: one value of the program's key (REG_DWORD unless
# TYPE says otherwise).
wine_set_display_setting() {
    wine reg add "$WINE_ENV_REGISTRY_KEY" /v "$1" /t "${3:-REG_DWORD}" /d "$2" /f >/dev/null 2>&1
}

wine_clear_display_settings() {
    wine reg delete "$WINE_ENV_REGISTRY_KEY" /f >/dev/null 2>&1 || true
}

# wine_set_disabled_extensions NAMES: the OpenGL extensions (separated by spaces) that Wine leaves
# out of what it reports to the programs it starts from now on; none when NAMES is empty.
wine_set_disabled_extensions() {
    if [ -n "$1" ]; then
        wine reg add 'HKCU\Software\Wine\OpenGL' /v DisabledExtensions /t REG_SZ /d "$1" /f \
            >/dev/null 2>&1
    else
        wine reg delete 'HKCU\Software\Wine\OpenGL' /v DisabledExtensions /f >/dev/null 2>&1 ||
            true
    fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    # The tests that use the prefixes get the same from CTest (tests/CMakeLists.txt).
    export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    case ${1:-} in
    setup) wine_env_init "$2" ;;
    cleanup) wine_env "$2" && wine_env_cleanup && rm -rf "$2" ;;
    *) echo "usage: $0 setup|cleanup DIR" >&2 && exit 2 ;;
    esac
fi
