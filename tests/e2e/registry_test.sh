# The display settings' cascade through the real registry (Wine) or .reg file (Linux): the first
# value that cannot be read brings back the defaults for itself and every value after it. What
# the program read shows in whether the mode can be set: 800x600 can, 1024x768 and 7 bits per
# pixel cannot (exit code 1).
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$@"
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
# Values the display cannot show reach the mode change as they are. The Windows mode change
# takes a 0 there for the current value (so does Wine); the sdl backend has no such rule.
if under_wine; then
    expect 0 "a width of 0 reaches the mode change, which keeps the current width" Width=0
else
    expect 1 "a width of 0 reaches the mode change, which refuses it" Width=0
fi
expect 1 "a negative width is kept" Width=4294967295
expect 1 "a huge width is kept" Width=100000
# Binary values of odd length fill the low bytes of their field, and shrink the size the next
# query may use.
expect 1 "a one-byte binary width replaces the low byte of 800" Width=hex:07
expect 0 "a three-byte binary width shrinks the size, so Height fails" Width=hex:200300 Height=768
echo "PASS"
