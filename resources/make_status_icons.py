#!/usr/bin/env python3
"""Draws the status icons of the directory panes as 16 x 16 PNG files.

One image per glyph (folder or page), status and icon colour: the glyph is
filled with the colour, and a mark says the status: a letter M for a modified
entry, a plus for one only in the second tree, a minus for one only in the
first tree; an identical page shows lines of text instead. Each image holds at
most 16 colours. Pixels outside the glyph have the key colour, which the
program makes transparent when it loads the image: pure blue, or white in the
blue images, where blue is the fill.

Needs nothing beyond the Python standard library:

    python3 make_status_icons.py            # writes status/*.png and status_icons.qrc
    python3 make_status_icons.py --sheet X  # also writes a preview sheet X
"""

import os
import struct
import sys
import zlib

SIZE = 16
KEY_BLUE = (0, 0, 255)
KEY_WHITE = (255, 255, 255)

# Fill colours by icon colour name; the names are those of the settings.
FILLS = {
    "grey": (192, 192, 192),
    "red": (230, 60, 50),
    "green": (60, 180, 75),
    "black": (40, 40, 40),
    "white": (255, 255, 255),
    "yellow": (255, 220, 60),
    "cyan": (70, 210, 230),
    "magenta": (220, 70, 210),
    "blue": (40, 80, 230),
}

STATUSES = ("normal", "modified", "new", "old")

# Glyph templates. ".": outside (key colour), "o": outline, "h": light edge,
# "f": fill, "s": shaded edge, "c": the folded corner of a page.
FOLDER = [
    "................",
    "................",
    ".ooooo..........",
    "ohhhhho.........",
    "ohffffhoooooooo.",
    "ohhhhhhhhhhhhhho",
    "ohfffffffffffffo",
    "ohfffffffffffffo",
    "ohfffffffffffffo",
    "ohfffffffffffffo",
    "ohfffffffffffffo",
    "ohfffffffffffffo",
    "ohfffffffffffffo",
    "osssssssssssssso",
    "oooooooooooooooo",
    "................",
]

PAGE = [
    ".ooooooooo......",
    ".ohhhhhhhoo.....",
    ".ohfffffffcoo...",
    ".ohffffffocccoo.",
    ".ohffffffoooooo.",
    ".ohfffffffffffo.",
    ".ohfffffffffffo.",
    ".ohfffffffffffo.",
    ".ohfffffffffffo.",
    ".ohfffffffffffo.",
    ".ohfffffffffffo.",
    ".ohfffffffffffo.",
    ".ohfffffffffffo.",
    ".ohfffffffffffo.",
    ".osssssssssssso.",
    ".oooooooooooooo.",
]

# The lines of text on an identical page ("l").
PAGE_LINES = [
    (4, 6, 7),
    (4, 8, 11),
    (4, 10, 10),
    (4, 12, 11),
]

# Marks ("m"), drawn with their top left corner at the given place.
MARKS = {
    "modified": [
        "mm...mm",
        "mmm.mmm",
        "mmmmmmm",
        "mm.m.mm",
        "mm...mm",
        "mm...mm",
    ],
    "new": [
        "..mm..",
        "..mm..",
        "mmmmmm",
        "mmmmmm",
        "..mm..",
        "..mm..",
    ],
    "old": [
        "mmmmmm",
        "mmmmmm",
    ],
}

# Where each mark sits on each glyph: centred on the body below the tab of a
# folder, and on the sheet of a page.
MARK_PLACES = {
    ("folder", "modified"): (5, 7),
    ("folder", "new"): (5, 7),
    ("folder", "old"): (5, 9),
    ("page", "modified"): (4, 7),
    ("page", "new"): (5, 7),
    ("page", "old"): (5, 9),
}


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def brightness(rgb):
    r, g, b = rgb
    return 0.299 * r + 0.587 * g + 0.114 * b


def shades(fill):
    """The colours of one image, from its fill colour."""
    dark = brightness(fill) < 100
    colours = {
        "f": fill,
        "h": mix(fill, (255, 255, 255), 0.5) if fill != (255, 255, 255) else fill,
        "s": mix(fill, (0, 0, 0), 0.25),
        "o": (0, 0, 0) if dark else mix(fill, (0, 0, 0), 0.7),
        "c": mix(fill, (255, 255, 255), 0.6) if dark else mix(fill, (0, 0, 0), 0.15),
        "m": (245, 245, 245) if brightness(fill) < 150 else (20, 20, 20),
        "l": mix(fill, (255, 255, 255), 0.55) if dark else mix(fill, (0, 0, 0), 0.55),
    }
    return colours


def draw(glyph, status, colour):
    template = FOLDER if glyph == "folder" else PAGE
    grid = [list(row) for row in template]
    if status == "normal":
        if glyph == "page":
            for x0, y, x1 in PAGE_LINES:
                for x in range(x0, x1 + 1):
                    grid[y][x] = "l"
    else:
        left, top = MARK_PLACES[(glyph, status)]
        for dy, row in enumerate(MARKS[status]):
            for dx, cell in enumerate(row):
                if cell == "m":
                    grid[top + dy][left + dx] = "m"
    key = KEY_WHITE if colour == "blue" else KEY_BLUE
    colours = shades(FILLS[colour])
    pixels = []
    for row in grid:
        pixels.append([key if cell == "." else colours[cell] for cell in row])
    # The key colour must not appear inside the glyph, or it would vanish.
    inside = [rgb for row, cells in zip(pixels, grid) for rgb, c in zip(row, cells) if c != "."]
    assert key not in inside, (glyph, status, colour)
    return pixels


def png_chunk(kind, data):
    chunk = kind + data
    return struct.pack(">I", len(data)) + chunk + struct.pack(">I", zlib.crc32(chunk) & 0xFFFFFFFF)


def png_bytes(pixels):
    """A 4-bit palette PNG of the pixel rows."""
    palette = []
    for row in pixels:
        for rgb in row:
            if rgb not in palette:
                palette.append(rgb)
    assert len(palette) <= 16
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        indices = [palette.index(rgb) for rgb in row]
        for i in range(0, len(indices), 2):
            raw.append(indices[i] << 4 | indices[i + 1])
    header = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 4, 3, 0, 0, 0)
    plte = b"".join(bytes(rgb) for rgb in palette)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"PLTE", plte) +
            png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


def rgb_png_bytes(pixels):
    """An 8-bit RGB PNG, for the preview sheet."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for rgb in row:
            raw.extend(rgb)
    header = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
            png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


def file_name(glyph, status, colour):
    return f"{glyph}-{status}-{colour}.png"


def write_sheet(path, images, scale):
    """All images on a white and a dark background, key colour made see-through."""
    columns = len(FILLS)
    rows = 2 * len(STATUSES)
    cell = SIZE * scale + 4
    backgrounds = [(255, 255, 255), (60, 60, 60)]
    width = columns * cell * len(backgrounds)
    height = rows * cell
    sheet = [[(200, 200, 200)] * width for _ in range(height)]
    for b, background in enumerate(backgrounds):
        for r, (glyph, status) in enumerate((g, s) for g in ("folder", "page") for s in STATUSES):
            for c, colour in enumerate(FILLS):
                pixels = images[(glyph, status, colour)]
                key = KEY_WHITE if colour == "blue" else KEY_BLUE
                left = (b * columns + c) * cell + 2
                top = r * cell + 2
                for y in range(SIZE * scale):
                    for x in range(SIZE * scale):
                        rgb = pixels[y // scale][x // scale]
                        sheet[top + y][left + x] = background if rgb == key else rgb
    with open(path, "wb") as out:
        out.write(rgb_png_bytes(sheet))


def write_resource_list(path, names):
    """The Qt resource list that compiles the images into the program."""
    lines = ["<!DOCTYPE RCC>", '<RCC version="1.0">', '<qresource prefix="/">']
    lines += [f"    <file>status/{name}</file>" for name in names]
    lines += ["</qresource>", "</RCC>", ""]
    with open(path, "w", encoding="ascii") as out:
        out.write("\n".join(lines))


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    target = os.path.join(here, "status")
    os.makedirs(target, exist_ok=True)
    images = {}
    names = []
    for glyph in ("folder", "page"):
        for status in STATUSES:
            for colour in FILLS:
                pixels = draw(glyph, status, colour)
                images[(glyph, status, colour)] = pixels
                names.append(file_name(glyph, status, colour))
                with open(os.path.join(target, file_name(glyph, status, colour)), "wb") as out:
                    out.write(png_bytes(pixels))
    write_resource_list(os.path.join(here, "status_icons.qrc"), names)
    if len(argv) >= 3 and argv[1] == "--sheet":
        write_sheet(argv[2], images, int(argv[3]) if len(argv) >= 4 else 1)


if __name__ == "__main__":
    main(sys.argv)
