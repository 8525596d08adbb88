# Older drivers' capability sets on the real renderer, one run of the program each: the overlay's
# capability lines red where the set or the suite's driver lacks something and green elsewhere, the colours-only
# picture wherever bump mapping is off (the program starts on colours and bumps), and Escape
# ending the program with 0.
#
# On Linux the library of tests/capabilities, preloaded into the program, makes the driver report
# the set and ends the program on any use of what it hides, since llvmpipe would still carry the
# use out. Wine opens the host's OpenGL library itself, out of a preloaded library's reach, so
# under Wine its own settings hide what they can: extensions through its DisabledExtensions
# registry value, multisample formats through softpipe, which has none. Nothing there lowers the
# texture unit count, and nothing there polices a use of what is hidden.
#
# Usage: capability_sets.sh PROGRAM ARTIFACTS [LIBRARY]   (the library on Linux)
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$1" "$2"
if ! under_wine; then
    [ -f "${3:-}" ] || fail "no capability library at \"${3:-}\""
    # The program runs in its own folder.
    LIBRARY=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
fi

# Extensions are named without their prefix, and hidden under GL_ARB_ and GL_EXT_ both. The
# picture is the one the key of the last column promises: 5 colours only, 6 lit per pixel.
rows=(
    # set           hidden extensions                     units samples red lines    picture
    "two_units      -                                     2     -       -            5"
    "no_cube_maps   texture_cube_map                      -     -       cubemap      5"
    "no_combiners   texture_env_combine,texture_env_dot3  -     -       combine,dot3 5"
    "no_multisample -                                     -     0       multisample  6"
)

# extension_names LIST: the full names of LIST's extensions, separated by spaces.
extension_names() {
    local extension
    [ "$1" = - ] && return
    for extension in ${1//,/ }; do printf 'GL_ARB_%s GL_EXT_%s ' "$extension" "$extension"; done
}

start_linux_row() {
    local names settings=""
    names=$(extension_names "$hidden")
    [ -z "$names" ] || settings+="hide=$(tr ' ' , <<<"${names% }") "
    [ "$units" = - ] || settings+="units=$units "
    [ "$samples" = - ] || settings+="samples=$samples"
    LD_PRELOAD="${LD_PRELOAD:+$LD_PRELOAD:}$LIBRARY" DOT3BUMP_CAPABILITIES=$settings start_program
}

# Fails (returns 1) for a set Wine cannot make.
start_wine_row() {
    [ "$units" = - ] || return 1
    wine_set_disabled_extensions "$(extension_names "$hidden")"
    if [ "$samples" = 0 ]; then GALLIUM_DRIVER=softpipe start_program; else start_program; fi
}

picture_lacks_or_ended() { program_ended || picture_shows "$name" lacking "$picture" "$red"; }

# with_driver_lacks LINES: LINES and the lines the suite's driver itself shows red (environment.sh).
with_driver_lacks() {
    local lines
    lines=$(tr ',' '\n' <<<"$1,$DRIVER_LACKS" | grep -vx -- '-' | sort -u | paste -sd,)
    echo "${lines:--}"
}

start_display
! under_wine || at_exit 'wine_set_disabled_extensions ""'
for row in "${rows[@]}"; do
    read -r name hidden units samples red picture <<<"$row"
    red=$(with_driver_lacks "$red")
    if ! under_wine; then
        start_linux_row
    elif ! start_wine_row; then
        echo "$name: not under Wine, whose settings cannot lower the texture unit count"
        continue
    fi
    echo "no picture taken" >"$WORK/expect.txt"
    poll 60 picture_lacks_or_ended || fail "$name: $(cat "$WORK/expect.txt")"
    if program_ended; then
        wait_for_exit 0
        fail "$name: the program ended with exit code $EXIT_CODE before its picture was right"
    fi
    escape_ends_with_0 20 "$name"
    echo "$name: passed"
done
echo "PASS"
