#!/usr/bin/env python3
"""Makes the icon files that the platforms need from the XPM drawings.

The XPM files beside this script are the drawings themselves: the program
compiles them in. Windows needs .ico files for the executable's resource, and
the Linux desktop a PNG in the hicolor theme; both are made here and kept in
the repository next to their drawings.

To remake them after changing a drawing, run from anywhere:

    python3 ui/icons/make_icons.py

and commit the .xpm together with the .ico and .png files it changed. The
window tests compare every made file with its drawing pixel for pixel, so a
drawing changed without remaking them fails the tests.

Only the standard library is used. The .ico files hold 4-bit images (16
colours, the drawing's own palette) with a 1-bit transparency mask, the form
every version of Windows reads.
"""

import pathlib
import struct
import zlib

HERE = pathlib.Path(__file__).resolve().parent

# What is made, from which drawings.
ICO_FILES = {
    "program_icon.ico": ["program_icon.xpm"],
    "finished_icon.ico": ["finished_icon_32.xpm", "finished_icon_16.xpm"],
}
PNG_FILES = {"quorvane.png": "program_icon.xpm"}


class Drawing:
    """An XPM image: width, height, palette (RGB or None) and pixel indexes."""

    def __init__(self, path):
        strings = []
        for line in path.read_text().splitlines():
            line = line.strip()
            if line.startswith('"'):
                strings.append(line[1 : line.index('"', 1)])
        width, height, ncolours, cpp = (int(v) for v in strings[0].split()[:4])
        if ncolours > 17:
            raise SystemExit(f"{path.name}: more than 16 colours and None")
        keys, self.palette = {}, []
        for entry in strings[1 : 1 + ncolours]:
            key, value = entry[:cpp], entry[cpp:].split()[-1]
            keys[key] = len(self.palette)
            self.palette.append(None if value == "None" else
                                tuple(int(value[i : i + 2], 16) for i in (1, 3, 5)))
        rows = strings[1 + ncolours : 1 + ncolours + height]
        self.width, self.height = width, height
        self.pixels = [[keys[row[x * cpp : (x + 1) * cpp]] for x in range(width)]
                       for row in rows]

    def rgba(self, x, y):
        colour = self.palette[self.pixels[y][x]]
        return (0, 0, 0, 0) if colour is None else colour + (255,)


def ico_image(drawing):
    """One image of an .ico file: header, 16-entry palette, 4-bit colours, mask."""
    colours = [c for c in drawing.palette if c is not None]
    if len(colours) > 16:
        raise SystemExit("an .ico image holds at most 16 colours")
    index = {}
    for i, colour in enumerate(drawing.palette):
        index[i] = colours.index(colour) if colour is not None else 0
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0)
                       for r, g, b in colours + [(0, 0, 0)] * (16 - len(colours)))

    def padded(row):
        return row + b"\0" * (-len(row) % 4)

    xor_rows, and_rows = [], []
    for y in reversed(range(drawing.height)):  # bottom-up, as bitmaps are stored
        nibbles = [index[p] for p in drawing.pixels[y]]
        xor_rows.append(padded(bytes((nibbles[x] << 4) | nibbles[x + 1]
                                     for x in range(0, drawing.width, 2))))
        bits = [1 if drawing.palette[p] is None else 0 for p in drawing.pixels[y]]
        and_rows.append(padded(bytes(sum(bits[x + i] << (7 - i) for i in range(8))
                                     for x in range(0, drawing.width, 8))))
    pixels = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, drawing.width, 2 * drawing.height, 1, 4, 0,
                         len(pixels), 0, 0, 16, 0)
    return header + palette + pixels


def ico_file(drawings):
    images = [ico_image(d) for d in drawings]
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for drawing, image in zip(drawings, images):
        out += struct.pack("<BBBBHHII", drawing.width % 256, drawing.height % 256, 16, 0,
                           1, 4, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def png_file(drawing):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + b"".join(bytes(drawing.rgba(x, y)) for x in range(drawing.width))
                   for y in range(drawing.height))
    header = struct.pack(">IIBBBBB", drawing.width, drawing.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    for target, sources in ICO_FILES.items():
        (HERE / target).write_bytes(ico_file([Drawing(HERE / s) for s in sources]))
    for target, source in PNG_FILES.items():
        (HERE / target).write_bytes(png_file(Drawing(HERE / source)))


if __name__ == "__main__":
    main()
