#!/usr/bin/env bash
# `dot3bump-assets check` on data files the program cannot use: a folder, a FIFO, a file of the
# other format and a text file, each named like a model and like a bitmap, are refused at once
# with the loaders' usual lines. A FIFO opened for reading would wait for a writer for ever, so
# each check runs with a deadline.
# Usage: unusable_files_test.sh TOOL BMPSUITE_DIR MODEL WORK_DIR
set -u
TOOL=$1
suite=$2
model=$3
work=$4
source "$(dirname "$0")/lib.sh"
fresh_dir "$work"
cd "$work" || exit 1

mkdir folder.3ds folder.bmp
mkfifo fifo.3ds fifo.bmp
cp "$suite/g/rgb24.bmp" bitmap.3ds
cp "$model" model.bmp
printf 'Not a model and not a bitmap.\n' | tee text.3ds >text.bmp
declare -A says=(
    [folder.3ds]="folder.3ds: is not a regular file"
    [fifo.3ds]="fifo.3ds: is not a regular file"
    [bitmap.3ds]="bitmap.3ds: chunk 0x4D42 at offset 0: not a 3DS file (unknown first chunk)"
    [text.3ds]="text.3ds: chunk 0x6F4E at offset 0: length 543236212 runs past the end of the file (30 bytes)"
    [folder.bmp]="folder.bmp: Failed to open DIB file folder.bmp."
    [fifo.bmp]="fifo.bmp: Failed to open DIB file fifo.bmp."
    [model.bmp]="model.bmp: Unknown DIB file format."
    [text.bmp]="text.bmp: Unknown DIB file format."
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
