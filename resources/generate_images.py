#!/usr/bin/env python3
"""Draws KAVO's state icons and toolbar bitmap and writes them beside this script.

Run `python3 resources/generate_images.py` after changing a glyph or a colour; the outputs
(state_idle.ico, state_id.ico, state_pw.ico, toolbar.bmp) are checked in, so the build needs no
image tools. Only the standard library is used: the pixel font below is drawn by hand and the
8-bit BMP and ICO files are packed with struct.
"""

import struct
from pathlib import Path

OUTPUT_DIR = Path(__file__).resolve().parent

# --- Colours ------------------------------------------------------------------------------------

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREEN = (0, 255, 0)
YELLOW = (255, 255, 0)
RED = (255, 0, 0)
BLUE = (0, 0, 255)
CYAN = (0, 255, 255)
ID_PHASE_BACKGROUND = (102, 204, 102)
PW_PHASE_BACKGROUND = (102, 102, 204)

TRANSPARENT = None  # a canvas pixel that the icon's AND mask lets the desktop show through

# --- Pixel fonts --------------------------------------------------------------------------------
# Each glyph is a list of equal-length rows; '#' is ink, anything else is paper.

# A thin 7-pixel-high font: at its own size for the 16x16 icons, doubled for the 32x32 ones.
THIN_FONT = {
    "I": [
        "###",
        ".#.",
        ".#.",
        ".#.",
        ".#.",
        ".#.",
        "###",
    ],
    "D": [
        "###.",
        "#..#",
        "#..#",
        "#..#",
        "#..#",
        "#..#",
        "###.",
    ],
    "P": [
        "###.",
        "#..#",
        "#..#",
        "###.",
        "#...",
        "#...",
        "#...",
    ],
    "W": [
        "#...#",
        "#...#",
        "#...#",
        "#.#.#",
        "#.#.#",
        "##.##",
        "#...#",
    ],
    "&": [
        ".#...",
        "#.#..",
        "#.#..",
        ".#...",
        "#.#.#",
        "#..#.",
        ".##.#",
    ],
}

# An 11-pixel-high font with two-pixel stems, so that light colours stay readable on the white
# toolbar.
BOLD_FONT = {
    "I": [
        "######",
        "######",
        "..##..",
        "..##..",
        "..##..",
        "..##..",
        "..##..",
        "..##..",
        "..##..",
        "######",
        "######",
    ],
    "D": [
        "#####..",
        "######.",
        "##..###",
        "##...##",
        "##...##",
        "##...##",
        "##...##",
        "##...##",
        "##..###",
        "######.",
        "#####..",
    ],
    "P": [
        "######.",
        "#######",
        "##...##",
        "##...##",
        "##...##",
        "#######",
        "######.",
        "##.....",
        "##.....",
        "##.....",
        "##.....",
    ],
    "W": [
        "##......##",
        "##......##",
        "##......##",
        "##......##",
        "##..##..##",
        "##..##..##",
        "##..##..##",
        "##..##..##",
        "##.####.##",
        ".###..###.",
        ".##....##.",
    ],
    "L": [
        "##....",
        "##....",
        "##....",
        "##....",
        "##....",
        "##....",
        "##....",
        "##....",
        "##....",
        "######",
        "######",
    ],
    "E": [
        "######",
        "######",
        "##....",
        "##....",
        "##....",
        "#####.",
        "#####.",
        "##....",
        "##....",
        "######",
        "######",
    ],
    "N": [
        "##....##",
        "###...##",
        "###...##",
        "####..##",
        "##.##.##",
        "##.##.##",
        "##..####",
        "##...###",
        "##...###",
        "##....##",
        "##....##",
    ],
}

# Katakana for the tray button's label, one-pixel strokes like toolbar text.
KATAKANA_FONT = {
    "タ": [
        "...#.....",
        "...#.....",
        "..#######",
        "..#....#.",
        ".#.#...#.",
        "#...#.#..",
        ".....##..",
        ".....#...",
        "....#....",
        "..##.....",
        "##.......",
    ],
    "ス": [
        ".#######.",
        "......#..",
        "......#..",
        ".....#...",
        ".....#...",
        "....#....",
        "...#.#...",
        "..#...#..",
        ".#.....#.",
        "#.......#",
        ".........",
    ],
    "ク": [
        "...#.....",
        "...#.....",
        "..#######",
        "..#....#.",
        ".#.....#.",
        "#......#.",
        "......#..",
        ".....#...",
        "....#....",
        "..##.....",
        "##.......",
    ],
}


class Canvas:
    """A rectangle of RGB tuples (or TRANSPARENT), row 0 at the top."""

    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def fill_rect(self, x, y, width, height, colour):
        for row in range(y, y + height):
            for column in range(x, x + width):
                self.pixels[row][column] = colour


def glyph_width(font, character):
    return len(font[character][0])


def glyph_height(font):
    return len(next(iter(font.values())))


def run_width(font, text, scale, spacing):
    """Width of `text` drawn with `spacing` paper pixels between glyphs (after scaling)."""
    widths = [glyph_width(font, character) * scale for character in text]
    return sum(widths) + spacing * (len(text) - 1)


def draw_glyph(canvas, font, character, x, y, colour, scale):
    for row, line in enumerate(font[character]):
        for column, cell in enumerate(line):
            if cell == "#":
                canvas.fill_rect(x + column * scale, y + row * scale, scale, scale, colour)


def draw_runs(canvas, font, runs, y, scale, spacing, area_left=0, area_width=None):
    """Draws (text, colour) runs one after another on one line, centred in a column range
    (the whole canvas width unless given)."""
    if area_width is None:
        area_width = canvas.width
    text = "".join(run_text for run_text, _ in runs)
    total = run_width(font, text, scale, spacing)
    x = area_left + (area_width - total) // 2
    for run_text, colour in runs:
        for character in run_text:
            draw_glyph(canvas, font, character, x, y, colour, scale)
            x += glyph_width(font, character) * scale + spacing


# --- State icons --------------------------------------------------------------------------------

LARGE_ICON_SIZE = 32
SMALL_ICON_SIZE = 16
LARGE_ICON_SCALE = 2  # the thin font doubled: 14 pixels high
LARGE_ICON_GLYPH_SPACING = 1
SMALL_ICON_GLYPH_SPACING = 1
LARGE_ICON_LINE_GAP = 2
SMALL_ICON_LINE_GAP = 1

TOP_LINE = [("ID", GREEN)]
BOTTOM_LINE = [("&", YELLOW), ("PW", RED)]

STATE_ICONS = [
    ("state_idle.ico", TRANSPARENT),
    ("state_id.ico", ID_PHASE_BACKGROUND),
    ("state_pw.ico", PW_PHASE_BACKGROUND),
]


def draw_state_icon(size, scale, glyph_spacing, line_gap, background):
    """Draws "ID" above "&PW", the pair centred both ways."""
    canvas = Canvas(size, size, background)
    line_height = glyph_height(THIN_FONT) * scale
    top = (size - (2 * line_height + line_gap)) // 2
    draw_runs(canvas, THIN_FONT, TOP_LINE, top, scale, glyph_spacing)
    draw_runs(canvas, THIN_FONT, BOTTOM_LINE, top + line_height + line_gap, scale, glyph_spacing)
    return canvas


# --- Toolbar bitmap -----------------------------------------------------------------------------

TOOLBAR_CELL_WIDTH = 30
TOOLBAR_HEIGHT = 16
TOOLBAR_GLYPH_SPACING = 2
TOOLBAR_KATAKANA_SPACING = 1

# One entry per 30-pixel cell, left to right: font, glyph spacing and (text, colour) runs.
TOOLBAR_CELLS = [
    (BOLD_FONT, TOOLBAR_GLYPH_SPACING, [("ID", GREEN)]),
    (BOLD_FONT, TOOLBAR_GLYPH_SPACING, [("PW", BLUE)]),
    (BOLD_FONT, TOOLBAR_GLYPH_SPACING, [("PL", CYAN)]),
    (BOLD_FONT, TOOLBAR_GLYPH_SPACING, [("END", RED)]),
    (KATAKANA_FONT, TOOLBAR_KATAKANA_SPACING, [("タスク", BLACK)]),
    None,  # blank
    None,  # blank
]


def draw_toolbar():
    canvas = Canvas(TOOLBAR_CELL_WIDTH * len(TOOLBAR_CELLS), TOOLBAR_HEIGHT, WHITE)
    for index, cell in enumerate(TOOLBAR_CELLS):
        if cell is None:
            continue
        font, spacing, runs = cell
        top = (TOOLBAR_HEIGHT - glyph_height(font)) // 2
        cell_left = index * TOOLBAR_CELL_WIDTH
        draw_runs(canvas, font, runs, top, 1, spacing, cell_left, TOOLBAR_CELL_WIDTH)
    return canvas


# --- 8-bit DIB packing --------------------------------------------------------------------------

PALETTE_SIZE = 256
BITMAPINFOHEADER_SIZE = 40
BITMAPFILEHEADER_SIZE = 14
BI_RGB = 0
BITS_PER_PIXEL = 8
PIXELS_PER_METRE = 2835  # 72 dpi, the customary value


def build_palette(canvases, first_colours):
    """A 256-entry palette that starts with `first_colours` and holds every colour drawn."""
    palette = list(first_colours)
    for canvas in canvases:
        for line in canvas.pixels:
            for colour in line:
                if colour is not TRANSPARENT and colour not in palette:
                    palette.append(colour)
    if len(palette) > PALETTE_SIZE:
        raise ValueError("more than 256 colours")
    return palette + [BLACK] * (PALETTE_SIZE - len(palette))


def packed_palette(palette):
    return b"".join(struct.pack("<BBBB", blue, green, red, 0) for red, green, blue in palette)


def row_stride(bits_per_row):
    """DIB rows are padded to whole 32-bit words."""
    return (bits_per_row + 31) // 32 * 4


def pixel_rows(canvas, palette, transparent_index):
    """The colour indices, bottom row first as DIBs store them."""
    stride = row_stride(canvas.width * BITS_PER_PIXEL)
    data = bytearray()
    for line in reversed(canvas.pixels):
        indices = bytes(
            transparent_index if colour is TRANSPARENT else palette.index(colour)
            for colour in line
        )
        data += indices.ljust(stride, b"\0")
    return bytes(data)


def mask_rows(canvas):
    """The icon's 1-bit AND mask, bottom row first: 1 where the desktop shows through."""
    stride = row_stride(canvas.width)
    data = bytearray()
    for line in reversed(canvas.pixels):
        row = bytearray(stride)
        for column, colour in enumerate(line):
            if colour is TRANSPARENT:
                row[column // 8] |= 0x80 >> (column % 8)
        data += row
    return bytes(data)


def info_header(width, height, image_size):
    return struct.pack(
        "<IiiHHIIiiII",
        BITMAPINFOHEADER_SIZE,
        width,
        height,
        1,  # planes
        BITS_PER_PIXEL,
        BI_RGB,
        image_size,
        PIXELS_PER_METRE,
        PIXELS_PER_METRE,
        PALETTE_SIZE,  # colours used
        0,  # all colours important
    )


def bmp_bytes(canvas):
    palette = build_palette([canvas], [WHITE, BLACK])
    pixels = pixel_rows(canvas, palette, transparent_index=0)
    header_size = BITMAPFILEHEADER_SIZE + BITMAPINFOHEADER_SIZE + PALETTE_SIZE * 4
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    return (
        file_header
        + info_header(canvas.width, canvas.height, len(pixels))
        + packed_palette(palette)
        + pixels
    )


ICONDIR_SIZE = 6
ICONDIRENTRY_SIZE = 16
ICON_RESOURCE_TYPE = 1


def icon_image_bytes(canvas, palette):
    # Transparent pixels are black in the XOR image so that the mask alone decides what shows.
    pixels = pixel_rows(canvas, palette, transparent_index=palette.index(BLACK))
    mask = mask_rows(canvas)
    # An icon's header counts the XOR image and the AND mask together: twice the height.
    header = info_header(canvas.width, canvas.height * 2, len(pixels) + len(mask))
    return header + packed_palette(palette) + pixels + mask


def ico_bytes(canvases):
    palette = build_palette(canvases, [BLACK])
    images = [icon_image_bytes(canvas, palette) for canvas in canvases]
    directory = struct.pack("<HHH", 0, ICON_RESOURCE_TYPE, len(images))
    offset = ICONDIR_SIZE + ICONDIRENTRY_SIZE * len(images)
    for canvas, image in zip(canvases, images):
        directory += struct.pack(
            "<BBBBHHII",
            canvas.width,
            canvas.height,
            0,  # palette size: 0 means 256 or more
            0,  # reserved
            1,  # planes
            BITS_PER_PIXEL,
            len(image),
            offset,
        )
        offset += len(image)
    return directory + b"".join(images)


# The other sizes Windows asks for at 125%, 150% and 200% (small icons 20, 24 and 32, large ones
# 40 and 48), each drawn for its size rather than stretched: (size, scale, glyph spacing, line gap).
SCALED_ICON_SIZES = [
    (20, 1, 1, 2),
    (24, 1, 2, 3),
    (40, 2, 2, 4),
    (48, 3, 2, 3),
]


def main():
    for file_name, background in STATE_ICONS:
        large = draw_state_icon(
            LARGE_ICON_SIZE,
            LARGE_ICON_SCALE,
            LARGE_ICON_GLYPH_SPACING,
            LARGE_ICON_LINE_GAP,
            background,
        )
        small = draw_state_icon(
            SMALL_ICON_SIZE, 1, SMALL_ICON_GLYPH_SPACING, SMALL_ICON_LINE_GAP, background
        )
        scaled = [
            draw_state_icon(size, scale, spacing, gap, background)
            for size, scale, spacing, gap in SCALED_ICON_SIZES
        ]
        (OUTPUT_DIR / file_name).write_bytes(ico_bytes([large, small] + scaled))
    (OUTPUT_DIR / "toolbar.bmp").write_bytes(bmp_bytes(draw_toolbar()))


if __name__ == "__main__":
    main()
