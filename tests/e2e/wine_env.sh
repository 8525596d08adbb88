# Wine for the tests of the Windows build: a throw-away prefix per test run, and the program's
# registry key in that prefix. Sourced by test.sh (wine_env_init) and by lib.sh.
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
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# wine_env_init DIR: two new prefixes, DIR/wineprefix for the tests without a display (exported
# as WINEPREFIX, with a wineserver that stays up until wine_env_cleanup, so that programs start
# in 0.2 s instead of 3 s) and DIR/wineprefix-e2e for the end-to-end tests (exported as
# DOT3BUMP_E2E_WINEPREFIX).
#
# NOTE: Wine keeps one desktop process per running wineserver, bound to the X display of the
# first program that needed it, or to none. Every later program shares it, and one bound to no
# display, or to a display that is gone, makes every mode change fail. So the end-to-end tests,
# each on its own virtual display, get a prefix of their own and a fresh server each (lib.sh).
wine_env_init() {
    export WINEPREFIX="$1/wineprefix"
    mkdir -p "$1"
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$1/display" >/dev/null 2>&1 &
    local xvfb=$!
    for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
    DISPLAY=":$(head -1 "$1/display")" wineboot -i >/dev/null 2>&1
    local status=$?
    wineserver -k
    wineserver -w
    kill "$xvfb"
    [ $status -eq 0 ] || { echo "wineboot -i failed in $WINEPREFIX" >&2; return 1; }
    export DOT3BUMP_E2E_WINEPREFIX="$1/wineprefix-e2e"
    cp -a "$WINEPREFIX" "$DOT3BUMP_E2E_WINEPREFIX"
    wineserver -p
    # NOTE: the first program of a session starts Wine's services, which stay with the server
    # and keep that program's standard output and error open. Started here, they hold nothing
    # of a test runner's, which would otherwise wait for those pipes to close.
    wine cmd /c exit </dev/null >/dev/null 2>&1
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
