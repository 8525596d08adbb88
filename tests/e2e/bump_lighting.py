"""Tells whether the program lights the sphere through the normal map it loaded, from one
screenshot (800x600) of colours and bumps (key 6) drawn with this script's colour texture.

  bump_lighting.py texture OUT.bmp     writes that colour texture
  bump_lighting.py judge PNG MAP.ppm   prints the measures of PNG as JSON; exits 0 when the normal
                                       map MAP (the run folder's, as `dot3bump-assets decode`
                                       gives it) explains the sphere's lighting clearly best, 1
                                       when it does not (with the reason), 2 when the picture
                                       shows too little of the sphere to tell

The texture's red is its texel column, its green its texel row (from the bottom, as texture
coordinate v runs), its blue full. Lit per pixel, a pixel's blue is then the lighting term itself,
and red / blue and green / blue name the texel it shows whatever the sphere's spin, so the normal N
of the map there is known: read from the map as the program's own decoder gives it, not
derived again from whatever it was made of. The light vector is one per face, (a, b, c) in the face's tangent basis, so between
neighbouring pixels of a face the lighting changes by a dNx + b dNy + c dNz. In each small block
of pixels (a, b, c) is fitted under three hypotheses, the map as made, the same with its green
flipped, and a flat map, and what each leaves unexplained is summed. Flipping green flips b, so
the fit alone cannot tell the first two apart; the sphere can. On a sphere c = n.L grows towards
the light, so b, the light's part along v, has the sign of c's growth along v, which the lighting
of the flat texels of neighbouring blocks shows. Each fit is held to that sign.
"""
import json
import math
import struct
import subprocess
import sys

sys.dont_write_bytecode = True  # no compiled picture.py left in the source tree
from picture import SPHERE, load  # noqa: E402

SIZE = 256  # texels, both ways, of the colour texture and of the normal map

# Pixels: a block's side. Its texel coordinates are then one plane, and a block mostly lies on one
# face: the sphere's triangles are about 13 pixels across.
BLOCK = 8
# Blue (the lighting) below this is background, a multisampled silhouette, or lighting clamped at
# zero or close to it, where one level of red is five texels or more.
MIN_LIGHT = 48
# Texels: how far a block's texel coordinates may stray from one plane. Reading them off 8-bit
# colours strays about half a texel; a block across the texture's wrap (texel 255 beside texel 0)
# strays by tens.
PLANE_RMS = 2.0
# Neighbouring pixels whose normals differ this much (the square of the change in Nx and Ny: a
# turn of about 6 degrees) see a slope of a bump. Pixel pairs are compared, not pixels, so that
# the lighting of a face cancels; the pairs on the flat tops of the hexagons say nothing of
# the map and are left out.
PAIR_MIN = 0.01
# A pair that no hypothesis explains within this (6 grey levels, against quantisation's half a
# level) straddles two faces, whose light vectors differ; it is left out of every fit.
OUTLIER = 6 / 255
# A block is fitted when it holds this many pairs on slopes.
MIN_PAIRS = 12
# Texels whose normal leans less than about 6 degrees: their lighting is close to the face's c.
FLAT_NZ = 0.995
# Pixels: the blocks around a block whose c show how c changes along v there.
NEIGHBOURHOOD = 24
# c's change along v, per texel, below which its sign is not trusted: measured changes run to
# 0.01, and fall to nothing around the point that faces the light.
MIN_SLOPE = 0.001
# The picture shows enough of the sphere when this many blocks are fitted.
MIN_BLOCKS = 40
# The map as made must leave at most this share of what each other hypothesis leaves unexplained.
# Measured on 40 pictures each, over 45 s of the sphere's spin: the map as made leaves at most 0.31
# of the others'; with a flat map in the run folder it leaves 0.74 or more of a flat map's, with a
# map whose green is flipped 3.4 times or more of the flipped map's.
CLEARLY = 0.5

# Each hypothesis multiplies the map's normals, component by component; a flat map's normal is the
# same everywhere, so its changes are nought.
HYPOTHESES = {"map": (1, 1, 1), "green flipped": (1, -1, 1), "flat": (0, 0, 0)}


def write_texture(path):
    # Rows bottom first, each texel blue, green, red.
    rows = b"".join(bytes(c for x in range(SIZE) for c in (255, y, x)) for y in range(SIZE))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + rows)


def normal_map(path):
    """The unit normals the map holds, indexed [y * SIZE + x], y upward (texture coordinate v),
    from the program's own decoding of the bitmap it loads (`dot3bump-assets decode`, a PPM with
    its top row first): each component c stored as (c * 0.5 + 0.5) * 255."""
    data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                          capture_output=True).stdout
    assert len(data) == SIZE * SIZE * 3, f"{path} is not {SIZE} x {SIZE}"
    normals = [None] * (SIZE * SIZE)
    for row in range(SIZE):
        y = SIZE - 1 - row
        for x in range(SIZE):
            i = (row * SIZE + x) * 3
            n = [2 * data[i + k] / 255 - 1 for k in range(3)]
            length = math.sqrt(sum(c * c for c in n)) or 1
            normals[y * SIZE + x] = tuple(c / length for c in n)
    return normals


def sample(normals, x, y):
    """The map's normal at texel coordinates (x, y), texel centres at whole numbers, filtered
    linearly and repeated as the program's textures are."""
    x0, y0 = math.floor(x), math.floor(y)
    fx, fy = x - x0, y - y0
    x0, x1 = x0 % SIZE, (x0 + 1) % SIZE
    r0, r1 = y0 % SIZE * SIZE, (y0 + 1) % SIZE * SIZE
    a, b, c, d = normals[r0 + x0], normals[r0 + x1], normals[r1 + x0], normals[r1 + x1]
    return [(p * (1 - fx) + q * fx) * (1 - fy) + (r * (1 - fx) + s * fx) * fy
            for p, q, r, s in zip(a, b, c, d)]


def solve(matrix, vector):
    """Gaussian elimination; None when the system is singular."""
    n = len(vector)
    m = [list(row) + [v] for row, v in zip(matrix, vector)]
    for col in range(n):
        pivot = max(range(col, n), key=lambda r: abs(m[r][col]))
        if abs(m[pivot][col]) < 1e-9:
            return None
        m[col], m[pivot] = m[pivot], m[col]
        for r in range(col + 1, n):
            f = m[r][col] / m[col][col]
            for k in range(col, n + 1):
                m[r][k] -= f * m[col][k]
    out = [0.0] * n
    for r in reversed(range(n)):
        out[r] = (m[r][n] - sum(m[r][k] * out[k] for k in range(r + 1, n))) / m[r][r]
    return out


def plane(values, offsets, spread):
    """The least-squares plane through a block's values, at each of its pixels, and how far the
    values stray from it (root mean square)."""
    mean = sum(values) / len(values)
    gx = sum(v * ox for v, (ox, _) in zip(values, offsets)) / spread
    gy = sum(v * oy for v, (_, oy) in zip(values, offsets)) / spread
    fitted = [mean + gx * ox + gy * oy for ox, oy in offsets]
    return fitted, math.sqrt(sum((v - f) ** 2 for v, f in zip(values, fitted)) / len(values))


def read_block(data, normals, left, top):
    """The block at (left, top): its centre, the texel there, the mean lighting c of its flat
    texels (None when it has fewer than BLOCK of them) and its pixel pairs on slopes, each the
    change of the normal and the change of the lighting; None when the block cannot be read."""
    half = (BLOCK - 1) / 2
    offsets = [(x - half, y - half) for y in range(BLOCK) for x in range(BLOCK)]
    pixels = []
    for y in range(top, top + BLOCK):
        i = (y * data.width + left) * 3
        row = data[i:i + BLOCK * 3]
        pixels.extend(zip(row[0::3], row[1::3], row[2::3]))
    if min(b for _, _, b in pixels) < MIN_LIGHT:
        return None
    spread = sum(ox * ox for ox, _ in offsets)
    xs, x_rms = plane([255 * r / b for r, _, b in pixels], offsets, spread)
    ys, y_rms = plane([255 * g / b for _, g, b in pixels], offsets, spread)
    if max(x_rms, y_rms) > PLANE_RMS:
        return None
    ns = [sample(normals, x, y) for x, y in zip(xs, ys)]
    lights = [b / 255 for _, _, b in pixels]
    pairs = []
    for p in range(len(pixels)):
        right, below = p + 1, p + BLOCK
        for q in ([right] if right % BLOCK else []) + ([below] if below < len(pixels) else []):
            change = [ns[q][k] - ns[p][k] for k in range(3)]
            if change[0] ** 2 + change[1] ** 2 >= PAIR_MIN:
                pairs.append((change, lights[q] - lights[p]))
    flat = [light for light, n in zip(lights, ns) if n[2] >= FLAT_NZ]
    return {"x": left + half, "y": top + half, "X": sum(xs) / len(xs), "Y": sum(ys) / len(ys),
            "c": sum(flat) / len(flat) if len(flat) >= BLOCK else None, "pairs": pairs}


def wrapped(d):
    return (d + SIZE / 2) % SIZE - SIZE / 2


def slope_along_v(block, blocks):
    """How c changes per texel of v around the block: a plane through the neighbours' c over
    their texel coordinates; None when too few neighbours have one."""
    near = [b for b in blocks if b["c"] is not None and
            (b["x"] - block["x"]) ** 2 + (b["y"] - block["y"]) ** 2 <= NEIGHBOURHOOD ** 2]
    if len(near) < 5:
        return None
    rows = [(1.0, wrapped(b["X"] - block["X"]), wrapped(b["Y"] - block["Y"])) for b in near]
    m = [[sum(r[i] * r[j] for r in rows) for j in range(3)] for i in range(3)]
    fit = solve(m, [sum(r[i] * b["c"] for r, b in zip(rows, near)) for i in range(3)])
    return fit[2] if fit else None


def fit(pairs, scale, sign):
    """The light (a, b, c) that best explains the pairs' lighting changes from their normals'
    changes, each component of the normal multiplied by scale, with b of the given sign (or 0)."""
    columns = [k for k in range(3) if scale[k]]
    rows = [[change[k] * scale[k] for k in columns] for change, _ in pairs]
    m = [[sum(r[i] * r[j] for r in rows) for j in range(len(columns))] for i in range(len(columns))]
    v = [sum(r[i] * d for r, (_, d) in zip(rows, pairs)) for i in range(len(columns))]
    # A singular system (pairs all turning the same way) explains nothing.
    light = dict(zip(columns, solve(m, v) or [0.0] * len(columns)))
    if light.get(1, 0.0) * sign < 0:
        return fit(pairs, (scale[0], 0, scale[2]), sign)
    return [light.get(k, 0.0) for k in range(3)]


def unexplained(block, sign):
    """Per hypothesis, the sum of squares of the block's lighting changes that its best light
    leaves unexplained, over the pairs that one hypothesis or another explains."""
    lights = {name: fit(block["pairs"], scale, sign) for name, scale in HYPOTHESES.items()}

    def misses(pair, light, scale):
        change, d = pair
        return d - sum(change[k] * scale[k] * light[k] for k in range(3))

    kept = [p for p in block["pairs"]
            if min(abs(misses(p, lights[n], s)) for n, s in HYPOTHESES.items()) <= OUTLIER]
    sums = {}
    for name, scale in HYPOTHESES.items():
        light = fit(kept, scale, sign)
        sums[name] = sum(misses(p, light, scale) ** 2 for p in kept)
    return sums, len(kept)


def judge(png, normal_map_ppm):
    """The verdict on the picture (0, 1 or 2, as the command's exit status), its measures and
    the reason for a verdict other than 0."""
    data, normals = load(png), normal_map(normal_map_ppm)
    left, top, right, bottom = data.box(SPHERE)
    blocks = [read_block(data, normals, x, y) for y in range(top, bottom - BLOCK + 1, BLOCK)
              for x in range(left, right - BLOCK + 1, BLOCK)]
    blocks = [b for b in blocks if b]
    totals = dict.fromkeys(HYPOTHESES, 0.0)
    fitted = signed = pairs = 0
    for block in blocks:
        if len(block["pairs"]) < MIN_PAIRS:
            continue
        slope = slope_along_v(block, blocks)
        sign = 0 if slope is None or abs(slope) < MIN_SLOPE else math.copysign(1, slope)
        sums, kept = unexplained(block, sign)
        for name in HYPOTHESES:
            totals[name] += sums[name]
        fitted += 1
        signed += sign != 0
        pairs += kept
    rms = {name: 255 * math.sqrt(total / max(pairs, 1)) for name, total in totals.items()}
    measures = {"blocksRead": len(blocks), "blocksFitted": fitted, "blocksWithSlopeSign": signed,
                "pairs": pairs, "unexplainedLevels": rms}
    if fitted < MIN_BLOCKS:
        return 2, measures, f"only {fitted} blocks of the sphere show bumps that can be read"
    if rms["map"] <= CLEARLY * min(rms["green flipped"], rms["flat"]):
        return 0, measures, None
    fits = (f"over the map's slopes the lighting changes by {rms['flat']:.1f} grey levels (root "
            f"mean square), the map as made leaves {rms['map']:.1f} of that unexplained, the map "
            f"with its green flipped {rms['green flipped']:.1f}; the map as made must leave at "
            f"most {CLEARLY:.0%} of what a flat map and the flipped one leave")
    if rms["green flipped"] <= CLEARLY * min(rms["map"], rms["flat"]):
        return 1, measures, "the sphere is lit as by the normal map with its green flipped: " + fits
    return 1, measures, "the sphere's lighting does not follow the normal map: " + fits


def main():
    if sys.argv[1] == "texture":
        write_texture(sys.argv[2])
    elif sys.argv[1] == "judge":
        verdict, measures, reason = judge(sys.argv[2], sys.argv[3])
        print(json.dumps(measures))
        if verdict:
            print(reason, file=sys.stderr)
            sys.exit(verdict)


if __name__ == "__main__":
    main()
