# The display settings' cascade through the real registry (Wine) or .reg file (Linux): the first
# value that cannot be read brings back the defaults for itself and every value after it. What
# the program read shows in whether the mode can be set: 800x600 can, 1024x768 and 7 bits per
# pixel cannot (exit code 1).
source "$(dirname "$0")/lib.sh" "$@"
start_display

# expect CODE WHY NAME=VALUE...: runs the program with these settings; 0 means it opened its
# window and Escape ended it.
expect() {
    local code=$1 why=$2
    shift 2
    set_settings "$@"
    start_program
    if [ "$code" -eq 0 ]; then
        wait_for_window "OpenGL Brisvelle" >/dev/null || fail "$why: no window ($*)"
        quit_with_escape 30
    else
        wait_for_exit 30
    fi
    [ "$EXIT_CODE" -eq "$code" ] || fail "$why: exit code $EXIT_CODE, not $code ($*)"
    echo "ok: $why"
}

expect 0 "no values: defaults"
expect 1 "Width is read" Width=1024
expect 0 "no Width: nothing after it is read" Height=768 BitsPerPixel=7
expect 1 "Width and Height are read" Width=1024 Height=768 BitsPerPixel=32 Frequency=60
expect 0 "no Height: BitsPerPixel is not read" Width=800 BitsPerPixel=7 Frequency=60
expect 1 "BitsPerPixel is read after Width and Height" Width=800 Height=600 BitsPerPixel=7
expect 0 "a five-byte string fails Width's query" Width=sz:1024 Height=768
expect 0 "a five-byte string fails Height's query" Width=800 Height=sz:1024 BitsPerPixel=7
expect 1 "a string that fits in four bytes is taken as raw bytes" \
    Width=800 Height=600 BitsPerPixel=sz:12
echo "PASS"
