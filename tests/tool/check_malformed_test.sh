#!/usr/bin/env bash
# `dot3bump-assets check` over the malformed 3DS corpus: every file but the one valid quad ends
# in a clean error line, read all in one process (lib3ds keeps state between loads) and one by
# one, never a crash or a hang.
# Usage: check_malformed_test.sh TOOL CORPUS_DIR WORK_DIR
set -u
TOOL=$1
corpus=$2
work=$3
source "$(dirname "$0")/lib.sh"
fresh_dir "$work"

files=("$corpus"/*.3ds)
[ ${#files[@]} -gt 40 ] || fail "only ${#files[@]} files in $corpus"

run_tool "$work/all.txt" check "${files[@]}"
status=$?
[ $status -eq 1 ] || fail "one process: exit status $status, expected 1"
expect_check_lines "$work/all.txt" "${files[@]}"
for file in "${files[@]}"; do
    if [[ $file == */hm_ok_quad.3ds ]]; then
        loaded "$file" "$work/all.txt" || fail "the valid quad did not load"
    elif loaded "$file" "$work/all.txt"; then
        fail "accepted: $(grep -F -- "$file: " "$work/all.txt")"
    fi
done

for file in "${files[@]}"; do
    run_tool "$work/one.txt" check "$file"
    status=$?
    expected=1
    [[ $file == */hm_ok_quad.3ds ]] && expected=0
    [ $status -eq $expected ] || fail "$file alone: exit status $status, expected $expected"
    expect_check_lines "$work/one.txt" "$file"
done
finish
