#!/usr/bin/env bash
# The data files of the run folder load as the program loads them, `check` says what the program
# will show of them (and of bitmaps whose sides are not powers of two), and `dot3bump-assets
# generate` writes exactly those bytes again: on Windows the files come from a generator built
# for the build machine, so this compares two compilers' output.
# Usage: generated_files_test.sh TOOL RUN_DIR WORK_DIR
set -u
TOOL=$1
run_dir=$2
work=$3
source "$(dirname "$0")/lib.sh"
fresh_dir "$work"

names=(cube.3ds sphere.3ds tex.bmp map_normal.bmp)
run_tool "$work/check.txt" check "${names[@]/#/$run_dir/}"
status=$?
[ $status -eq 0 ] || fail "check: exit status $status: $(cat "$work/check.txt")"
whole="not mirrored; every face has an area and a texture mapping"
expected="$run_dir/cube.3ds: mesh Cube, 24 points, 12 faces, 36 vertices; box 20 x 20 x 20\
 around (0, 0, 0), 1 x the shipped cube; $whole
$run_dir/sphere.3ds: mesh Sphere, 1223 points, 2208 faces, 6624 vertices; box 50 x 50 x 50\
 around (0, 0, 0), 1 x the shipped sphere; $whole
$run_dir/tex.bmp: bitmap 256 x 256, 24 bits per pixel, sides powers of two
$run_dir/map_normal.bmp: bitmap 256 x 256, 24 bits per pixel, sides powers of two"
[ "$(cat "$work/check.txt")" = "$expected" ] || fail "check said: $(cat "$work/check.txt")"

# Black 24-bit bitmaps with one side that is not a power of two, either way round.
for size in 4x3 3x4; do
    convert -size "$size" xc:black -type TrueColor "bmp3:$work/$size.bmp" ||
        fail "cannot make the $size bitmap"
done
run_tool "$work/sides.txt" check "$work/4x3.bmp" "$work/3x4.bmp"
not_powers="sides not powers of two (drivers older than OpenGL 2.0 need them)"
expected="$work/4x3.bmp: bitmap 4 x 3, 24 bits per pixel, $not_powers
$work/3x4.bmp: bitmap 3 x 4, 24 bits per pixel, $not_powers"
[ "$(cat "$work/sides.txt")" = "$expected" ] || fail "check said: $(cat "$work/sides.txt")"

run_tool "$work/generate.txt" generate "$work/again"
status=$?
[ $status -eq 0 ] || fail "generate: exit status $status: $(cat "$work/generate.txt")"
for name in "${names[@]}"; do
    cmp "$run_dir/$name" "$work/again/$name" || fail "$name differs from the run folder's"
done

# The files load from a folder whose name goes past ASCII, in letters that Windows's ANSI code
# page holds at other places than Latin-1 does (the Windows tool once asked a second API, which
# converts names its own way, whether the model was there).
named="$work/Šárka €"
mkdir -p "$named" && cp "$run_dir/cube.3ds" "$run_dir/tex.bmp" "$named/"
run_tool "$work/named.txt" check "$named/cube.3ds" "$named/tex.bmp"
[ $? -eq 0 ] || fail "check in a folder named Šárka €: $(cat "$work/named.txt")"

run_tool "$work/usage.txt" generate
[ $? -eq 2 ] || fail "generate without a folder: exit status not 2"
grep -q '^usage: dot3bump-assets --version' "$work/usage.txt" || fail "no usage text"
run_tool "$work/version.txt" --version
grep -qx 'dot3bump-assets [0-9]*\.[0-9]*\.[0-9]*' "$work/version.txt" ||
    fail "--version said: $(cat "$work/version.txt")"
finish
