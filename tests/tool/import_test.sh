#!/usr/bin/env bash
# `dot3bump-assets import`: a model it can draw is written, checked and described in check's
# line; one it cannot draw is refused with the cause and the numbers, and nothing is written.
# Usage: import_test.sh TOOL WORK_DIR
set -u
TOOL=$1
work=$2
source "$(dirname "$0")/lib.sh"
fresh_dir "$work"
cd "$work" || exit 1

# OBJ files: a triangle, and a grid of N x N points as object NAME moved by OFFSET along x.
triangle() { printf 'o %s\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nf 1/1 2/2 3/3\n' "$1"; }
grid() {
    python3 - "$@" <<'PY'
import sys
name, n, offset, first = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
print("o", name)
for i in range(n):
    for j in range(n):
        print("v %d %d 0\nvt %f %f" % (i + offset, j, i / n, j / n))
for i in range(n - 1):
    for j in range(n - 1):
        a = first + i * n + j
        print("f %d/%d %d/%d %d/%d" % (a, a, a + n, a + n, a + n + 1, a + n + 1))
        print("f %d/%d %d/%d %d/%d" % (a, a, a + n + 1, a + n + 1, a + 1, a + 1))
PY
}
triangle Tri >tri.obj
printf 'o Bare\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n' >untextured.obj
printf 'o Wire\nv 0 0 0\nv 1 0 0\nvt 0 0\nvt 1 0\nl 1/1 2/2\n' >lines.obj
triangle Far | sed 's/^v 1 0 0$/v 1e39 0 0/' >far.obj
{ grid A 180 0 1; grid B 180 1000 32401; } >big.obj
printf 'not a model\n' >text.dat

# refused_import MODEL EXPECTED [OPTIONS...]: the import fails, saying MODEL: EXPECTED.
refused_import() { refused "$1: $2" import "$1" out.3ds "${@:3}"; }
refused_import untextured.obj \
    'mesh "Bare" has no texture coordinates, and the program'"'"'s textures need one per point'
refused_import lines.obj "no triangles"
refused_import far.obj 'mesh "Far" has a coordinate that is not finite at point 1'
refused_import big.obj "64800 points and 128164 faces after merging, more than the 65535 a 3DS mesh\
 holds; --mesh would fit with \"A\" (32400 points, 64082 faces), \"B\" (32400 points, 64082 faces)"
refused_import tri.obj 'no mesh is named "Nope"; its meshes are "Tri"' --mesh Nope
refused_import text.dat \
    'cannot be read: No suitable reader found for the file format of file "text.dat".'

run_tool "$work/out.txt" import big.obj cube.3ds --mesh B
[ $? -eq 0 ] || fail "--mesh B: $(cat "$work/out.txt")"
[ "$(cat "$work/out.txt")" = "cube.3ds: mesh B, 32400 points, 64082 faces, 192246 vertices;\
 box 20 x 20 x 0 around (0, 0, 0), 1 x the shipped cube; not mirrored; every face has an area\
 and a texture mapping" ] || fail "--mesh B said: $(cat "$work/out.txt")"
# A mesh of lines beside the triangle, after it or before it, draws nothing: it neither counts,
# nor sizes the box, nor names the model.
{ triangle Tri; printf 'o Wire\nv 5 5 5\nv 9 9 9\nl 4 5\n'; } >mixed.obj
{ printf 'o Wire\nv 5 5 5\nv 9 9 9\nl 1 2\n'; triangle Tri | sed 's|^f .*|f 3/1 4/2 5/3|'; } \
    >wire_first.obj
for model in mixed.obj wire_first.obj; do
    run_tool "$work/out.txt" import "$model" cube.3ds
    line="cube.3ds: mesh Tri, 3 points, 1 faces, 3 vertices; box 20 x 20 x 0 around (0, 0, 0),"
    grep -q "^$line" "$work/out.txt" || fail "$model said: $(cat "$work/out.txt")"
done
run_tool "$work/out.txt" import tri.obj sphere.3ds --as sphere
[ $? -eq 0 ] || fail "--as sphere: $(cat "$work/out.txt")"
# Turned to stand upright once the scene turns it by -90 degrees about X: y becomes -z.
grep -q "^sphere.3ds: mesh Tri, 3 points, 1 faces, 3 vertices; box 50 x 0 x 50 around (0, 0, 0)," \
    "$work/out.txt" || fail "--as sphere said: $(cat "$work/out.txt")"
finish
