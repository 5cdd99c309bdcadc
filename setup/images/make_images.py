#!/usr/bin/env python3
"""Draws the kit's bitmaps and icons into this folder.

The generated files are committed, so a build needs no Python; run this again only
after changing a drawing. Standard library only, and deterministic: the same script
always writes the same bytes, so a re-run shows up in git only when a drawing changed.

    banner.bmp      447 x 53, 8-bit palette: the strip at the top of every page
    picture.bmp     144 x 108, 8-bit palette: the quarry beside the licence text
    program.ico     the program files' own icon (32 and 16, 4-bit)
    page_large.ico  the pages' large window icon (32 at 4-bit and at 8-bit)
    page_small.ico  the pages' small window icon (32 and 16, 4-bit)
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------- raster

class Canvas:
    """Float RGB pixels with a coverage channel; shapes are anti-aliased by coverage."""

    def __init__(self, width, height):
        self.w = width
        self.h = height
        self.r = [0.0] * (width * height)
        self.g = [0.0] * (width * height)
        self.b = [0.0] * (width * height)
        self.a = [0.0] * (width * height)  # opacity, for the icons' masks

    def shade(self, colour_at):
        """Paints every pixel opaque with colour_at(x, y) taken at the pixel's centre."""
        for y in range(self.h):
            for x in range(self.w):
                self._blend(y * self.w + x, colour_at(x + 0.5, y + 0.5), 1.0)

    def _blend(self, i, colour, amount):
        keep = 1.0 - amount
        self.r[i] = self.r[i] * keep + colour[0] * amount
        self.g[i] = self.g[i] * keep + colour[1] * amount
        self.b[i] = self.b[i] * keep + colour[2] * amount
        self.a[i] = self.a[i] * keep + amount

    def coverage(self, contours, subrows=6):
        """Yields (index, fraction) of the pixels that the even-odd fill of contours touches.

        Scanline fill: several sample rows per pixel row, exact horizontal span overlap,
        which is enough anti-aliasing for shapes this small."""
        edges = []
        ys = []
        for contour in contours:
            for i, (x0, y0) in enumerate(contour):
                x1, y1 = contour[(i + 1) % len(contour)]
                ys.append(y0)
                if y0 != y1:
                    edges.append((x0, y0, x1, y1))
        if not edges:
            return
        top = max(0, int(math.floor(min(ys))))
        bottom = min(self.h, int(math.ceil(max(ys))))
        for py in range(top, bottom):
            row = {}
            for s in range(subrows):
                sy = py + (s + 0.5) / subrows
                xs = []
                for x0, y0, x1, y1 in edges:
                    if (y0 <= sy < y1) or (y1 <= sy < y0):
                        xs.append(x0 + (sy - y0) * (x1 - x0) / (y1 - y0))
                xs.sort()
                for xa, xb in zip(xs[0::2], xs[1::2]):
                    xa = max(xa, 0.0)
                    xb = min(xb, float(self.w))
                    for px in range(int(math.floor(xa)), int(math.ceil(xb))):
                        part = min(xb, px + 1) - max(xa, px)
                        if part > 0:
                            row[px] = row.get(px, 0.0) + part / subrows
            for px in sorted(row):
                yield py * self.w + px, min(row[px], 1.0)

    def fill(self, contours, colour, opacity=1.0):
        """Fills the shape; colour is an RGB triple or a function of the pixel centre."""
        for i, part in self.coverage(contours):
            c = colour(i % self.w + 0.5, i // self.w + 0.5) if callable(colour) else colour
            self._blend(i, c, part * opacity)

    def rect(self, x0, y0, x1, y1, colour):
        self.fill([[(x0, y0), (x1, y0), (x1, y1), (x0, y1)]], colour)

    def glow(self, cx, cy, radius, colour, strength):
        """Adds light that fades with distance, over whatever is already painted."""
        for y in range(self.h):
            for x in range(self.w):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / radius
                k = strength * math.exp(-d * d)
                if k > 0.002:
                    i = y * self.w + x
                    self.r[i] = min(255.0, self.r[i] + colour[0] * k)
                    self.g[i] = min(255.0, self.g[i] + colour[1] * k)
                    self.b[i] = min(255.0, self.b[i] + colour[2] * k)

    def pixels(self):
        """Colours as painted; a partly covered pixel keeps its shape's full colour, because
        an icon's mask shows it whole or not at all."""
        return [(int(round(r / a)), int(round(g / a)), int(round(b / a))) if 0 < a < 1
                else (int(round(r)), int(round(g)), int(round(b)))
                for r, g, b, a in zip(self.r, self.g, self.b, self.a)]


def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def ramp(stops, t):
    """Colour at t along [(t0, colour0), (t1, colour1), ...], t0 < t1 < ..."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def noise(n):
    """A fixed pseudo-random value in [0, 1) for an integer; the same on every run."""
    n = (n * 374761393 + 668265263) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((n ^ (n >> 16)) & 0xFFFF) / 65536.0


def ellipse(cx, cy, rx, ry, steps=72):
    return [(cx + rx * math.cos(2 * math.pi * k / steps),
             cy + ry * math.sin(2 * math.pi * k / steps)) for k in range(steps)]


def rounded_rect(x0, y0, x1, y1, radius, steps=8):
    points = []
    corners = [(x1 - radius, y0 + radius, -90), (x1 - radius, y1 - radius, 0),
               (x0 + radius, y1 - radius, 90), (x0 + radius, y0 + radius, 180)]
    for cx, cy, start in corners:
        for k in range(steps + 1):
            angle = math.radians(start + 90.0 * k / steps)
            points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def bar(p0, p1, width):
    """A straight stroke from p0 to p1 as a quadrilateral."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    return [(p0[0] + nx, p0[1] + ny), (p1[0] + nx, p1[1] + ny),
            (p1[0] - nx, p1[1] - ny), (p0[0] - nx, p0[1] - ny)]


def place(points, cx, cy, scale):
    return [(cx + x * scale, cy + y * scale) for x, y in points]


# A hovering kestrel seen from below: raised, pointed wings and a fanned tail. Right half,
# from the crown round to the tail's centre; the left half is its mirror image.
KESTREL_RIGHT = [
    (0.00, -0.30), (0.05, -0.28), (0.06, -0.20), (0.18, -0.21), (0.38, -0.28),
    (0.60, -0.36), (0.80, -0.40), (1.00, -0.40), (0.84, -0.33), (0.66, -0.25),
    (0.44, -0.13), (0.22, -0.03), (0.08, 0.06), (0.08, 0.20), (0.20, 0.50),
    (0.10, 0.56), (0.00, 0.57),
]
KESTREL = KESTREL_RIGHT + [(-x, y) for x, y in reversed(KESTREL_RIGHT[1:-1])]

# The same bird with broader wings, which stay legible at icon sizes.
KESTREL_BOLD_RIGHT = [
    (0.00, -0.32), (0.07, -0.30), (0.08, -0.22), (0.20, -0.25), (0.40, -0.33),
    (0.62, -0.42), (0.82, -0.46), (1.00, -0.46), (0.86, -0.34), (0.68, -0.22),
    (0.46, -0.08), (0.24, 0.04), (0.10, 0.10), (0.10, 0.20), (0.24, 0.50),
    (0.12, 0.56), (0.00, 0.57),
]
KESTREL_BOLD = KESTREL_BOLD_RIGHT + [(-x, y) for x, y in reversed(KESTREL_BOLD_RIGHT[1:-1])]


# ---------------------------------------------------------------- pixel font

# Square-cornered capitals, 5 x 7 cells, for titles drawn into the bitmaps.
FONT = {
    'A': ["#####", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'C': ["#####", "#....", "#....", "#....", "#....", "#....", "#####"],
    'D': ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    'E': ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    'F': ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    'I': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    'K': ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    'M': ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    'N': ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    'O': ["#####", "#...#", "#...#", "#...#", "#...#", "#...#", "#####"],
    'R': ["#####", "#...#", "#...#", "#####", "#.#..", "#..#.", "#...#"],
    'S': ["#####", "#....", "#....", "#####", "....#", "....#", "#####"],
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'U': ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#####"],
    'V': ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'X': ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    ' ': [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def text_width(text, cell, gap):
    return len(text) * 5 * cell + (len(text) - 1) * gap


def draw_text(canvas, text, x, y, cell, gap, colour, shadow=None):
    """Draws text cell by cell; colour may depend on the pixel (a gradient)."""
    layers = ([(1, shadow)] if shadow else []) + [(0, colour)]
    for offset, paint in layers:
        left = x + offset
        for ch in text:
            for row, line in enumerate(FONT[ch]):
                for col, mark in enumerate(line):
                    if mark == '#':
                        cx = left + col * cell
                        cy = y + offset + row * cell
                        canvas.rect(cx, cy, cx + cell, cy + cell, paint)
            left += 5 * cell + gap


# ---------------------------------------------------------------- colour reduction

def median_cut(counts, size):
    """Reduces {colour: count} to at most size colours, by count-weighted median cut."""
    boxes = [sorted(counts.items())]

    def spread(box):
        return max(max(c[0][k] for c in box) - min(c[0][k] for c in box) for k in range(3))

    while len(boxes) < size:
        candidates = [(spread(b) * math.sqrt(sum(n for _, n in b)), i)
                      for i, b in enumerate(boxes) if len(b) > 1]
        if not candidates:
            break
        _, pick = max(candidates)
        box = boxes.pop(pick)
        axis = max(range(3), key=lambda k: (
            max(c[0][k] for c in box) - min(c[0][k] for c in box), -k))
        box.sort(key=lambda c: (c[0][axis], c[0]))
        half = sum(n for _, n in box) / 2.0
        running = 0
        cut = 1
        for cut in range(1, len(box)):
            running += box[cut - 1][1]
            if running >= half:
                break
        boxes.append(box[:cut])
        boxes.append(box[cut:])
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(int(round(sum(c[k] * n for c, n in box) / total)) for k in range(3)))
    return sorted(set(palette), key=lambda c: (0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2], c))


def nearest_indices(pixels, palette):
    cache = {}
    out = []
    for p in pixels:
        index = cache.get(p)
        if index is None:
            # Green weighs most, as the eye sees it.
            index = min(range(len(palette)), key=lambda i: (
                2 * (palette[i][0] - p[0]) ** 2 + 4 * (palette[i][1] - p[1]) ** 2 +
                3 * (palette[i][2] - p[2]) ** 2, i))
            cache[p] = index
        out.append(index)
    return out


def reduce(canvas, size, reserve_black=False, opaque=None):
    """Palette (padded to size entries) and indices for the canvas.

    With reserve_black, entry 0 is black: the icons' transparent pixels use it, because
    Windows XORs the colour bitmap onto the screen where the mask lets it through."""
    pixels = canvas.pixels()
    counts = {}
    for i, p in enumerate(pixels):
        if opaque is None or opaque[i]:
            counts[p] = counts.get(p, 0) + 1
    palette = median_cut(counts, size - 1 if reserve_black else size)
    if reserve_black:
        palette = [(0, 0, 0)] + [c for c in palette if c != (0, 0, 0)]
    indices = nearest_indices(pixels, palette)
    if opaque is not None:
        indices = [index if opaque[i] else 0 for i, index in enumerate(indices)]
    palette = palette + [(0, 0, 0)] * (size - len(palette))
    return palette, indices


# ---------------------------------------------------------------- file formats

def bmp8(width, height, palette, indices):
    """A bottom-up, uncompressed 256-colour Windows bitmap."""
    stride = (width + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytes(indices[y * width:(y + 1) * width])
        rows.append(row + b'\0' * (stride - width))
    image = b''.join(rows)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(image),
                       2835, 2835, 256, 0)
    header = struct.pack('<2sIHHI', b'BM', offset + len(image), 0, 0, offset)
    return header + info + colours + image


def icon_image(size, bpp, palette, indices, opaque):
    """One icon image: its header, palette, colour bitmap and AND mask, all bottom-up."""
    stride = ((size * bpp + 31) // 32) * 4
    colour_rows = []
    mask_rows = []
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        line = indices[y * size:(y + 1) * size]
        if bpp == 4:
            packed = bytes((line[x] << 4) | line[x + 1] for x in range(0, size, 2))
        else:
            packed = bytes(line)
        colour_rows.append(packed + b'\0' * (stride - len(packed)))
        bits = bytearray(mask_stride)
        for x in range(size):
            if not opaque[y * size + x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(bits))
    colour = b''.join(colour_rows)
    mask = b''.join(mask_rows)
    # Height counts the colour bitmap and the mask together.
    info = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, bpp, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette[:1 << bpp])
    return info + colours + colour + mask


def ico(images):
    """An icon file from [(size, bpp, image bytes), ...]."""
    head = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    for size, bpp, data in images:
        entries += struct.pack('<BBBBHHII', size, size, 16 if bpp == 4 else 0, 0, 1, bpp,
                               len(data), offset)
        offset += len(data)
    return head + entries + b''.join(data for _, _, data in images)


def render_icon(draw, size, bpp):
    canvas = Canvas(size, size)
    draw(canvas, size)
    opaque = [a >= 0.5 for a in canvas.a]
    palette, indices = reduce(canvas, 1 << bpp, reserve_black=True, opaque=opaque)
    return size, bpp, icon_image(size, bpp, palette, indices, opaque)


# ---------------------------------------------------------------- drawings

DUSK = [(0.00, (22, 18, 54)), (0.40, (70, 38, 94)), (0.68, (158, 72, 98)),
        (0.86, (232, 130, 86)), (1.00, (252, 194, 116))]
GOLD_TOP = (255, 238, 176)
GOLD_BOTTOM = (236, 156, 64)
SILHOUETTE = (26, 16, 34)


def draw_banner():
    w, h = 447, 53
    horizon = 45.0
    c = Canvas(w, h)
    c.shade(lambda x, y: ramp(DUSK, y / horizon))
    # Stars only where the sky is still dark.
    for k in range(70):
        x = noise(2 * k) * w
        y = noise(2 * k + 1) * 24
        c.rect(int(x), int(y), int(x) + 1, int(y) + 1,
               mix(ramp(DUSK, y / horizon), (236, 226, 255), 0.75 - y / 40 + noise(999 + k) * 0.25))
    sun_x, sun_y = 286.0, 44.0
    c.glow(sun_x, sun_y, 60.0, (120, 70, 30), 0.55)
    c.fill([ellipse(sun_x, sun_y, 11.0, 11.0)],
           lambda x, y: mix((255, 244, 196), (255, 178, 92), (y - 33) / 22))

    far = [(0, h)] + [(x, 41.5 - 3.0 * math.sin(x / 37.0) - 1.6 * math.sin(x / 13.0 + 1.0))
                      for x in range(0, w + 1, 3)] + [(w, h)]
    c.fill([far], (116, 60, 102), 0.85)
    near = [(0, h)] + [(x, 46.5 - 2.0 * math.sin(x / 23.0 + 2.0) - 1.0 * math.sin(x / 7.0))
                       for x in range(0, w + 1, 3)] + [(w, h)]
    c.fill([near], (62, 34, 70))

    # The quarry face: benches cut in steps, rising to the right; each bench top catches
    # the last light.
    steps = [(300, 44), (318, 38), (338, 32), (360, 27), (384, 23), (410, 21)]
    face = [(282, h), (292, 48)]
    for x, y in steps:
        face += [(x - 3, y + 5), (x, y)]
    face += [(w, 20), (w, h)]

    def rock(x, y):
        streak = noise(int(x / 2)) * 10 - 5
        return mix((52, 30, 62), (78, 44, 80), (y - 18) / 40 + streak / 40)
    c.fill([face], rock)
    for x, y in steps:
        c.fill([[(x, y - 0.2), (x + 22, y - 0.2), (x + 22, y + 1.0), (x, y + 1.0)]],
               (196, 104, 96), 0.8)

    # A winding tower over the shafts, on the top bench.
    tower = SILHOUETTE
    c.fill([bar((420, 21), (426, 5), 1.3)], tower)
    c.fill([bar((434, 21), (428, 5), 1.3)], tower)
    c.fill([bar((421, 14), (433, 14), 1.0)], tower)
    c.fill([ellipse(427, 5, 3.2, 3.2), ellipse(427, 5, 2.0, 2.0)], tower)

    c.fill([place(KESTREL, 362.0, 13.0, 17.0)], SILHOUETTE)

    c.rect(0, 51, w, h, (30, 18, 38))

    title = "KESTREVANE"
    gold = lambda x, y: mix(GOLD_TOP, GOLD_BOTTOM, (y - 9) / 21)
    draw_text(c, title, 16, 9, 3, 3, gold, shadow=(18, 10, 30))
    subtitle = "A DEUS EX MODIFICATION"
    sub_w = text_width(subtitle, 1, 2)
    title_w = text_width(title, 3, 3)
    draw_text(c, subtitle, 16 + (title_w - sub_w) // 2, 36, 1, 2, (226, 196, 220))
    palette, indices = reduce(c, 256)
    return bmp8(w, h, palette, indices)


def draw_picture():
    w, h = 144, 108
    horizon = 46.0
    c = Canvas(w, h)
    c.shade(lambda x, y: ramp(DUSK, y / horizon))
    for k in range(24):
        x = noise(500 + 2 * k) * w
        y = noise(501 + 2 * k) * 18
        c.rect(int(x), int(y), int(x) + 1, int(y) + 1,
               mix(ramp(DUSK, y / horizon), (236, 226, 255), 0.6))
    c.glow(118, 44, 26, (130, 80, 30), 0.6)
    c.fill([ellipse(118, 44, 8.0, 8.0)],
           lambda x, y: mix((255, 244, 196), (255, 178, 92), (y - 36) / 16))

    # The far rim, with a line of trees on its left.
    rim = ([(0, 48), (0, 42.5)] +
           [(x, 42.5 - 1.2 * math.sin(x / 9.0)) for x in range(0, w + 1, 4)] + [(w, 48)])
    c.fill([rim], (74, 42, 78))
    for k in range(9):
        x = 4 + k * 6 + noise(40 + k) * 3
        top = 33 + noise(60 + k) * 5
        c.fill([[(x - 3.2, 43.5), (x, top), (x + 3.2, 43.5)]], (48, 28, 56))

    # The pit: benches in steps down to the water. The left wall faces the setting sun.
    levels, rise, inset, slant = 4, 11, 10, 6
    c.fill([[(0, 47), (w, 47), (w, h), (0, h)]],
           lambda x, y: mix((84, 52, 84), (34, 20, 44),
                            (y - 47) / 60 + (noise(int(x) * 7 + int(y)) - 0.5) * 0.08))
    for k in range(levels):
        top = 48 + k * rise
        left, right = 4 + k * inset, 140 - k * inset
        shade = k / levels

        def wall(x, y, left=left, right=right, shade=shade):
            across = (x - left) / (right - left)
            lit = mix((210, 128, 98), (136, 84, 100), across * 2.2)
            shadowed = mix(lit, (62, 40, 78), (across - 0.55) * 2.6)
            streak = (noise(int(x) + 31 * int(y / 3)) - 0.5) * 0.12
            return mix(shadowed, (40, 24, 52), shade * 0.5 + streak)
        c.fill([[(left, top), (right, top),
                 (right - slant, top + rise - 3), (left + slant, top + rise - 3)]], wall)
        c.fill([[(left + slant, top + rise - 3), (right - slant, top + rise - 3),
                 (right - inset, top + rise), (left + inset, top + rise)]],
               mix((220, 156, 130), (104, 74, 100), shade))
        c.fill([[(left - 1, top - 0.8), (right + 1, top - 0.8), (right, top), (left, top)]],
               (236, 170, 120), 0.7)
    water_top = 48 + levels * rise
    water_l, water_r = 4 + levels * inset, 140 - levels * inset
    pool = [(water_l, water_top), (water_r, water_top), (water_r - 8, h - 5), (water_l + 8, h - 5)]
    c.fill([pool], lambda x, y: ramp(DUSK, 1.0 - (y - water_top) / 24.0))
    for k in range(4):
        y = water_top + 2 + k * 3
        x = 96 - k * 2 + (noise(80 + k) - 0.5) * 4
        c.rect(int(x - 7 + k), int(y), int(x + 7 - k), int(y) + 1, (255, 214, 150))
    # The near edge, dark against the pit.
    edge = [(0, h), (0, h - 6)] + [(x, h - 5 - 1.5 * math.sin(x / 7.0) - noise(x) * 1.5)
                                   for x in range(0, w + 1, 2)] + [(w, h)]
    c.fill([edge], (30, 18, 38))

    # The winding tower over the old shaft, on the far rim.
    t = SILHOUETTE
    c.fill([bar((18, 44), (27, 19), 1.6)], t)
    c.fill([bar((38, 44), (29, 19), 1.6)], t)
    c.fill([bar((21, 35), (35, 35), 1.2)], t)
    c.fill([bar((24, 27), (32, 27), 1.2)], t)
    c.fill([ellipse(28, 18, 5.0, 5.0), ellipse(28, 18, 3.4, 3.4)], t)
    c.fill([bar((28, 18), (46, 44), 0.7)], t)

    c.fill([place(KESTREL, 92.0, 19.0, 13.0)], SILHOUETTE)
    palette, indices = reduce(c, 256)
    return bmp8(w, h, palette, indices)


def draw_monogram(c, size):
    """The program icon: a gold K whose upper arm sweeps out like a kestrel's wing."""
    s = float(size)
    badge = rounded_rect(0.03 * s, 0.03 * s, 0.97 * s, 0.97 * s, 0.2 * s)
    c.fill([badge], (250, 206, 128))
    inner = rounded_rect(0.09 * s, 0.09 * s, 0.91 * s, 0.91 * s, 0.15 * s)
    c.fill([inner], lambda x, y: ramp(DUSK, 0.05 + 0.6 * y / s))
    gold = lambda x, y: mix(GOLD_TOP, GOLD_BOTTOM, y / s)
    c.fill([[(0.24 * s, 0.2 * s), (0.42 * s, 0.2 * s), (0.42 * s, 0.8 * s), (0.24 * s, 0.8 * s)]],
           gold)
    wing = [(0.42 * s, 0.47 * s), (0.60 * s, 0.30 * s), (0.84 * s, 0.14 * s),
            (0.74 * s, 0.30 * s), (0.79 * s, 0.29 * s), (0.66 * s, 0.43 * s), (0.42 * s, 0.66 * s)]
    c.fill([wing], gold)
    c.fill([[(0.46 * s, 0.52 * s), (0.58 * s, 0.45 * s), (0.80 * s, 0.80 * s), (0.62 * s, 0.80 * s)]],
           gold)


def draw_hover(c, size):
    """The pages' icon: a kestrel hovering against the low sun."""
    s = float(size)
    c.fill([ellipse(0.5 * s, 0.56 * s, 0.40 * s, 0.40 * s)],
           lambda x, y: mix((255, 232, 150), (222, 92, 58), (y / s - 0.18) / 0.8))
    c.fill([place(KESTREL_BOLD, 0.5 * s, 0.48 * s, 0.47 * s)], SILHOUETTE)


def main():
    outputs = {
        'banner.bmp': draw_banner(),
        'picture.bmp': draw_picture(),
        'program.ico': ico([render_icon(draw_monogram, 32, 4), render_icon(draw_monogram, 16, 4)]),
        'page_large.ico': ico([render_icon(draw_hover, 32, 4), render_icon(draw_hover, 32, 8)]),
        'page_small.ico': ico([render_icon(draw_hover, 32, 4), render_icon(draw_hover, 16, 4)]),
    }
    for name, data in outputs.items():
        with open(os.path.join(HERE, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
