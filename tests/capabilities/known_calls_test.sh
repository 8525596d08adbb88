#!/usr/bin/env bash
# Every OpenGL function the program calls, linked or named to be fetched, is one the capability
# library polices (defines) or lists in unpoliced_calls.txt: a call added to the program later
# cannot slip past the library's checks unseen.
# Usage: known_calls_test.sh PROGRAM LIBRARY
program=$1
library=$2
unpoliced=$(dirname "$0")/unpoliced_calls.txt

# Linked functions are the program's undefined dynamic symbols; fetched ones are names among its
# read-only data, less those of its own symbols (the sanitizers keep the names of the program's
# globals there).
own=$(nm -C --defined-only "$program" | awk '{print $NF}' | sort -u)
used=$({
    nm -D --undefined-only "$program" | awk '{print $NF}'
    objcopy -O binary --only-section=.rodata "$program" /dev/stdout | strings -n 4
} | grep -xE 'gl[A-Z][A-Za-z0-9]*' | sort -u | comm -23 - <(echo "$own"))
known=$({
    nm -D --defined-only "$library" | awk '$2 == "T" {print $3}'
    grep -v '^#' "$unpoliced"
} | sort -u)
[ -n "$used" ] || { echo "FAIL: no OpenGL function found in $program" >&2; exit 1; }
unknown=$(comm -23 <(echo "$used") <(echo "$known"))
if [ -n "$unknown" ]; then
    echo "FAIL: the program calls $(echo $unknown), which the capability library neither" \
        "polices nor lists in $unpoliced" >&2
    exit 1
fi
echo "PASS: $(echo "$used" | wc -l) functions, each policed or listed"
