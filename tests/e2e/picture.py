"""Measures the program's screenshots (800x600, or other sizes: the regions scale with the picture)
so the end-to-end tests can say what they show.

  picture.py frame PNG        succeeds when the picture is a frame of the program: its overlay
                              shows the capability lines in colour and the key help in white
  picture.py measure PNG      prints the measures as JSON
  picture.py expect KEY JSON  checks that the measures fit what key KEY (1 to 6) promises
  picture.py bumps NAME JSON  checks that the model NAME (cube or sphere) shows a bumps-only
                              picture: grey, and not flat
  picture.py tinted COLOUR JSON  checks that both models are drawn in a texture of COLOUR (red,
                              green or blue): that channel leads the others by 20 levels
  picture.py agree A B        checks that two measures (the Linux and the Windows build, same
                              key) agree within the tolerances stated below
  picture.py lacking KEY RED M  checks a frame of a driver that lacks capabilities: the
                              capability lines named in RED (comma-separated, from
                              CAPABILITY_LINES; "-" for none) red and the others green, and the
                              rest as key KEY promises

The models spin and the two builds' fonts differ, so the measures are coarse on purpose: how
much of each model's region is covered, the mean colour there (its hue and its brightness), the
overlay's colours, and the gap between the words of its first capability line.
"""
import json
import re
import subprocess
import sys

# Where the models and the overlay appear, as fractions of the picture's width and height:
# measured on 800x600, the cube centred near x 245, the sphere near x 606, both on the horizontal
# centre line, well inside the overlay's text.
CUBE = (150 / 800, 170 / 600, 340 / 800, 430 / 600)  # left, top, right, bottom
SPHERE = (500 / 800, 190 / 600, 712 / 800, 410 / 600)
CAPABILITIES = (0, 30 / 600, 330 / 800, 165 / 600)  # lines 2 to 7, left
KEY_HELP = (660 / 800, 15 / 600, 1, 165 / 600)  # "Keys:" and six lines, right


class Picture(bytes):
    """A screenshot's pixels, R, G, B, top row first, with its `width` and `height`."""

    def box(self, region):
        """A region's pixels: left, top, right, bottom."""
        left, top, right, bottom = region
        return (round(left * self.width), round(top * self.height), round(right * self.width),
                round(bottom * self.height))


def load(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    # The header is four fields, each followed by one white-space byte; the pixels start right
    # after the fourth, whatever bytes they begin with.
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
    assert header, path
    picture = Picture(ppm[header.end():])
    picture.width, picture.height = int(header[1]), int(header[2])
    return picture


def pixels(data, box):
    left, top, right, bottom = box
    for y in range(top, bottom):
        row = y * data.width * 3
        for x in range(left, right):
            i = row + x * 3
            yield data[i], data[i + 1], data[i + 2]


def region(data, box):
    lit = [p for p in pixels(data, box) if max(p) > 24]
    area = (box[2] - box[0]) * (box[3] - box[1])
    mean = [sum(p[c] for p in lit) / len(lit) if lit else 0.0 for c in range(3)]
    grey = sum(max(p) - min(p) for p in lit) / len(lit) if lit else 0.0
    brightness = [sum(p) / 3 for p in lit]
    level = sum(brightness) / len(lit) if lit else 0.0
    variation = (sum((b - level) ** 2 for b in brightness) / len(lit)) ** 0.5 if lit else 0.0
    return {"coverage": len(lit) / area, "mean": mean, "spread": grey, "variation": variation}


# Text is drawn in pure colours without blending; a spinning model that strays into a text box
# is textured and never pure, so it is not taken for text.
def text_colour(pixel):
    r, g, b = pixel
    if g > 245 and r < 10 and b < 10:
        return "green"
    if r > 245 and g < 10 and b < 10:
        return "red"
    if min(r, g, b) > 245:
        return "white"
    return None


def text_colours(data, box):
    counts = {"green": 0, "red": 0, "white": 0}
    for pixel in pixels(data, box):
        colour = text_colour(pixel)
        if colour:
            counts[colour] += 1
    return counts


def capability_text(pixel):
    return text_colour(pixel) in ("green", "red")


# The widest run of columns without text between the first and the last letter of the first
# capability line, "VBO supported", in pixels: the space between its two words.
def word_gap(data):
    left, top, right, bottom = data.box(CAPABILITIES)
    rows = {y for y in range(top, bottom)
            if any(map(capability_text, pixels(data, (left, y, right, y + 1))))}
    if not rows:
        return 0
    first = last = min(rows)
    while last + 1 in rows:
        last += 1
    columns = [x for x in range(left, right)
               if any(map(capability_text, pixels(data, (x, first, x + 1, last + 1))))]
    return max((b - a - 1 for a, b in zip(columns, columns[1:])), default=0)


def measure(path):
    data = load(path)
    return {"cube": region(data, data.box(CUBE)), "sphere": region(data, data.box(SPHERE)),
            "capabilities": text_colours(data, data.box(CAPABILITIES)),
            "keyHelp": text_colours(data, data.box(KEY_HELP)), "wordGap": word_gap(data),
            "capabilityLines": capability_line_colours(data)}


def frame(path):
    data = load(path)
    caps, keys = text_colours(data, data.box(CAPABILITIES)), text_colours(data, data.box(KEY_HELP))
    if caps["green"] + caps["red"] < 200 or keys["white"] < 200:
        fail(f"not a frame of the program yet: capabilities {caps}, key help {keys}")


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


# Lit per pixel, the sphere darkens towards its rim; unlit it shows its colour texture's mean.
# Measured on both builds, whatever the spin: a mean brightness (the sum of the three channels)
# of about 225 lit and 315 unlit.
LIT_SPHERE_BRIGHTNESS = 270


# Measured on both builds' faces at the overlay's 15 px: the letters of a word are at most 3 px
# apart, the two words of "VBO supported" 6 px and more.
WORD_GAP = 5


def expect(key, m, lines_judged=False):
    # Keys are pressed in order, so 4, 5 and 6 come after 3 and show both models; 1, 2 and 3 come
    # before 4, with colours and bumps both drawn.
    shown = {"1": ("cube",), "2": ("sphere",)}.get(key, ("cube", "sphere"))
    for name in ("cube", "sphere"):
        coverage = m[name]["coverage"]
        if name in shown and coverage < 0.15:
            fail(f"key {key}: the {name} should be drawn, its region is {coverage:.0%} covered")
        if name not in shown and coverage > 0.002:
            fail(f"key {key}: the {name} should be hidden, its region is {coverage:.1%} covered")
    for name in shown:
        r, g, b = m[name]["mean"]
        spread = m[name]["spread"]
        if key == "4" and spread > 12:
            fail(f"key 4: bumps only should be grey, the {name} differs by {spread:.0f} levels")
        if key in ("1", "2", "3", "5", "6") and not (r > g + 20 and r > b + 20):
            fail(f"key {key}: the {name} should show the red bricks, its mean is {r:.0f} {g:.0f} {b:.0f}")
        lit = r + g + b < LIT_SPHERE_BRIGHTNESS
        if name == "sphere" and key in ("2", "3", "6") and not lit:
            fail(f"key {key}: the sphere should be lit, its mean brightness is {r + g + b:.0f}")
        if name == "sphere" and key == "5" and lit:
            fail(f"key 5: the sphere should be unlit, its mean brightness is {r + g + b:.0f}")
    caps, keys = m["capabilities"], m["keyHelp"]
    # Unless each line's colour was judged already, every capability line must be green.
    red = 0 if lines_judged else caps["red"]
    if caps["green"] + caps["red"] - red < 200 or red > 0 or caps["white"] > 0:
        fail(f"the capability lines should all be green: {caps}")
    if keys["white"] < 200 or keys["green"] + keys["red"] > 0:
        fail(f"the key help should be white: {keys}")
    if m["wordGap"] < WORD_GAP:
        fail(f'"VBO supported" runs its words together: its widest gap is {m["wordGap"]} px, '
             f"a space leaves {WORD_GAP} or more")


# Lit per pixel through a bumpy normal map, a model's grey levels vary by far more than this.
FLAT_VARIATION = 8


def bumps(name, m):
    coverage, spread, variation = (m[name][k] for k in ("coverage", "spread", "variation"))
    if coverage < 0.05:
        fail(f"the {name} should be drawn, its region is {coverage:.1%} covered")
    if spread > 12:
        fail(f"bumps only should be grey, the {name} differs by {spread:.0f} levels")
    if variation < FLAT_VARIATION:
        fail(f"the {name} is flat grey: its brightness varies by {variation:.1f} levels only")


def tinted(colour, m):
    channel = ("red", "green", "blue").index(colour)
    for name in ("cube", "sphere"):
        mean, coverage = m[name]["mean"], m[name]["coverage"]
        others = max(c for i, c in enumerate(mean) if i != channel)
        if coverage < 0.15 or mean[channel] < others + 20:
            fail(f"the {name} is not drawn {colour}: covered {coverage:.0%}, mean colour "
                 f"{' '.join(f'{c:.0f}' for c in mean)}")


# Linux and Windows draw the same scene through different drivers and fonts, and the models'
# spin phases differ between the two runs. A model's silhouette fills between about half and
# nine tenths of its box as it turns, and its brightness follows its faces' angle to the light;
# its hue does not, because the lighting scales red, green and blue alike.
COVERAGE_TOLERANCE = 0.3    # absolute difference of a region's covered fraction
SHARE_TOLERANCE = 0.05      # difference of each channel's share of a region's mean colour
BRIGHTNESS_RATIO = 0.6      # the dimmer region's mean brightness against the brighter one's


def agree(a, b):
    for name in ("cube", "sphere"):
        ca, cb = a[name]["coverage"], b[name]["coverage"]
        if abs(ca - cb) > COVERAGE_TOLERANCE or (ca > 0.002) != (cb > 0.002):
            fail(f"{name} coverage differs: {ca:.2f} against {cb:.2f}")
        if ca > 0.05 and cb > 0.05:
            sa, sb = sum(a[name]["mean"]), sum(b[name]["mean"])
            if min(sa, sb) < BRIGHTNESS_RATIO * max(sa, sb):
                fail(f"{name} brightness differs: {sa / 3:.0f} against {sb / 3:.0f}")
            for channel, (x, y) in enumerate(zip(a[name]["mean"], b[name]["mean"])):
                if abs(x / sa - y / sb) > SHARE_TOLERANCE:
                    fail(f"{name} hue differs in channel {channel}: {a[name]['mean']} against "
                         f"{b[name]['mean']}")
    for part, colour in (("capabilities", "green"), ("keyHelp", "white")):
        for each in (colour, "red"):
            if (a[part][each] > 0) != (b[part][each] > 0):
                fail(f"the {part} colours differ in {each}: {a[part]} against {b[part]}")


# The overlay's capability lines, top to bottom.
CAPABILITY_LINES = ("vbo", "multisample", "multitexture", "cubemap", "combine", "dot3")


# The colour of each capability line, top to bottom: a line is a run of rows that hold
# capability text, and the lines are apart by more than a row.
def capability_line_colours(data):
    left, top, right, bottom = data.box(CAPABILITIES)
    lines, last_row = [], None
    for y in range(top, bottom):
        counts = text_colours(data, (left, y, right, y + 1))
        if counts["green"] + counts["red"] == 0:
            continue
        if last_row != y - 1:
            lines.append({"green": 0, "red": 0})
        last_row = y
        for colour in ("green", "red"):
            lines[-1][colour] += counts[colour]
    return ["mixed" if line["green"] and line["red"] else "red" if line["red"] else "green"
            for line in lines]


def lacking(key, red, m):
    red = set() if red == "-" else set(red.split(","))
    if not red <= set(CAPABILITY_LINES):
        fail(f"unknown capability lines {sorted(red - set(CAPABILITY_LINES))}")
    colours = m["capabilityLines"]
    if len(colours) != len(CAPABILITY_LINES):
        fail(f"{len(CAPABILITY_LINES)} capability lines expected, {len(colours)} found: {colours}")
    for name, colour in zip(CAPABILITY_LINES, colours):
        wanted = "red" if name in red else "green"
        if colour != wanted:
            fail(f"the {name} line should be {wanted}, it is {colour}: {colours}")
    expect(key, m, lines_judged=True)


def measures(path):
    return json.loads(open(path).read())


# Each command with the checks of its arguments, the last one a measures file where it takes one.
COMMANDS = {
    "frame": (frame, 1),
    "measure": (lambda path: print(json.dumps(measure(path))), 1),
    "expect": (lambda key, path: expect(key, measures(path)), 2),
    "bumps": (lambda name, path: bumps(name, measures(path)), 2),
    "tinted": (lambda colour, path: tinted(colour, measures(path)), 2),
    "agree": (lambda a, b: agree(measures(a), measures(b)), 2),
    "lacking": (lambda key, red, path: lacking(key, red, measures(path)), 3),
}


def main():
    command = COMMANDS.get(sys.argv[1] if len(sys.argv) > 1 else None)
    if command is None or len(sys.argv) != 2 + command[1]:
        sys.exit(f"usage: picture.py {' | '.join(COMMANDS)} ARGS... (see the top of the file); "
                 f"given: {' '.join(sys.argv[1:])}")
    command[0](*sys.argv[2:])


if __name__ == "__main__":
    main()
