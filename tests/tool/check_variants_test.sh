#!/usr/bin/env bash
# `dot3bump-assets check` over the generated cube cut at every chunk boundary and with its
# lengths, ids, counts and indices altered, all in one process.
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
for file in "${files[@]}"; do
    case $file in
    *-fails-*) ! loaded "$file" "$work/all.txt" || fail "accepted: $file" ;;
    *-loads-*) loaded "$file" "$work/all.txt" || fail "the undamaged cube did not load" ;;
    esac
done
echo "$(wc -l <"$work/all.txt.out") of ${#files[@]} variants loaded"
finish
