# A user's own model and normal map, made with dot3bump-assets: a torus written as OBJ, imported
# as cube.3ds, and a normal map made from a height map of hexagons, in a copy of the run folder.
# The program draws the torus in the cube's place, and both models lit per pixel through the new
# map: with bumps only the torus is grey. The sphere, large and convex, shows whether the map
# lights them as the map the program loaded says, not as a flat map or one with its green flipped
# would (bump_lighting.py). Needs the importer of the Linux tool.
# Usage: own_model.sh PROGRAM ARTIFACTS TOOL
source "$(dirname "$0")/harness.sh" program pictures
begin_test "$1" "$2"
TOOL=$3

python3 - "$WORK/torus.obj" <<'PY'
import math, sys
R, r, around, across = 3.0, 1.0, 48, 24
lines = ["o Torus"]
for i in range(around + 1):
    for j in range(across + 1):
        a, b = 2 * math.pi * i / around, 2 * math.pi * j / across
        ring = R + r * math.cos(b)
        lines.append("v %f %f %f" % (ring * math.cos(a), r * math.sin(b), ring * math.sin(a)))
        lines.append("vt %f %f" % (4.0 * i / around, j / across))
point = lambda i, j: i * (across + 1) + j + 1
for i in range(around):
    for j in range(across):
        a, b, c, d = point(i, j), point(i + 1, j), point(i + 1, j + 1), point(i, j + 1)
        lines += ["f %d/%d %d/%d %d/%d" % (a, a, d, d, c, c), "f %d/%d %d/%d %d/%d" % (a, a, c, c, b, b)]
open(sys.argv[1], "w").write("\n".join(lines) + "\n")
PY
convert -size 256x256 pattern:hexagons -blur 0x1.5 -colorspace gray "bmp3:$WORK/height.bmp" ||
    fail "cannot make the height map"

ORIGINAL_RUN_DIR=$RUN_DIR
RUN_DIR="$WORK/run"
mkdir -p "$RUN_DIR"
cp "$ORIGINAL_RUN_DIR/sphere.3ds" "$RUN_DIR/"
# In place of the bricks, a colour texture whose colours name its texels.
python3 "$E2E_DIR/bump_lighting.py" texture "$RUN_DIR/tex.bmp" || fail "cannot make the texture"
"$TOOL" import "$WORK/torus.obj" "$RUN_DIR/cube.3ds" >"$ARTIFACTS/import.txt" 2>&1 ||
    fail "import: $(cat "$ARTIFACTS/import.txt")"
"$TOOL" normalmap "$WORK/height.bmp" "$RUN_DIR/map_normal.bmp" >"$ARTIFACTS/normalmap.txt" 2>&1 ||
    fail "normalmap: $(cat "$ARTIFACTS/normalmap.txt")"

"$TOOL" decode "$RUN_DIR/map_normal.bmp" "$WORK/map_normal.ppm" >"$ARTIFACTS/decode.txt" 2>&1 ||
    fail "decode: $(cat "$ARTIFACTS/decode.txt")"

# The sphere's lighting fitted against the normals of the map the program loads, once a picture
# of colours and bumps shows enough of it: the verdict in LIGHTING (0 when the map fits clearly best, 1 when
# not), the reason in $WORK/lighting.txt, the measures in the artifacts.
lighting_judged() {
    screenshot lighting || return 1
    python3 "$E2E_DIR/bump_lighting.py" judge "$ARTIFACTS/lighting.png" "$WORK/map_normal.ppm" \
        >"$ARTIFACTS/lighting.json" 2>"$WORK/lighting.txt"
    LIGHTING=$?
    [ "$LIGHTING" -ne 2 ]
}

start_display
start_until_frame
# Colours and bumps: the sphere lit through the map, as the map says.
press_key 6
poll 30 lighting_judged || fail "key 6: $(cat "$WORK/lighting.txt")"
[ "$LIGHTING" -eq 0 ] || fail "key 6: $(cat "$WORK/lighting.txt")"

press_key 4
# Bumps only, once the key has taken effect: the torus drawn, grey.
poll 30 picture_shows torus_bumps bumps cube || fail "key 4: $(cat "$WORK/expect.txt")"
escape_ends_with_0 20 "the own model"
echo "PASS"
