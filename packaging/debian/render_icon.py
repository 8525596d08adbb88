"""Renders the program's icon, a brick sphere lit per pixel through a bump map, as the program
lights its own sphere, into an RGBA PNG of SIZE x SIZE pixels. The PNGs beside this script were
made with it; run it again only to change the design:

    python3 render_icon.py 48 dot3bump-48.png && python3 render_icon.py 256 dot3bump-256.png
"""
import math
import struct
import sys
import zlib

ROWS, BRICKS_PER_ROW = 7, 12     # courses from pole to pole, bricks around the equator
MORTAR = 0.09                    # half the mortar's width, in brick heights
RELIEF = 0.8                     # how steeply the brick edges fall into the mortar
TILT = -0.35                     # radians the north pole leans towards the viewer
MORTAR_COLOUR = (0.62, 0.60, 0.56)
LIGHT = (-0.45, 0.55, 0.70)      # towards the light: upper left, in front
SAMPLES = 4                      # per side of each pixel, for smooth edges


def normalize(v):
    length = math.sqrt(sum(c * c for c in v))
    return tuple(c / length for c in v)


def height(lon, lat):
    """1 on a brick's face, falling to 0 in the mortar; in brick heights, on the unrolled
    sphere."""
    row_position = (lat / math.pi + 0.5) * ROWS
    row = math.floor(row_position)
    across = (lon / (2 * math.pi)) * BRICKS_PER_ROW + (0.5 if row % 2 else 0.0)
    # Bricks are twice as long as they are high.
    d = min(row_position - row, row + 1 - row_position,
            2 * (across - math.floor(across)), 2 * (math.floor(across) + 1 - across))
    return min(1.0, max(0.0, (d - MORTAR) / MORTAR))


def brick_colour(lon, lat):
    row = math.floor((lat / math.pi + 0.5) * ROWS)
    column = math.floor(lon / (2 * math.pi) * BRICKS_PER_ROW + (0.5 if row % 2 else 0.0))
    shade = 0.85 + 0.15 * ((row * 7 + column * 13) % 5) / 4
    return (0.72 * shade, 0.27 * shade, 0.17 * shade)


def turn(v, angle):
    """v turned by angle about the x axis."""
    x, y, z = v
    return (x, y * math.cos(angle) - z * math.sin(angle), y * math.sin(angle) + z * math.cos(angle))


def shade(x, y, light):
    """The colour at (x, y) of the unit disc, y up, or None outside the sphere."""
    r2 = x * x + y * y
    if r2 >= 1:
        return None
    view = (x, y, math.sqrt(1 - r2))
    # The sphere leans its north pole towards the viewer, so that the courses curve.
    model = turn(view, TILT)
    lon, lat = math.atan2(model[0], model[2]), math.asin(max(-1.0, min(1.0, model[1])))
    step = 1e-3
    h = height(lon, lat)
    dh_east = (height(lon + step, lat) - h) / step / max(math.cos(lat), 0.05)
    dh_north = (height(lon, lat + step) - h) / step
    east = turn((math.cos(lon), 0.0, -math.sin(lon)), -TILT)
    north = turn((-math.sin(lat) * math.sin(lon), math.cos(lat), -math.sin(lat) * math.cos(lon)),
                 -TILT)
    normal = normalize(tuple(n - RELIEF / ROWS * (dh_east * e + dh_north * b)
                             for n, e, b in zip(view, east, north)))
    diffuse = max(0.0, sum(n * l for n, l in zip(normal, light)))
    half = normalize((light[0], light[1], light[2] + 1))
    specular = 0.35 * max(0.0, sum(n * c for n, c in zip(normal, half))) ** 30
    colour = brick_colour(lon, lat) if h > 0.5 else MORTAR_COLOUR
    return tuple(min(1.0, c * (0.12 + 0.88 * diffuse) + specular) for c in colour)


def render(size):
    light = normalize(LIGHT)
    radius = 0.47 * size
    rows = []
    for j in range(size):
        row = bytearray([0])  # PNG filter: none
        for i in range(size):
            total, covered = [0.0, 0.0, 0.0], 0
            for sj in range(SAMPLES):
                for si in range(SAMPLES):
                    x = (i + (si + 0.5) / SAMPLES - size / 2) / radius
                    y = (size / 2 - j - (sj + 0.5) / SAMPLES) / radius
                    colour = shade(x, y, light)
                    if colour:
                        covered += 1
                        total = [t + c for t, c in zip(total, colour)]
            alpha = covered / SAMPLES ** 2
            rgb = [round(255 * t / covered) if covered else 0 for t in total]
            row += bytes(rgb + [round(255 * alpha)])
        rows.append(bytes(row))
    return rows


def write_png(path, size, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    size = int(sys.argv[1])
    write_png(sys.argv[2], size, render(size))
