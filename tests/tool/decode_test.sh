#!/usr/bin/env bash
# `dot3bump-assets decode`: binary PPMs, top row first, that ImageMagick reads as the very
# pictures of the bitmaps; the loader's exact messages and exit status 1 on failure.
# Usage: decode_test.sh TOOL BMPSUITE_DIR WORK_DIR
set -u
TOOL=$1
suite=$2
work=$3
source "$(dirname "$0")/lib.sh"
fresh_dir "$work"

# Depths and row orders whose decoding ImageMagick and the loader agree on to the bit.
for name in rgb24 pal8 pal4 pal1 pal8topdown pal8os2; do
    run_tool "$work/$name.txt" decode "$suite/g/$name.bmp" "$work/$name.ppm"
    status=$?
    [ $status -eq 0 ] || fail "$name: exit status $status: $(cat "$work/$name.txt")"
    [ "$(head -c 14 "$work/$name.ppm")" = "$(printf 'P6\n127 64\n255\n')" ] ||
        fail "$name: not a 127 x 64 P6 header"
    [ "$(stat -c %s "$work/$name.ppm")" -eq $((14 + 127 * 64 * 3)) ] || fail "$name: size"
    differing=$(compare -metric AE "$suite/g/$name.bmp" "$work/$name.ppm" null: 2>&1)
    [ "$differing" = 0 ] || fail "$name: $differing pixels differ from ImageMagick's reading"
done

run_tool "$work/missing.txt" decode "$work/missing.bmp" "$work/missing.ppm"
status=$?
[ $status -eq 1 ] || fail "missing file: exit status $status"
[ "$(cat "$work/missing.txt")" = "Failed to open DIB file $work/missing.bmp." ] ||
    fail "missing file said: $(cat "$work/missing.txt")"
[ ! -e "$work/missing.ppm" ] || fail "a failed decode wrote its output"

run_tool "$work/v5.txt" decode "$suite/g/pal8v5.bmp" "$work/v5.ppm"
status=$?
[ $status -eq 1 ] || fail "pal8v5: exit status $status"
[ "$(cat "$work/v5.txt")" = "Unknown DIB file format." ] ||
    fail "pal8v5 said: $(cat "$work/v5.txt")"

run_tool "$work/unwritable.txt" decode "$suite/g/rgb24.bmp" "$work/no/such/folder/out.ppm"
[ $? -eq 1 ] || fail "unwritable output: exit status not 1"

run_tool "$work/usage.txt" decode "$suite/g/rgb24.bmp"
[ $? -eq 2 ] || fail "decode with one file: exit status not 2"
finish
