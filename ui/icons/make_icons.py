#!/usr/bin/env python3
"""Makes the icon files that the platforms need from the XPM drawings.

The XPM files beside this script are the drawings themselves: the program
compiles them in, and the build makes everything else from them with this
script (only Python's standard library is used):

    make_icons.py OUTDIR

writes into OUTDIR

    program_icon.ico, finished_icon.ico
        for the Windows executable's resources: 16, 24, 32, 48 and 256
        pixels each, so that Windows finds an image for every DPI; 32-bit
        images with alpha, the 256-pixel one PNG-compressed as Windows
        stores it;
    hicolor/SIZExSIZE/apps/quorvane.png, hicolor/scalable/apps/quorvane.svg
        the program's icon for the Linux desktop's hicolor theme.

Every size is made from the one drawing of the icon: its own pixels at 32,
whole multiples of them at 64, 128 and 256, and for the sizes between the
average of the drawing's pixels that each new pixel covers. The Finished
window's icon has a drawing of its own for 16 pixels, which is used there.
The SVG draws the program's drawing pixel for pixel.
"""

import pathlib
import struct
import sys
import zlib

HERE = pathlib.Path(__file__).resolve().parent

ICO_SIZES = (16, 24, 32, 48, 256)
HICOLOR_SIZES = (16, 24, 32, 48, 64, 128, 256)
# Each icon: its drawings by the size they are drawn at; the largest is the
# one the other sizes are made from.
ICONS = {
    "program_icon": {32: "program_icon.xpm"},
    "finished_icon": {32: "finished_icon_32.xpm", 16: "finished_icon_16.xpm"},
}
# Windows stores images from this size up as PNG.
ICO_PNG_FROM = 256


class Image:
    """Width, height and rows of (r, g, b, a) pixels."""

    def __init__(self, width, height, rows):
        self.width, self.height, self.rows = width, height, rows


def read_xpm(path):
    strings = []
    for line in path.read_text().splitlines():
        line = line.strip()
        if line.startswith('"'):
            strings.append(line[1 : line.index('"', 1)])
    width, height, ncolours, cpp = (int(v) for v in strings[0].split()[:4])
    palette = {}
    for entry in strings[1 : 1 + ncolours]:
        key, value = entry[:cpp], entry[cpp:].split()[-1]
        palette[key] = ((0, 0, 0, 0) if value == "None" else
                        tuple(int(value[i : i + 2], 16) for i in (1, 3, 5)) + (255,))
    rows = [[palette[row[x * cpp : (x + 1) * cpp]] for x in range(width)]
            for row in strings[1 + ncolours : 1 + ncolours + height]]
    return Image(width, height, rows)


def coverage(source, target):
    """For each target pixel along one axis: (source pixel, share) pairs."""
    spans = []
    for t in range(target):
        start, end = t * source / target, (t + 1) * source / target
        span, s = [], int(start)
        while s < end:
            share = min(end, s + 1) - max(start, s)
            if share > 1e-9:
                span.append((s, share * target / source))
            s += 1
        spans.append(span)
    return spans


def resized(image, size):
    """The image at size by size: each pixel the average of the drawing's
    pixels it covers, weighted by alpha so that transparent pixels lend no
    colour."""
    if size == image.width:
        return image
    xs, ys = coverage(image.width, size), coverage(image.height, size)
    rows = []
    for yspan in ys:
        row = []
        for xspan in xs:
            r = g = b = a = 0.0
            for sy, wy in yspan:
                for sx, wx in xspan:
                    pr, pg, pb, pa = image.rows[sy][sx]
                    w = wx * wy * pa
                    r, g, b, a = r + pr * w, g + pg * w, b + pb * w, a + w
            row.append((0, 0, 0, 0) if a == 0 else
                       (round(r / a), round(g / a), round(b / a), round(a)))
        rows.append(row)
    return Image(size, size, rows)


def at_size(drawings, size):
    """The icon at one size: its own drawing there, or made from the largest."""
    if size in drawings:
        return drawings[size]
    return resized(drawings[max(drawings)], size)


def png_file(image):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in image.rows)
    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp_image(image):
    """An .ico image as a bitmap: header, 32-bit BGRA rows and the 1-bit mask
    of the transparent pixels, both bottom-up."""
    def padded(row):
        return row + b"\0" * (-len(row) % 4)

    colours = b"".join(bytes((b, g, r, a)) for row in reversed(image.rows)
                       for r, g, b, a in row)
    mask = b""
    for row in reversed(image.rows):
        bits = [1 if p[3] == 0 else 0 for p in row] + [0] * 7
        mask += padded(bytes(sum(bits[x + i] << (7 - i) for i in range(8))
                             for x in range(0, image.width, 8)))
    header = struct.pack("<IiiHHIIiiII", 40, image.width, 2 * image.height, 1, 32, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    return header + colours + mask


def ico_file(images):
    data = [png_file(i) if i.width >= ICO_PNG_FROM else bmp_image(i) for i in images]
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for image, blob in zip(images, data):
        out += struct.pack("<BBBBHHII", image.width % 256, image.height % 256, 0, 0,
                           1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(data)


def svg_file(image):
    """The drawing as vector shapes: one rectangle per run of like pixels."""
    rects = []
    for y, row in enumerate(image.rows):
        x = 0
        while x < image.width:
            end = x
            while end < image.width and row[end] == row[x]:
                end += 1
            r, g, b, a = row[x]
            if a:
                rects.append(f'<rect x="{x}" y="{y}" width="{end - x}" height="1" '
                             f'fill="#{r:02x}{g:02x}{b:02x}"/>')
            x = end
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" version="1.1" '
            f'width="{image.width}" height="{image.height}" '
            f'viewBox="0 0 {image.width} {image.height}" shape-rendering="crispEdges">\n'
            + "\n".join(rects) + "\n</svg>\n")


def write(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    if isinstance(data, str):
        path.write_text(data)
    else:
        path.write_bytes(data)


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: make_icons.py OUTDIR")
    out = pathlib.Path(sys.argv[1])
    icons = {name: {size: read_xpm(HERE / file) for size, file in drawings.items()}
             for name, drawings in ICONS.items()}
    for name, drawings in icons.items():
        write(out / f"{name}.ico", ico_file([at_size(drawings, s) for s in ICO_SIZES]))
    program = icons["program_icon"]
    for size in HICOLOR_SIZES:
        write(out / f"hicolor/{size}x{size}/apps/quorvane.png", png_file(at_size(program, size)))
    write(out / "hicolor/scalable/apps/quorvane.svg", svg_file(program[max(program)]))


if __name__ == "__main__":
    main()
