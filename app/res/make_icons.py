#!/usr/bin/env python3
"""Draws Velmora's two icons (a waste bin with a green arrow dropping into it)
and writes them as .ico files with 16, 32 and 48 pixel images of 32 bits.

    python3 make_icons.py        # rewrites velmora.ico and velmora_about.ico here

The .ico files are committed; run this only to change the drawing."""
import os
import struct

BODY = (64, 104, 160)
BODY_DARK = (40, 70, 120)
RIB = (120, 160, 210)
ARROW = (40, 160, 70)
TILE = (250, 236, 170)
TILE_EDGE = (200, 170, 80)


def inside_bin(x, y):
    """Colour of the bin at (x, y) in 0..1 coordinates, or None."""
    if 0.40 <= x <= 0.60 and 0.22 <= y < 0.28:  # handle
        return BODY_DARK
    if 0.16 <= x <= 0.84 and 0.28 <= y < 0.36:  # lid
        return BODY_DARK
    if 0.36 <= y <= 0.90:  # body, narrowing towards the bottom
        inset = 0.22 + 0.06 * (y - 0.36) / 0.54
        if inset <= x <= 1 - inset:
            for rib in (0.38, 0.5, 0.62):
                if abs(x - rib) < 0.035 and 0.42 <= y <= 0.84:
                    return RIB
            return BODY
    return None


def inside_arrow(x, y):
    if 0.44 <= x <= 0.56 and 0.02 <= y < 0.14:  # shaft
        return ARROW
    if 0.14 <= y < 0.24 and abs(x - 0.5) <= (0.24 - y) * 1.2:  # head
        return ARROW
    return None


def pixel(x, y, tile):
    """RGBA of the icon at (x, y) in 0..1 coordinates."""
    colour = inside_arrow(x, y) or inside_bin(x, y)
    if colour:
        return colour + (255,)
    if tile:
        edge = min(x, y, 1 - x, 1 - y)
        if edge >= 0.0:
            return (TILE_EDGE if edge < 0.04 else TILE) + (255,)
    return (0, 0, 0, 0)


def image(size, tile):
    """One icon image: BITMAPINFOHEADER, BGRA rows bottom-up, AND mask."""
    rows = []
    mask = []
    for row in range(size - 1, -1, -1):
        y = (row + 0.5) / size
        line = b""
        mask_row = bytearray((size + 31) // 32 * 4)
        for col in range(size):
            x = (col + 0.5) / size
            r, g, b, a = pixel(x, y, tile)
            line += bytes((b, g, r, a))
            if a == 0:
                mask_row[col // 8] |= 0x80 >> (col % 8)
        rows.append(line)
        mask.append(bytes(mask_row))
    pixels = b"".join(rows)
    and_mask = b"".join(mask)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(and_mask), 0, 0, 0, 0)
    return header + pixels + and_mask


def write_icon(path, tile):
    sizes = (16, 32, 48)
    images = [image(s, tile) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, "velmora.ico"), tile=False)
    write_icon(os.path.join(here, "velmora_about.ico"), tile=True)
