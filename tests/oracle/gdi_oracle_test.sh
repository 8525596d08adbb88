#!/usr/bin/env bash
# GDI as the oracle of the Linux bitmap converter: every file of the folders with a core
# (12-byte) or info (40-byte) header decodes to the same bytes through the Windows tool under
# Wine (SetDIBits) as through the Linux tool (the project's own converter); files with a later
# header form are refused by both with the same message. The folders are the good files of the
# bitmap suite and our own run-length files that end at the edges of a row and of the data.
# Usage: gdi_oracle_test.sh WINDOWS_TOOL LINUX_TOOL DIR WORK_DIR [DIR...]
set -u
windows_tool=$1
linux_tool=$2
work=$4
folders=("$3" "${@:5}")

source "$(dirname "$0")/../fail.sh"

if [ -z "$linux_tool" ]; then
    echo "SKIPPED: no Linux tool to compare with: configure with" \
        "-DDOT3BUMP_LINUX_ASSETS_TOOL=<a Linux build>/dot3bump-assets"
    exit 77
fi
[ -x "$linux_tool" ] || { fail "$linux_tool, named by DOT3BUMP_LINUX_ASSETS_TOOL, is missing"; finish; }
rm -rf "$work" && mkdir -p "$work"

# The size of the bitmap header, behind the 14-byte file header.
header_size() {
    od -An -t u4 -j 14 -N 4 "$1" | tr -d ' '
}

compared=0
refused=0
files=()
for dir in "${folders[@]}"; do
    files+=("$dir"/*.bmp)
done
for file in "${files[@]}"; do
    name=$(basename "$(dirname "$file")")-$(basename "$file" .bmp)
    wine "$windows_tool" decode "$file" "$work/$name.gdi.ppm" >"$work/$name.gdi.txt" 2>&1
    gdi=$?
    "$linux_tool" decode "$file" "$work/$name.own.ppm" >"$work/$name.own.txt" 2>&1
    own=$?
    size=$(header_size "$file")
    if [ "$size" = 12 ] || [ "$size" = 40 ]; then
        if [ $gdi -ne 0 ] || [ $own -ne 0 ]; then
            fail "$name: exit status $gdi under Wine, $own on Linux:" \
                "$(tr -d '\r' <"$work/$name.gdi.txt") / $(cat "$work/$name.own.txt")"
        elif ! cmp -s "$work/$name.gdi.ppm" "$work/$name.own.ppm"; then
            fail "$name: the pictures differ ($(cmp "$work/$name.gdi.ppm" "$work/$name.own.ppm"))"
        else
            compared=$((compared + 1))
        fi
    else
        for side in gdi own; do
            text=$(tr -d '\r' <"$work/$name.$side.txt")
            [ "$text" = "Unknown DIB file format." ] || fail "$name ($side): $text"
        done
        [ $gdi -eq 1 ] && [ $own -eq 1 ] || fail "$name: exit status $gdi / $own, expected 1"
        refused=$((refused + 1))
    fi
done

echo "$compared pictures identical, $refused later headers refused by both"
[ $compared -ge 20 ] || fail "only $compared files compared"
[ $refused -eq 2 ] || fail "$refused files with a later header, expected 2 (pal8v4, pal8v5)"
finish
