#!/usr/bin/env bash
# `dot3bump-assets check` on data files the program cannot use: a folder, a FIFO and a device,
# each named like a model, like a bitmap and like neither, and a file of the other format and a
# text file, are refused at once with the loaders' usual lines; under Wine also the device names
# of Windows. `import` refuses a FIFO as the model or as a file the model names. A FIFO opened for reading would wait for a writer for ever, a device such as
# /dev/zero never ends and the console waits for keys, so each check runs with a deadline, from
# a terminal.
# Usage: unusable_files_test.sh TOOL BMPSUITE_DIR MODEL WORK_DIR
set -u
TOOL=$1
suite=$2
model=$3
work=$4
source "$(dirname "$0")/lib.sh"
fresh_dir "$work"
cd "$work" || exit 1

mkdir folder.3ds folder.bmp folder
mkfifo fifo.3ds fifo.bmp fifo
for name in device.3ds device.bmp device; do ln -s /dev/zero "$name"; done
cp "$suite/g/rgb24.bmp" bitmap.3ds
cp "$model" model.bmp
printf 'Not a model and not a bitmap.\n' | tee text.3ds >text.bmp
declare -A says=(
    [folder.3ds]="folder.3ds: is not a regular file"
    [fifo.3ds]="fifo.3ds: is not a regular file"
    [bitmap.3ds]="bitmap.3ds: chunk 0x4D42 at offset 0: not a 3DS file (unknown first chunk)"
    [text.3ds]="text.3ds: chunk 0x6F4E at offset 0: length 543236212 runs past the end of the file (30 bytes)"
    [device.3ds]="device.3ds: is not a regular file"
    [folder.bmp]="folder.bmp: Failed to open DIB file folder.bmp."
    [fifo.bmp]="fifo.bmp: Failed to open DIB file fifo.bmp."
    [device.bmp]="device.bmp: Failed to open DIB file device.bmp."
    [folder]="folder: Failed to open DIB file folder."
    [fifo]="fifo: Failed to open DIB file fifo."
    [device]="device: Failed to open DIB file device."
    [model.bmp]="model.bmp: Unknown DIB file format."
    [text.bmp]="text.bmp: Unknown DIB file format."
)
if [ -n "${DOT3BUMP_RUNNER:-}" ]; then
    # Names of devices in every folder; CON is the console, which the tool's terminal is.
    says[CON]="CON: Failed to open DIB file CON."
    says[CON.3ds]="CON.3ds: is not a regular file"
    says[NUL]="NUL: Failed to open DIB file NUL."
fi
for file in "${!says[@]}"; do refused "${says[$file]}" check "$file"; done
# assimp opens the model and the files it names itself: `import` hands it the same refusals.
if [ -z "${DOT3BUMP_RUNNER:-}" ]; then  # the Windows tool has no importer
    mkfifo fifo.obj fifo.mtl
    printf 'mtllib fifo.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nf 1/1 2/1 3/1\n' >side.obj
    refused "fifo.obj: is not a regular file" import fifo.obj out.3ds
    refused "side.obj: fifo.mtl: is not a regular file" import side.obj out.3ds
fi
finish
