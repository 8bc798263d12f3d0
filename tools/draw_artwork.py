#!/usr/bin/env python3
"""Draws the installer's artwork: the splash picture and the two icons.

    draw_artwork.py <folder>

writes splash.bmp (348 x 85, 16 colours, run-length coded), vantrel.ico
(the program icon: 32 x 32 and 16 x 16, each at 16 and 256 colours) and
page.ico (the pages' window icon: 32 x 32 and 16 x 16 at 16 colours, 32 x 32
at 256 colours).
Everything is drawn here from code and written byte by byte, so the same
script always gives the same files.
"""

import math
import os
import struct
import sys

# The standard 16-colour palette, in the order Windows gives it.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, TEAL, SILVER, GRAY = (0, 0, 0), (0, 0, 128), (0, 128, 128), (192, 192, 192), (128, 128, 128)
RED, YELLOW, BLUE, AQUA, WHITE = (255, 0, 0), (255, 255, 0), (0, 0, 255), (0, 255, 255), (255, 255, 255)
GREEN = (0, 128, 0)

# A 5 x 7 pixel font, only the letters the pictures need.
GLYPHS = {
    "V": "#...# #...# #...# #...# .#.#. .#.#. ..#..",
    "a": "..... ..... .###. ....# .#### #...# .####",
    "n": "..... ..... ####. #...# #...# #...# #...#",
    "t": ".#... .#... ####. .#... .#... .#..# ..##.",
    "r": "..... ..... #.##. ##..# #.... #.... #....",
    "e": "..... ..... .###. #...# ##### #.... .###.",
    "l": "#.... #.... #.... #.... #.... #.... .##..",
    "U": "#...# #...# #...# #...# #...# #...# .###.",
    "i": ".#... ..... ##... .#... .#... .#... ###..",
    "v": "..... ..... #...# #...# #...# .#.#. ..#..",
    "s": "..... ..... .#### #.... .###. ....# ####.",
    "I": "###.. .#... .#... .#... .#... .#... ###..",
    "f": "..##. .#..# .#... ###.. .#... .#... .#...",
    "o": "..... ..... .###. #...# #...# #...# .###.",
    "P": "####. #...# #...# ####. #.... #.... #....",
    "m": "..... ..... ##.#. #.#.# #.#.# #.#.# #.#.#",
    "O": ".###. #...# #...# #...# #...# #...# .###.",
    "S": ".#### #.... #.... .###. ....# ....# ####.",
    "1": ".#... ##... .#... .#... .#... .#... ###..",
    "0": ".###. #...# #..## #.#.# ##..# #...# .###.",
    "2": ".###. #...# ....# ...#. ..#.. .#... #####",
    ".": "..... ..... ..... ..... ..... ##... ##...",
}


class Canvas:
    """An RGB picture; None marks a transparent pixel."""

    def __init__(self, width, height, fill=None):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle from (x0, y0) to (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def bevel(self, x0, y0, x1, y1, light, shade):
        """A raised edge: light on the top and left, shade on the bottom and right."""
        self.rect(x0, y0, x1 - 1, y0, light)
        self.rect(x0, y0, x0, y1 - 1, light)
        self.rect(x0 + 1, y1, x1, y1, shade)
        self.rect(x1, y0 + 1, x1, y1, shade)

    def disc(self, cx, cy, radius, colour):
        for y in range(int(cy - radius) - 1, int(cy + radius) + 2):
            for x in range(int(cx - radius) - 1, int(cx + radius) + 2):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                    self.put(x, y, colour)

    def triangle(self, a, b, c, colour):
        def side(p, q, x, y):
            return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
        xs, ys = [a[0], b[0], c[0]], [a[1], b[1], c[1]]
        for y in range(int(min(ys)) - 1, int(max(ys)) + 2):
            for x in range(int(min(xs)) - 1, int(max(xs)) + 2):
                px, py = x + 0.5, y + 0.5
                d = (side(a, b, px, py), side(b, c, px, py), side(c, a, px, py))
                if all(v >= 0 for v in d) or all(v <= 0 for v in d):
                    self.put(x, y, colour)

    def text(self, x, y, words, scale, colour_at_row, shadow=None):
        """Draws pixel text; colour_at_row gives the colour of each glyph row."""
        for ch in words:
            if ch == " ":
                x += 3 * scale
                continue
            rows = GLYPHS[ch].split()
            width = max(r.rfind("#") for r in rows) + 1
            for ry, row in enumerate(rows):
                for rx, bit in enumerate(row):
                    if bit != "#":
                        continue
                    left, top = x + rx * scale, y + ry * scale
                    if shadow:
                        self.rect(left + shadow[0], top + shadow[1],
                                  left + shadow[0] + scale - 1, top + shadow[1] + scale - 1, shadow[2])
                    self.rect(left, top, left + scale - 1, top + scale - 1, colour_at_row(ry))
            x += (width + 1) * scale
        return x


def sync_arrows(canvas, cx, cy, radius, thickness, upper, lower, head):
    """Two arcs chasing each other round a circle, each ending in an arrow
    head, as the sign of a handheld being synchronised."""
    inner, outer = radius - thickness / 2, radius + thickness / 2
    for y in range(int(cy - outer) - 1, int(cy + outer) + 2):
        for x in range(int(cx - outer) - 1, int(cx + outer) + 2):
            dx, dy = x + 0.5 - cx, cy - (y + 0.5)
            if not inner <= math.hypot(dx, dy) <= outer:
                continue
            angle = math.degrees(math.atan2(dy, dx)) % 360
            if 35 <= angle <= 170:
                canvas.put(x, y, upper)
            elif 215 <= angle <= 350:
                canvas.put(x, y, lower)
    # Heads point clockwise: down at the right end of the upper arc, up at
    # the left end of the lower one.
    for angle, colour in ((35, upper), (215, lower)):
        a = math.radians(angle)
        ex, ey = cx + radius * math.cos(a), cy - radius * math.sin(a)
        nx, ny = math.cos(a), -math.sin(a)          # outward
        tx, ty = math.sin(a), math.cos(a)           # clockwise tangent
        canvas.triangle((ex + nx * head, ey + ny * head), (ex - nx * head, ey - ny * head),
                        (ex + tx * head * 1.3, ey + ty * head * 1.3), colour)


def handheld(canvas, x0, y0, x1, y1, palette):
    """A handheld computer: body, screen with icons, writing area, buttons."""
    body, light, shade, bezel, lcd, ink = palette
    canvas.rect(x0 + 1, y0, x1 - 1, y1, BLACK)
    canvas.rect(x0, y0 + 1, x1, y1 - 1, BLACK)
    canvas.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, body)
    canvas.bevel(x0 + 1, y0 + 1, x1 - 1, y1 - 1, light, shade)
    width, height = x1 - x0, y1 - y0
    # Screen: the bezel, then the display with a title bar and icons.
    sx0, sy0, sx1 = x0 + width // 7 + 1, y0 + height // 10, x1 - width // 7 - 1
    sy1 = sy0 + (sx1 - sx0) * 11 // 10
    canvas.rect(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1, bezel)
    canvas.rect(sx0, sy0, sx1, sy1, lcd)
    if sx1 - sx0 >= 14:
        canvas.rect(sx0 + 1, sy0 + 1, sx0 + (sx1 - sx0) // 2, sy0 + 2, ink)
        step = (sx1 - sx0) // 3
        for row in range(2):
            for col in range(3):
                ix, iy = sx0 + 2 + col * step, sy0 + 5 + row * (step + 1)
                if iy + step - 3 < sy1:
                    canvas.frame(ix, iy, ix + step - 4, iy + step - 4, ink)
    else:
        canvas.rect(sx0 + 1, sy0 + 1, sx1 - 2, sy0 + 1, ink)
        canvas.rect(sx0 + 1, sy0 + 3, sx1 - 3, sy0 + 3, ink)
    # Writing area below the screen, then the row of buttons.
    gy0 = sy1 + max(2, height // 20)
    gy1 = gy0 + max(2, height // 8)
    if gy1 < y1 - 4:
        canvas.frame(sx0 - 1, gy0, sx1 + 1, gy1, bezel)
        third = (sx1 - sx0 + 2) // 3
        canvas.rect(sx0 - 1 + third, gy0, sx0 - 1 + third, gy1, bezel)
        canvas.rect(sx1 + 1 - third, gy0, sx1 + 1 - third, gy1, bezel)
    by = (gy1 + y1) / 2 if gy1 < y1 - 4 else y1 - 3
    r = max(1.0, width / 14)
    for i, fx in enumerate((0.17, 0.37, 0.63, 0.83)):
        bx = x0 + width * fx
        canvas.disc(bx, by, r, shade if i in (1, 2) else bezel)


def splash():
    """The splash picture, in palette indices of VGA16."""
    width, height = 348, 85
    canvas = Canvas(width, height)
    # Background: blue fading to black, by ordered dithering as the era's
    # 16-colour setup screens did.
    bayer = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
    stops = [BLUE, NAVY, BLACK]
    for y in range(height):
        for x in range(width):
            t = (x / (width - 1)) * (len(stops) - 1)
            i = min(int(t), len(stops) - 2)
            frac = t - i
            colour = stops[i + 1] if frac * 16 > bayer[y % 4][x % 4] + 0.5 else stops[i]
            canvas.put(x, y, colour)
    handheld(canvas, 18, 6, 64, 78, (SILVER, WHITE, GRAY, GRAY, (0, 128, 128), BLACK))
    sync_arrows(canvas, 96, 42, 16, 5, YELLOW, RED, 6)
    title = "Vantrel"
    gradient = lambda row: WHITE if row < 4 else AQUA
    end = canvas.text(132, 10, title, 4, gradient, shadow=(2, 2, BLACK))
    canvas.text(end + 6, 28, "1.02", 2, lambda row: YELLOW, shadow=(1, 1, BLACK))
    canvas.rect(132, 46, 336, 46, TEAL)
    canvas.rect(132, 47, 336, 47, BLACK)
    canvas.text(132, 55, "Universal Installer for PalmOS", 1, lambda row: SILVER)
    return canvas


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def program_icon(size, rich):
    """The program's icon: a handheld with the sync arrows at its foot."""
    canvas = Canvas(size, size)
    body = ((200, 200, 208), (248, 248, 248), (112, 112, 120), (72, 72, 80), (156, 180, 140), (24, 40, 24)) \
        if rich else (SILVER, WHITE, GRAY, GRAY, (0, 128, 128), BLACK)
    if size == 32:
        handheld(canvas, 4, 1, 21, 30, body)
        canvas.disc(23, 23, 8.5, WHITE if not rich else (240, 240, 240))
        canvas.disc(23, 23, 7.5, WHITE if not rich else (250, 250, 250))
        sync_arrows(canvas, 23, 23, 5.0, 2.0, (208, 32, 32) if rich else RED,
                    (32, 80, 208) if rich else BLUE, 3.2)
    else:
        handheld(canvas, 2, 0, 11, 15, body)
        canvas.disc(11.5, 11.5, 4.5, WHITE)
        sync_arrows(canvas, 11.5, 11.5, 3, 1.6, (208, 32, 32) if rich else RED,
                    (32, 80, 208) if rich else BLUE, 1.8)
    return canvas


def page_icon(size, rich):
    """The pages' icon: a handheld receiving a file, a green arrow above it."""
    canvas = Canvas(size, size)
    body = ((200, 200, 208), (248, 248, 248), (112, 112, 120), (72, 72, 80), (156, 180, 140), (24, 40, 24)) \
        if rich else (SILVER, WHITE, GRAY, GRAY, (0, 128, 128), BLACK)
    arrow = (40, 168, 40) if rich else GREEN
    if size == 32:
        handheld(canvas, 9, 8, 26, 31, body)
        canvas.rect(2, 0, 6, 10, BLACK)
        canvas.rect(3, 1, 5, 10, arrow)
        canvas.triangle((-1, 10), (10, 10), (4.5, 17), BLACK)
        canvas.triangle((1, 11), (8, 11), (4.5, 15.5), arrow)
    else:
        handheld(canvas, 5, 4, 14, 15, body)
        canvas.rect(1, 0, 3, 5, BLACK)
        canvas.rect(2, 0, 2, 5, arrow)
        canvas.triangle((-0.5, 5), (5.5, 5), (2.5, 9), BLACK)
        canvas.triangle((0.5, 5.5), (4.5, 5.5), (2.5, 8), arrow)
    return canvas


def rows_bottom_up(indices, width, bits):
    """Packs palette indices into bottom-up rows padded to four bytes."""
    out = bytearray()
    per_byte = 8 // bits
    for row in reversed(indices):
        packed = bytearray()
        for x in range(0, width, per_byte):
            value = 0
            for k in range(per_byte):
                value = (value << bits) | (row[x + k] if x + k < width else 0)
            packed.append(value)
        while len(packed) % 4:
            packed.append(0)
        out += packed
    return bytes(out)


def palette_bytes(palette, count):
    out = bytearray()
    for r, g, b in palette + [(0, 0, 0)] * (count - len(palette)):
        out += bytes((b, g, r, 0))
    return bytes(out)


def info_header(width, height, bits, image_size, compression=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, image_size, 0, 0, 0, 0)


def rle4_row(row):
    """The shortest BI_RLE4 coding of one row, found by dynamic programming.
    A run (count, two colours) draws up to 255 pixels alternating between
    its two colours, which suits the dithered background; a literal
    (0, count, packed pixels) carries 3 to 255 pixels padded to a 16-bit
    boundary. The delta escape is never used: it leaves pixels undefined."""
    n = len(row)
    best = [(0, 0, None)] + [None] * n  # best[i]: (bytes, start, kind) for pixels [0, i)
    for i in range(1, n + 1):
        choices = []
        # A run ending at i, as long as the pixels keep alternating.
        for start in range(i - 1, max(-1, i - 256), -1):
            if i - start > 2 and row[start] != row[start + 2]:
                break
            choices.append((best[start][0] + 2, start, "run"))
        for start in range(max(0, i - 255), i - 2):
            length = i - start
            cost = 2 + (length + 3) // 4 * 2
            choices.append((best[start][0] + cost, start, "literal"))
        best[i] = min(choices)
    pieces, i = [], n
    while i:
        _, start, kind = best[i]
        pixels = row[start:i]
        if kind == "run":
            second = pixels[1] if len(pixels) > 1 else pixels[0]
            pieces.append(bytes((len(pixels), pixels[0] << 4 | second)))
        else:
            packed = bytearray()
            for x in range(0, len(pixels), 2):
                packed.append(pixels[x] << 4 | (pixels[x + 1] if x + 1 < len(pixels) else 0))
            if len(packed) % 2:
                packed.append(0)
            pieces.append(bytes((0, len(pixels))) + packed)
        i = start
    return b"".join(reversed(pieces))


def write_bmp(path, canvas):
    """A 16-colour bitmap, BI_RLE4 compressed: a third of its plain size."""
    indices = [[nearest(c, VGA16) for c in row] for row in canvas.pixels]
    rows = [rle4_row(row) for row in reversed(indices)]
    pixels = b"\0\0".join(rows) + b"\0\1"  # end of line between rows, end of bitmap
    offset = 14 + 40 + 16 * 4
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset))
        f.write(info_header(canvas.width, canvas.height, 4, len(pixels), compression=2))
        f.write(palette_bytes(VGA16, 16))
        f.write(pixels)


def icon_image(canvas, bits):
    """One icon image: header, palette, colour bits, then the transparency mask."""
    size = canvas.width
    if bits == 4:
        palette = VGA16
    else:
        extra = []
        for row in canvas.pixels:
            for c in row:
                if c is not None and c not in VGA16 and c not in extra:
                    extra.append(c)
        palette = VGA16 + extra
    indices = [[0 if c is None else nearest(c, palette) for c in row] for row in canvas.pixels]
    mask = [[1 if c is None else 0 for c in row] for row in canvas.pixels]
    colour = rows_bottom_up(indices, size, bits)
    and_mask = rows_bottom_up(mask, size, 1)
    return (info_header(size, size * 2, bits, len(colour) + len(and_mask))
            + palette_bytes(palette, 1 << bits) + colour + and_mask)


def write_ico(path, images):
    """images: (canvas, bits per pixel) pairs, in directory order."""
    blobs = [icon_image(canvas, bits) for canvas, bits in images]
    offset = 6 + 16 * len(images)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        for (canvas, bits), blob in zip(images, blobs):
            colours = 16 if bits == 4 else 0
            f.write(struct.pack("<BBBBHHII", canvas.width, canvas.height, colours, 0, 1, bits, len(blob), offset))
            offset += len(blob)
        for blob in blobs:
            f.write(blob)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: draw_artwork.py <folder>\n")
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    write_bmp(os.path.join(folder, "splash.bmp"), splash())
    write_ico(os.path.join(folder, "vantrel.ico"), [
        (program_icon(32, False), 4), (program_icon(16, False), 4),
        (program_icon(32, True), 8), (program_icon(16, True), 8)])
    write_ico(os.path.join(folder, "page.ico"), [
        (page_icon(32, False), 4), (page_icon(16, False), 4), (page_icon(32, True), 8)])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
