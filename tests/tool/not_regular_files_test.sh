#!/usr/bin/env bash
# `dot3bump-assets check` on data files that are not regular files: a folder and a FIFO, each
# named like a model and like a bitmap, are refused at once with the loaders' usual lines. A
# FIFO opened for reading would wait for a writer for ever, so each check runs with a deadline.
# Usage: not_regular_files_test.sh TOOL WORK_DIR
set -u
TOOL=$1
work=$2
source "$(dirname "$0")/lib.sh"
fresh_dir "$work"
cd "$work" || exit 1

mkdir folder.3ds folder.bmp
mkfifo fifo.3ds fifo.bmp
declare -A says=(
    [folder.3ds]="folder.3ds: is not a regular file"
    [fifo.3ds]="fifo.3ds: is not a regular file"
    [folder.bmp]="folder.bmp: Failed to open DIB file folder.bmp."
    [fifo.bmp]="fifo.bmp: Failed to open DIB file fifo.bmp."
)
# NOTE: Wine shows a Unix FIFO to Windows programs as an empty regular file, which opens without
# waiting; there is no such file on Windows itself.
[ -n "${DOT3BUMP_RUNNER:-}" ] && says[fifo.3ds]="fifo.3ds: is empty"
for file in "${!says[@]}"; do
    TOOL_DEADLINE=20 run_tool "$work/$file.txt" check "$file"
    status=$?
    [ $status -eq 1 ] || fail "$file: exit status $status, expected 1 (124: it waited)"
    [ "$(cat "$work/$file.txt")" = "${says[$file]}" ] || fail "$file said: $(cat "$work/$file.txt")"
done
finish
