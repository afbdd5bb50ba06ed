#!/usr/bin/env python3
"""Build runwarden.ico from the pixel-art text files beside this script.

Usage: python3 make_icon.py OUT.ico

Art files (icon32.txt, icon16.txt) hold one character per pixel, top row
first. Lines starting with '#' and blank lines are ignored. Legend, in
palette index order (the standard 16-colour VGA palette):

    k black     r maroon    g green     y olive
    b navy      m purple    c teal      s silver
    d grey      R red       G lime      Y yellow
    B blue      M fuchsia   C aqua      W white
    . transparent

The output is 4 bits per pixel with an AND mask, which every Windows from
95 on can show. The same input always gives the same bytes.
"""

import os
import struct
import sys

PALETTE = [
    ("k", (0, 0, 0)),
    ("r", (128, 0, 0)),
    ("g", (0, 128, 0)),
    ("y", (128, 128, 0)),
    ("b", (0, 0, 128)),
    ("m", (128, 0, 128)),
    ("c", (0, 128, 128)),
    ("s", (192, 192, 192)),
    ("d", (128, 128, 128)),
    ("R", (255, 0, 0)),
    ("G", (0, 255, 0)),
    ("Y", (255, 255, 0)),
    ("B", (0, 0, 255)),
    ("M", (255, 0, 255)),
    ("C", (0, 255, 255)),
    ("W", (255, 255, 255)),
]
INDEX = {ch: i for i, (ch, _) in enumerate(PALETTE)}
TRANSPARENT = "."

# Largest first: shells that pick the first entry get the detailed one.
IMAGES = [("icon32.txt", 32), ("icon16.txt", 16)]


def read_art(path, size):
    rows = []
    with open(path, "r", encoding="ascii") as f:
        for lineno, line in enumerate(f, 1):
            line = line.rstrip("\r\n")
            if not line.strip() or line.startswith("#"):
                continue
            if len(line) != size:
                sys.exit("%s:%d: row is %d pixels wide, expected %d"
                         % (path, lineno, len(line), size))
            for ch in line:
                if ch != TRANSPARENT and ch not in INDEX:
                    sys.exit("%s:%d: unknown pixel character %r"
                             % (path, lineno, ch))
            rows.append(line)
    if len(rows) != size:
        sys.exit("%s: %d rows, expected %d" % (path, len(rows), size))
    return rows


def stride(bits_per_row):
    # DIB rows are padded to a multiple of 4 bytes.
    return (bits_per_row + 31) // 32 * 4


def icon_image(rows):
    size = len(rows)
    xor_stride = stride(size * 4)
    and_stride = stride(size)

    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # DIBs are stored bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, ch in enumerate(row):
            if ch == TRANSPARENT:
                # Colour 0 under a set mask bit leaves the screen untouched.
                idx = 0
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                idx = INDEX[ch]
            if x % 2 == 0:
                line[x // 2] |= idx << 4
            else:
                line[x // 2] |= idx
        xor += line
        mask += bits

    header = struct.pack(
        "<IiiHHIIiiII",
        40,                     # biSize
        size,                   # biWidth
        size * 2,               # biHeight: XOR and AND masks stacked
        1,                      # biPlanes
        4,                      # biBitCount
        0,                      # biCompression = BI_RGB
        len(xor) + len(mask),   # biSizeImage
        0, 0,                   # resolution, unused for icons
        0,                      # biClrUsed: 0 means all 16
        0)                      # biClrImportant
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0)
                       for _, (r, g, b) in PALETTE)
    return header + colours + bytes(xor) + bytes(mask)


def build_ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))  # ICONDIR, type 1 = icon
    offset = len(out) + 16 * len(images)
    entries = b""
    data = b""
    for size, blob in images:
        entries += struct.pack(
            "<BBBBHHII",
            size % 256, size % 256,  # 256 would be stored as 0
            16,                      # bColorCount
            0,                       # bReserved
            1,                       # wPlanes
            4,                       # wBitCount
            len(blob),
            offset + len(data))
        data += blob
    return out + entries + data


def main(argv):
    if len(argv) != 2:
        sys.exit("usage: %s OUT.ico" % os.path.basename(argv[0]))
    here = os.path.dirname(os.path.abspath(__file__))
    images = []
    for name, size in IMAGES:
        rows = read_art(os.path.join(here, name), size)
        images.append((size, icon_image(rows)))
    with open(argv[1], "wb") as f:
        f.write(build_ico(images))


if __name__ == "__main__":
    main(sys.argv)
