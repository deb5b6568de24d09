#!/usr/bin/env python3
"""Writes Lumenfold's icons into res/icons/.

program.ico      the tray and window icon: three overlapping panes, one per
                 desktop, at 32x32 and 16x16 in 16 colours.
digit0..9.ico    black digits on white for the tray, drawn in the left 16
                 columns of a 32x32 image; only that half is ever used, so
                 the right half stays plain white.
canvas.ico       a blank, fully opaque white 32x32 image.

The files are generated rather than drawn by hand so that they can be
reviewed as text and rebuilt exactly.  Re-run after changing this script:

    python3 scripts/make-icons.py

Only the standard library is used, and the output is byte-for-byte the same
on every run.
"""

import struct
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
OUT_DIR = ROOT / "res" / "icons"

# The Windows default 16-colour palette, as (red, green, blue).
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK = 0
LIGHT_GRAY = 7
RED = 9
GREEN = 2
BLUE = 12
WHITE = 15

# In the 256-colour digit images only black and white are used.  They sit at
# the two ends of the table, as in the Windows system palette; everything in
# between is left zero.
PALETTE_256 = [(0, 0, 0)] * 255 + [(255, 255, 255)]
BLACK_256 = 0
WHITE_256 = 255

SIZE = 32

# Seven-segment layout of a digit, in pixel rectangles (x0, y0, x1, y1),
# inclusive, top row first.  The glyph is 12x24 with 3-pixel strokes and sits
# centred in the 16x32 left half; the segments overlap at the corners so the
# joints come out square.
LEFT, RIGHT, TOP, BOTTOM, STROKE = 2, 13, 4, 27, 3
MID = 14  # top row of the middle bar; the lower bowl is one row taller
SEGMENTS = {
    "a": (LEFT, TOP, RIGHT, TOP + STROKE - 1),
    "b": (RIGHT - STROKE + 1, TOP, RIGHT, MID + STROKE - 1),
    "c": (RIGHT - STROKE + 1, MID, RIGHT, BOTTOM),
    "d": (LEFT, BOTTOM - STROKE + 1, RIGHT, BOTTOM),
    "e": (LEFT, MID, LEFT + STROKE - 1, BOTTOM),
    "f": (LEFT, TOP, LEFT + STROKE - 1, MID + STROKE - 1),
    "g": (LEFT, MID, RIGHT, MID + STROKE - 1),
}
DIGIT_SEGMENTS = {
    0: "abcdef", 1: "bc", 2: "abdeg", 3: "abcdg", 4: "bcfg",
    5: "acdfg", 6: "acdefg", 7: "abc", 8: "abcdefg", 9: "abcdfg",
}


def new_grid(size, value):
    return [[value] * size for _ in range(size)]


def fill_rect(grid, x0, y0, x1, y1, value):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            grid[y][x] = value


def draw_digit(grid, digit, ink):
    """Draws one digit into the left half of a 32x32 grid."""
    for name in DIGIT_SEGMENTS[digit]:
        fill_rect(grid, *SEGMENTS[name], ink)


def draw_pane(grid, mask, x0, y0, x1, y1, title, title_rows, body):
    """Draws a small window: black frame, coloured title bar, plain body.

    Panes drawn later cover the earlier ones, which is what makes the stack
    read as several desktops rather than one window.
    """
    fill_rect(grid, x0, y0, x1, y1, BLACK)
    fill_rect(grid, x0 + 1, y0 + 1, x1 - 1, y0 + title_rows, title)
    fill_rect(grid, x0 + 1, y0 + title_rows + 1, x1 - 1, y1 - 1, body)
    fill_rect(mask, x0, y0, x1, y1, 0)


def program_image(size):
    """Returns (pixels, mask) for the program icon at 32 or 16 pixels."""
    grid = new_grid(size, BLACK)  # black under a set mask bit is transparent
    mask = new_grid(size, 1)
    if size == 32:
        panes = [(1, 1, 19, 16, BLUE), (6, 8, 24, 23, GREEN),
                 (12, 15, 30, 30, RED)]
        title_rows = 3
    else:
        panes = [(0, 0, 9, 8, BLUE), (3, 4, 12, 11, GREEN),
                 (6, 7, 15, 15, RED)]
        title_rows = 2
    # The back panes get a grey body so the front one stands out at a glance.
    bodies = [LIGHT_GRAY] * (len(panes) - 1) + [WHITE]
    for (x0, y0, x1, y1, title), body in zip(panes, bodies):
        draw_pane(grid, mask, x0, y0, x1, y1, title, title_rows, body)
    return grid, mask


def pack_rows(grid, bits):
    """Packs a top-down grid into bottom-up DIB rows padded to 4 bytes."""
    per_byte = 8 // bits
    out = bytearray()
    for row in reversed(grid):
        packed = bytearray()
        for i in range(0, len(row), per_byte):
            byte = 0
            for value in row[i:i + per_byte]:
                byte = (byte << bits) | value
            byte <<= bits * (per_byte - len(row[i:i + per_byte]))
            packed.append(byte)
        packed.extend(b"\0" * (-len(packed) % 4))
        out += packed
    return bytes(out)


def encode_image(pixels, mask, palette, bits):
    """Returns the ICO image blob: header, palette, XOR bitmap, AND mask."""
    size = len(pixels)
    xor = pack_rows(pixels, bits)
    and_ = pack_rows(mask, 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(xor) + len(and_), 0, 0, 0, 0)
    table = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in palette)
    return header + table + xor + and_


def encode_4bit(pixels, mask):
    return encode_image(pixels, mask, VGA, 4)


def encode_8bit(pixels, mask):
    return encode_image(pixels, mask, PALETTE_256, 8)


def write_ico(path, images):
    """Writes images, a list of (size, bits, blob), as one .ico file."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, bits, blob in images:
        colours = 1 << bits if bits < 8 else 0
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0,
                               1, bits, len(blob), offset)
        offset += len(blob)
    path.write_bytes(directory + entries + b"".join(b for _, _, b in images))


def digit_images(digit):
    opaque = new_grid(SIZE, 0)
    images = []
    grid = new_grid(SIZE, WHITE)
    draw_digit(grid, digit, BLACK)
    images.append((SIZE, 4, encode_4bit(grid, opaque)))
    # Where an icon holds a 256-colour image, Windows picks it on a
    # true-colour screen, so it has to show the same digit in the same place.
    if digit in (0, 1):
        grid = new_grid(SIZE, WHITE_256)
        draw_digit(grid, digit, BLACK_256)
        images.append((SIZE, 8, encode_8bit(grid, opaque)))
    return images


def main():
    OUT_DIR.mkdir(parents=True, exist_ok=True)
    write_ico(OUT_DIR / "program.ico",
              [(s, 4, encode_4bit(*program_image(s))) for s in (32, 16)])
    for digit in range(10):
        write_ico(OUT_DIR / f"digit{digit}.ico", digit_images(digit))
    write_ico(OUT_DIR / "canvas.ico",
              [(SIZE, 4, encode_4bit(new_grid(SIZE, WHITE),
                                     new_grid(SIZE, 0)))])


if __name__ == "__main__":
    main()
