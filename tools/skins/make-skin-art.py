#!/usr/bin/python3
# Draws the skin pictures in data/: the default skin (interface.bmp and the seven transport buttons),
# the "nuit" skin in data/skins/nuit/, and the two small pictures of the panel's round buttons.
# Run by hand from anywhere when the art changes (it needs python3-pil); the pictures it writes are
# committed, so building never runs it. The drawing is deterministic: the same script gives the same
# bytes.
import math
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
DATA = os.path.join(ROOT, "data")
FONTS = "/usr/share/fonts/truetype/dejavu"

FACE_SIZE = (302, 121)
# Where the panel lays its status display and its buttons over the face.
STATUS_BOX = (18, 23, 265, 58)
BUTTON_ROW = (89, 114)
QUIT_STAR = (280, 5, 13, 15)

WHITE = (255, 255, 255)
MAGENTA = (255, 0, 255)
BLACK = (0, 0, 0)

# Transport buttons: file name, size, glyph.
BUTTONS = [
    ("prec.bmp", (32, 22), "previous"),
    ("remb.bmp", (26, 23), "rewind"),
    ("pause.bmp", (26, 23), "pause"),
    ("lect.bmp", (27, 22), "play"),
    ("stop.bmp", (28, 23), "stop"),
    ("av.bmp", (26, 23), "forward"),
    ("suiv.bmp", (31, 23), "next"),
]

SUPER = 4  # supersampling factor for shapes


def clamp(v, lo=0, hi=255):
    return max(lo, min(hi, int(round(v))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# ---------------------------------------------------------------------------------------------
# Noise

class ValueNoise:
    """Smooth 2-D value noise on a lattice, fixed by its seed."""

    def __init__(self, seed, size=64):
        rng = random.Random(seed)
        self.size = size
        self.grid = [[rng.random() for _ in range(size)] for _ in range(size)]

    def at(self, x, y):
        n = self.size
        x0, y0 = math.floor(x), math.floor(y)
        fx, fy = x - x0, y - y0
        sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        g = self.grid
        a = g[y0 % n][x0 % n]
        b = g[y0 % n][(x0 + 1) % n]
        c = g[(y0 + 1) % n][x0 % n]
        d = g[(y0 + 1) % n][(x0 + 1) % n]
        top = a + (b - a) * sx
        bottom = c + (d - c) * sx
        return top + (bottom - top) * sy

    def fbm(self, x, y, octaves=5):
        total, amplitude, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += amplitude * self.at(x, y)
            norm += amplitude
            x, y, amplitude = x * 2.03, y * 2.03, amplitude * 0.5
        return total / norm


# ---------------------------------------------------------------------------------------------
# The face's outline: a rounded rectangle described by its signed distance

def rounded_distance(px, py, w, h, r):
    """Signed distance from (px, py) to the edge of the rectangle 0..w x 0..h with corners of
    radius r: negative inside."""
    qx = abs(px - w / 2) - (w / 2 - r)
    qy = abs(py - h / 2) - (h / 2 - r)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r


def edge_light(px, py, w, h, r):
    """How much the edge near (px, py) faces a light from the upper left: 1 facing it, -1 away."""
    e = 0.5
    gx = rounded_distance(px + e, py, w, h, r) - rounded_distance(px - e, py, w, h, r)
    gy = rounded_distance(px, py + e, w, h, r) - rounded_distance(px, py - e, w, h, r)
    length = math.hypot(gx, gy) or 1.0
    return (-gx - gy) / (length * math.sqrt(2))


class Face:
    """A face picture being drawn: colours inside a rounded rectangle, the key colour outside."""

    def __init__(self, radius, key):
        self.w, self.h = FACE_SIZE
        self.radius = radius
        self.key = key
        self.pixels = [[(0.0, 0.0, 0.0)] * self.w for _ in range(self.h)]

    def depth(self, x, y):
        """Distance of the pixel's centre inside the edge (negative outside)."""
        return -rounded_distance(x + 0.5, y + 0.5, self.w, self.h, self.radius)

    def inside(self, x, y):
        return self.depth(x, y) > 0

    def fill(self, colour_at):
        for y in range(self.h):
            for x in range(self.w):
                self.pixels[y][x] = colour_at(x, y)

    def shade_edge(self, rim, rim_width, bevel_width, bevel_strength):
        """Darkens (or tints) a rim along the outline and lights a bevel inside it."""
        for y in range(self.h):
            for x in range(self.w):
                t = self.depth(x, y)
                if t <= 0:
                    continue
                c = self.pixels[y][x]
                if t < rim_width + bevel_width:
                    light = edge_light(x + 0.5, y + 0.5, self.w, self.h, self.radius)
                    fade = 1 - max(0.0, t - rim_width) / bevel_width
                    c = tuple(v + bevel_strength * light * fade for v in c)
                if t < rim_width + 1:
                    c = mix(c, rim, min(1.0, rim_width + 1 - t))
                self.pixels[y][x] = c

    def frame(self, box, outer_dark, outer_light, inner_dark, inner_light):
        """A two-pixel sunken frame just outside box (x, y, w, h)."""
        x, y, w, h = box
        for ring, (dark, light) in enumerate(((outer_dark, outer_light), (inner_dark, inner_light))):
            left, top = x - 2 + ring, y - 2 + ring
            right, bottom = x + w + 1 - ring, y + h + 1 - ring
            for i in range(left, right + 1):
                self.pixels[top][i] = dark
                self.pixels[bottom][i] = light
            for j in range(top, bottom + 1):
                self.pixels[j][left] = dark
                self.pixels[j][right] = light
            self.pixels[bottom][left] = mix(dark, light, 0.5)
            self.pixels[top][right] = mix(dark, light, 0.5)

    def image(self, limit):
        """The picture: every inside channel kept to `limit` at most so that no inside pixel can
        equal the key colour, and the key colour exactly everywhere outside."""
        img = Image.new("RGB", FACE_SIZE)
        data = []
        for y in range(self.h):
            for x in range(self.w):
                if self.inside(x, y):
                    data.append(tuple(clamp(v, 0, limit) for v in self.pixels[y][x]))
                else:
                    data.append(self.key)
        img.putdata(data)
        return img

    def load(self, img):
        """Takes back the colours of a picture drawn over with Pillow."""
        for y in range(self.h):
            for x in range(self.w):
                self.pixels[y][x] = img.getpixel((x, y))


def draw_title(face, text, font_file, size, origin, colour, shadow, glow=None):
    """Writes the product's name on the face, antialiased over what is there."""
    img = face.image(255)
    font = ImageFont.truetype(os.path.join(FONTS, font_file), size)
    if glow is not None:
        layer = Image.new("L", FACE_SIZE, 0)
        ImageDraw.Draw(layer).text(origin, text, font=font, fill=255)
        layer = layer.filter(ImageFilter.GaussianBlur(2.2))
        img = Image.composite(Image.new("RGB", FACE_SIZE, glow), img, layer.point(lambda v: v * 0.8))
    draw = ImageDraw.Draw(img)
    draw.text((origin[0] + 1, origin[1] + 1), text, font=font, fill=shadow)
    draw.text(origin, text, font=font, fill=colour)
    face.load(img)


def in_box(x, y, box, margin=0):
    bx, by, bw, bh = box
    return bx - margin <= x < bx + bw + margin and by - margin <= y < by + bh + margin


# ---------------------------------------------------------------------------------------------
# Default face: grey marble

def marble_face():
    face = Face(radius=14, key=WHITE)
    veins = ValueNoise(1301)
    clouds = ValueNoise(77)
    calm_top, calm_bottom = BUTTON_ROW[0] - 4, BUTTON_ROW[1] + 4

    def colour(x, y):
        turbulence = veins.fbm(x / 38.0, y / 38.0)
        wave = math.sin((x * 0.045 + y * 0.11 + turbulence * 7.5))
        vein = (1 - abs(wave)) ** 5          # thin dark veins where the wave crosses zero
        cloud = clouds.fbm(x / 60.0, y / 60.0, 4)
        lighting = 14 * (1 - y / FACE_SIZE[1])
        grey = 128 + 70 * cloud + lighting - 62 * vein
        if calm_top <= y <= calm_bottom or in_box(x, y, QUIT_STAR, 3):
            # under the buttons: the same stone, quieter
            grey = mix((grey,) * 3, (140 + 40 * cloud + lighting,) * 3, 0.65)[0]
        return (grey - 2, grey, grey + 4)

    face.fill(colour)
    face.frame(STATUS_BOX, (92, 94, 98), (226, 228, 232), (118, 120, 124), (198, 200, 204))
    face.shade_edge(rim=(74, 76, 80), rim_width=1.2, bevel_width=4.0, bevel_strength=38)
    draw_title(face, "Vistrel", "DejaVuSerif-BoldItalic.ttf", 16, (18, 2),
               colour=(200, 22, 26), shadow=(70, 40, 40))
    return face.image(250)


# ---------------------------------------------------------------------------------------------
# "nuit" face: night blue with a cyan rim

def night_face():
    face = Face(radius=18, key=MAGENTA)
    aurora = ValueNoise(2024)
    stars = random.Random(9)
    star_map = {}
    for _ in range(70):
        x, y = stars.randrange(FACE_SIZE[0]), stars.randrange(FACE_SIZE[1])
        star_map[(x, y)] = stars.uniform(0.25, 0.8)

    def colour(x, y):
        t = y / FACE_SIZE[1]
        base = mix((16, 28, 62), (6, 10, 30), t)
        band = aurora.fbm(x / 70.0, y / 30.0, 4)
        glow = max(0.0, band - 0.45) * 2.2 * (1 - t)
        c = mix(base, (20, 110, 150), min(0.55, glow))
        busy = in_box(x, y, STATUS_BOX, 4) or BUTTON_ROW[0] - 3 <= y <= BUTTON_ROW[1] + 3 \
            or in_box(x, y, QUIT_STAR, 3)
        if (x, y) in star_map and not busy:
            c = mix(c, (200, 230, 255), star_map[(x, y)])
        return c

    face.fill(colour)
    face.frame(STATUS_BOX, (4, 8, 22), (40, 150, 190), (10, 18, 40), (24, 90, 130))
    face.shade_edge(rim=(40, 200, 235), rim_width=1.0, bevel_width=3.0, bevel_strength=26)
    draw_title(face, "Vistrel", "DejaVuSans-BoldOblique.ttf", 15, (18, 3),
               colour=(110, 235, 255), shadow=(4, 20, 40), glow=(20, 110, 160))
    return face.image(250)


# ---------------------------------------------------------------------------------------------
# Transport glyphs, drawn as polygons in a box and shaded from a height map

def glyph_polygons(kind, w, h, glyph_h):
    """The glyph's polygons, centred in a w x h picture, glyph_h pixels high."""
    gh = glyph_h
    top = (h - gh) / 2
    bottom = top + gh
    mid = (top + bottom) / 2
    tri = gh * 0.62       # width of one arrowhead of a double arrow
    bar = max(3.0, gh * 0.24)

    def centred(width):
        return (w - width) / 2

    if kind == "play":
        width = gh * 0.88
        x0 = centred(width) + 1
        return [[(x0, top), (x0 + width, mid), (x0, bottom)]]
    if kind == "pause":
        bw, gap = gh * 0.38, gh * 0.26
        x0 = centred(2 * bw + gap)
        return [rect(x0, top, bw, gh), rect(x0 + bw + gap, top, bw, gh)]
    if kind == "stop":
        side = gh * 0.9
        return [rect(centred(side), mid - side / 2, side, side)]
    if kind in ("forward", "rewind"):
        x0 = centred(2 * tri)
        polys = [[(x0 + i * tri, top), (x0 + (i + 1) * tri, mid), (x0 + i * tri, bottom)] for i in (0, 1)]
        return polys if kind == "forward" else mirror(polys, w)
    if kind in ("next", "previous"):
        gap = 1.0
        x0 = centred(2 * tri + gap + bar)
        polys = [[(x0 + i * tri, top), (x0 + (i + 1) * tri, mid), (x0 + i * tri, bottom)] for i in (0, 1)]
        polys.append(rect(x0 + 2 * tri + gap, top, bar, gh))
        return polys if kind == "next" else mirror(polys, w)
    raise ValueError(kind)


def rect(x, y, w, h):
    return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]


def mirror(polys, w):
    return [[(w - x, y) for x, y in poly] for poly in polys]


def shape_mask(size, polys, rounded_box=None):
    """Coverage of the polygons (or of a rounded box (x, y, w, h, r)) at four times the size."""
    w, h = size
    big = Image.new("L", (w * SUPER, h * SUPER), 0)
    draw = ImageDraw.Draw(big)
    for poly in polys:
        draw.polygon([(x * SUPER, y * SUPER) for x, y in poly], fill=255)
    if rounded_box is not None:
        x, y, bw, bh, r = rounded_box
        draw.rounded_rectangle([x * SUPER, y * SUPER, (x + bw) * SUPER - 1, (y + bh) * SUPER - 1],
                               radius=r * SUPER, fill=255)
    return big


def shaded_layer(big, size, blur):
    """Per pixel: covered or not (half coverage or more), and the light of a bevel from the upper
    left taken from the blurred shape."""
    w, h = size
    cover = big.resize(size, Image.BOX)
    height = big.filter(ImageFilter.GaussianBlur(blur * SUPER)).resize(size, Image.BOX)
    inside = [[cover.getpixel((x, y)) >= 128 for x in range(w)] for y in range(h)]

    def hv(x, y):
        x, y = min(max(x, 0), w - 1), min(max(y, 0), h - 1)
        return height.getpixel((x, y)) / 255.0

    light = [[(hv(x + 1, y + 1) - hv(x - 1, y - 1)) for x in range(w)] for y in range(h)]
    return inside, light


def on_edge(inside, x, y):
    h, w = len(inside), len(inside[0])
    for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)):
        nx, ny = x + dx, y + dy
        if not (0 <= nx < w and 0 <= ny < h) or not inside[ny][nx]:
            return True
    return False


def chrome_button(size, kind):
    """Default skin: a light metal glyph with a dark grey outline and a small shadow to its lower
    right, on the black key."""
    w, h = size
    glyph_h = 16
    polys = glyph_polygons(kind, w, h, glyph_h)
    inside, light = shaded_layer(shape_mask(size, polys), size, 1.0)
    top = (h - glyph_h) / 2
    img = Image.new("RGB", size, BLACK)
    for y in range(h):
        for x in range(w):
            if not inside[y][x]:
                if x > 0 and y > 0 and inside[y - 1][x - 1]:
                    img.putpixel((x, y), (58, 58, 62))
                continue
            if on_edge(inside, x, y):
                c = (44, 46, 52)
            else:
                t = min(1.0, max(0.0, (y + 0.5 - top) / glyph_h))
                grey = 246 - 96 * t + 170 * light[y][x]
                c = (grey - 4, grey, grey + 6)
            img.putpixel((x, y), tuple(clamp(v, 20, 250) for v in c))
    return img


def amber_button(size, kind):
    """"nuit" skin: an amber glyph on a small night-blue key cap with a cyan top edge."""
    w, h = size
    cap = (2, 1, w - 4, h - 2, 6)
    cap_inside, cap_light = shaded_layer(shape_mask(size, [], cap), size, 1.5)
    glyph_h = 11
    polys = glyph_polygons(kind, w, h, glyph_h)
    glyph_inside, glyph_light = shaded_layer(shape_mask(size, polys), size, 0.8)
    top = (h - glyph_h) / 2
    img = Image.new("RGB", size, BLACK)
    for y in range(h):
        for x in range(w):
            if not cap_inside[y][x]:
                continue
            t = y / h
            if on_edge(cap_inside, x, y):
                c = (60, 200, 230) if cap_light[y][x] > 0.02 else (22, 40, 80)
            else:
                c = mix((36, 54, 104), (20, 28, 62), t)
                c = tuple(v + 90 * cap_light[y][x] for v in c)
            if glyph_inside[y][x]:
                g = min(1.0, max(0.0, (y + 0.5 - top) / glyph_h))
                c = mix((255, 214, 110), (236, 120, 16), g)
                c = tuple(v + 140 * glyph_light[y][x] for v in c)
            elif near(glyph_inside, x, y):
                c = mix(c, (150, 80, 20), 0.55)   # a soft amber glow round the glyph
            img.putpixel((x, y), tuple(clamp(v, 20, 250) for v in c))
    return img


def near(inside, x, y):
    h, w = len(inside), len(inside[0])
    return any(0 <= x + dx < w and 0 <= y + dy < h and inside[y + dy][x + dx]
               for dx in (-1, 0, 1) for dy in (-1, 0, 1))


# ---------------------------------------------------------------------------------------------
# The round buttons' small pictures (black is their transparent colour)

def fullscreen_picture():
    """13 x 11: a screen frame whose four corners carry arrows pointing outwards."""
    rows = [
        "OOOOOOOOOOOOO",
        "O...........O",
        "O.AAA...AAA.O",
        "O.AA.....AA.O",
        "O.A.A...A.A.O",
        "O...........O",
        "O.A.A...A.A.O",
        "O.AA.....AA.O",
        "O.AAA...AAA.O",
        "O...........O",
        "OOOOOOOOOOOOO",
    ]
    palette = {"O": (36, 40, 52), "A": (24, 30, 110), ".": (170, 214, 250)}
    return pixel_art(rows, palette)


def skinedit_picture():
    """13 x 13: a painter's palette with four dabs of colour and its thumb hole."""
    rows = [
        "____OOOOO____",
        "__OOwwwwwOO__",
        "_OwwRRwwwwwO_",
        "_OwwRRwwBBwO_",
        "OwwwwwwwBBwwO",
        "Ow__wwwwwwwwO",
        "Ow__wwwwwGGwO",
        "OwwwwwwwwGGwO",
        "_OwwwwwwwwwO_",
        "_OwYYwwwwOO__",
        "__OYYwwwO____",
        "___OOOOO_____",
        "_____________",
    ]
    palette = {"O": (70, 44, 20), "w": (222, 176, 112), "R": (214, 30, 30), "B": (30, 70, 220),
               "G": (30, 160, 50), "Y": (245, 210, 30), "_": BLACK}
    return pixel_art(rows, palette)


def pixel_art(rows, palette):
    img = Image.new("RGB", (len(rows[0]), len(rows)), BLACK)
    for y, row in enumerate(rows):
        assert len(row) == len(rows[0]), row
        for x, ch in enumerate(row):
            img.putpixel((x, y), palette[ch])
    return img


# ---------------------------------------------------------------------------------------------
# Checks and output

def check_face(img, key, radius):
    w, h = img.size
    for y in range(h):
        for x in range(w):
            outside = rounded_distance(x + 0.5, y + 0.5, w, h, radius) >= 0
            pixel = img.getpixel((x, y))
            if outside != (pixel == key):
                sys.exit(f"face pixel ({x}, {y}) is {pixel}: the key colour must mark exactly the outside")
    for corner in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        assert img.getpixel(corner) == key


def check_button(img, size):
    assert img.size == size, (img.size, size)
    pixels = list(img.getdata())
    assert pixels[0] == BLACK, "the corners of a button picture are transparent"
    assert any(p != BLACK for p in pixels), "a button picture shows something"
    for p in pixels:
        assert p == BLACK or min(p) >= 20, f"near-black glyph pixel {p}"


def save(img, *path):
    target = os.path.join(DATA, *path)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    img.save(target, format="BMP")   # RGB images are written as 24-bit uncompressed bitmaps
    print(target)


def main():
    face = marble_face()
    check_face(face, WHITE, 14)
    save(face, "interface.bmp")
    night = night_face()
    check_face(night, MAGENTA, 18)
    save(night, "skins", "nuit", "interface.bmp")
    for name, size, kind in BUTTONS:
        chrome = chrome_button(size, kind)
        check_button(chrome, size)
        save(chrome, name)
        amber = amber_button(size, kind)
        check_button(amber, size)
        save(amber, "skins", "nuit", name)
    save(fullscreen_picture(), "fullscreen.bmp")
    save(skinedit_picture(), "skinedit.bmp")


if __name__ == "__main__":
    main()
