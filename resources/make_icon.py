#!/usr/bin/env python3
"""Draws the window's icon (a photo with a download arrow on a dark tile) and
writes it as a Windows .ico with 16, 32 and 48 pixel images of 32-bit colour.

    python3 resources/make_icon.py resources/talvik-album.ico
"""
import struct
import sys

TILE = (48, 44, 40)
PHOTO = (236, 232, 222)
SKY = (118, 170, 214)
HILL = (74, 140, 84)
SUN = (250, 204, 72)
ARROW = (240, 120, 40)


def inside_rounded(x, y, x0, y0, x1, y1, r):
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def colour_at(u, v):
    """Colour (r, g, b, a) at unit coordinates u, v (0..1, top-left origin)."""
    if not inside_rounded(u, v, 0.02, 0.02, 0.98, 0.98, 0.18):
        return None
    # Download arrow in the lower right.
    if 0.62 <= u <= 0.78 and 0.52 <= v <= 0.74:
        return ARROW
    if v >= 0.72 and v <= 0.94 and abs(u - 0.70) <= (0.94 - v) * 0.95:
        return ARROW
    # The photo: a light frame around sky, sun and hills.
    if 0.10 <= u <= 0.66 and 0.14 <= v <= 0.66:
        if not (0.15 <= u <= 0.61 and 0.19 <= v <= 0.61):
            return PHOTO
        if (u - 0.48) ** 2 + (v - 0.30) ** 2 <= 0.06 ** 2:
            return SUN
        hill = 0.61 - 0.22 * max(0.0, 1 - abs(u - 0.30) / 0.2)
        hill2 = 0.61 - 0.14 * max(0.0, 1 - abs(u - 0.50) / 0.14)
        if v >= min(hill, hill2):
            return HILL
        return SKY
    return TILE


def render(size, samples=4):
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((x + (sx + 0.5) / samples) / size, (y + (sy + 0.5) / samples) / size)
                    if c:
                        acc[0] += c[0]; acc[1] += c[1]; acc[2] += c[2]; acc[3] += 1
            n = samples * samples
            a = acc[3]
            row.append((acc[0] // a, acc[1] // a, acc[2] // a, 255 * a // n) if a else (0, 0, 0, 0))
        pixels.append(row)
    return pixels


def bmp_entry(size):
    pixels = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(struct.pack("<BBBB", b, g, r, a) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    return header + xor + bytes(and_mask)


def main(path):
    sizes = [16, 32, 48]
    images = [bmp_entry(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "talvik-album.ico")
