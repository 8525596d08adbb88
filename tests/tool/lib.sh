# Shared by the tests of dot3bump-assets. DOT3BUMP_RUNNER runs the tool (wine for the Windows
# build, nothing for Linux); Windows programs end their lines in CR LF, so captured output goes
# through `tr -d '\r'` before it is compared.

source "$(dirname "${BASH_SOURCE[0]}")/../fail.sh"

# run_tool OUTPUT ARGS...: runs the tool with its standard output into OUTPUT.out, its standard
# error into OUTPUT.err and both into OUTPUT; returns its status, 124 when it ran past
# TOOL_DEADLINE seconds (120 unless set). With TOOL_ON_TERMINAL set, its standard input is a
# terminal, as when a user types the command: Wine then gives a Windows program the terminal as
# its console, and a read from the console waits for keys.
run_tool() {
    local output=$1
    shift
    local -a command=(${DOT3BUMP_RUNNER:+$DOT3BUMP_RUNNER} "$TOOL" "$@")
    if [ -n "${TOOL_ON_TERMINAL:-}" ]; then
        # script(1) makes the terminal; the tool's output still goes to the files.
        local redirect=">$(printf %q "$output.out.raw") 2>$(printf %q "$output.err.raw")"
        timeout "${TOOL_DEADLINE:-120}" script -qec "$(printf '%q ' "${command[@]}")$redirect" \
            /dev/null </dev/null >/dev/null 2>&1
    else
        timeout "${TOOL_DEADLINE:-120}" "${command[@]}" >"$output.out.raw" 2>"$output.err.raw"
    fi
    local status=$?
    tr -d '\r' <"$output.out.raw" >"$output.out"
    tr -d '\r' <"$output.err.raw" >"$output.err"
    cat "$output.out" "$output.err" >"$output"
    rm -f "$output.out.raw" "$output.err.raw"
    return $status
}

# refused LINE ARGS...: the tool, given ARGS from a terminal in the current folder, ends at once
# with exit status 1 and says exactly LINE, and writes no out.3ds.
refused() {
    local expected=$1 output=$PWD/refused.txt
    shift
    rm -f out.3ds
    TOOL_ON_TERMINAL=1 TOOL_DEADLINE=20 run_tool "$output" "$@"
    local status=$?
    [ $status -eq 1 ] || fail "$*: exit status $status, expected 1 (124: it waited)"
    [ "$(cat "$output")" = "$expected" ] || fail "$* said: $(cat "$output")"
    [ ! -e out.3ds ] || fail "$*: a refused command wrote out.3ds"
}

# fresh_dir DIR: an empty folder.
fresh_dir() {
    rm -rf "$1" && mkdir -p "$1"
}


# expect_check_lines OUTPUT FILES...: `check` printed exactly one line per file, starting with
# the file's path, on standard output for the files that loaded and on standard error for the
# others, in file order on each; and nothing a sanitizer or a hole in the 3DS check would print.
expect_check_lines() {
    local output=$1
    shift
    local lines
    lines=$(wc -l <"$output")
    [ "$lines" -eq $# ] || fail "$# files gave $lines lines: $(head -c 2000 "$output")"
    local -a out err
    mapfile -t out <"$output.out"
    mapfile -t err <"$output.err"
    local file o=0 e=0
    for file in "$@"; do
        if [[ ${out[o]-} == "$file: "* ]]; then
            o=$((o + 1))
        elif [[ ${err[e]-} == "$file: "* ]]; then
            e=$((e + 1))
        else
            fail "no line for $file in its place"
            return
        fi
    done
    if grep -E -n 'although the check passed|Sanitizer|runtime error' "$output" >&2; then
        fail "a load got past the check, or a sanitizer spoke"
    fi
}

# loaded FILE OUTPUT: whether `check` reported FILE as loaded.
loaded() {
    grep -q -F -- "$1: " "$2.out"
}
