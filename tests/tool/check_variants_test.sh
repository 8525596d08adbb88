#!/usr/bin/env bash
# `dot3bump-assets check` over the generated cube cut at every chunk boundary and with its
# lengths, ids, counts and indices altered, all in one process; and over cubes that load but
# that the check warns about.
# Usage: check_variants_test.sh TOOL CUBE_VARIANTS WORK_DIR
set -u
TOOL=$1
maker=$2
work=$3
source "$(dirname "$0")/lib.sh"
fresh_dir "$work/variants"

${DOT3BUMP_RUNNER:+$DOT3BUMP_RUNNER} "$maker" "$work/variants" || fail "$maker failed"
# Bare names: a Windows command line holds no more than 32767 characters.
cd "$work/variants" || exit 1
files=(*.3ds)
[ ${#files[@]} -gt 200 ] || fail "only ${#files[@]} variants"

run_tool "$work/all.txt" check "${files[@]}"
status=$?
[ $status -eq 1 ] || fail "exit status $status, expected 1"
expect_check_lines "$work/all.txt" "${files[@]}"
# How each cube that loads must end its line: whether lib3ds mirrors it, and its faces whose
# lighting is undefined.
declare -A says=(
    [unchanged]="not mirrored; every face has an area and a texture mapping"
    [mirrored]="mirrored by lib3ds; every face has an area and a texture mapping"
    [flat-face]="not mirrored; 1 faces without area, 0 with a degenerate texture mapping"
    [unmapped-face]="not mirrored; 0 faces without area, 1 with a degenerate texture mapping"
)
described=0
for file in "${files[@]}"; do
    case $file in
    *-fails-*) ! loaded "$file" "$work/all.txt" || fail "accepted: $file" ;;
    *-loads-*)
        what=${file#*-loads-}
        what=${what%.3ds}
        line=$(grep -F -- "$file: " "$work/all.txt.out")
        [[ $line == *"; ${says[$what]}" ]] || fail "$file: expected \"${says[$what]}\", got: $line"
        described=$((described + 1))
        ;;
    esac
done
[ $described -eq ${#says[@]} ] || fail "$described cubes that load, expected ${#says[@]}"
echo "$(wc -l <"$work/all.txt.out") of ${#files[@]} variants loaded"
finish
