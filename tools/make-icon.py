#!/usr/bin/env python3
"""Draws the program icon: one 32 x 32 picture in the 16 standard colours (res/veskmaker.ico)."""
import struct
import sys

# The standard 16-colour palette, as (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_YELLOW, GREY, YELLOW, WHITE, BLUE = 0, 3, 8, 11, 15, 12
T = None  # transparent


def picture():
    px = [[T] * 32 for _ in range(32)]

    def fill(x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = c

    # A parcel seen from the front: lid, body, strap, and a "V" for vesk.
    fill(3, 9, 28, 28, DARK_YELLOW)
    fill(4, 10, 27, 27, YELLOW)
    fill(2, 5, 29, 10, DARK_YELLOW)
    fill(3, 6, 28, 9, YELLOW)
    fill(14, 5, 17, 28, GREY)
    fill(15, 5, 16, 28, WHITE)
    for i in range(13):
        x = 6 + (i * 9) // 12
        for dx in (0, 1):
            px[13 + i][x + dx] = BLUE
            px[13 + i][31 - x - dx] = BLUE
    for x0, x1, y0, y1 in ((2, 29, 5, 5), (2, 29, 10, 10), (3, 28, 28, 28)):
        fill(x0, y0, x1, y1, BLACK)
    for y in range(5, 11):
        px[y][2] = px[y][29] = BLACK
    for y in range(10, 29):
        px[y][3] = px[y][28] = BLACK
    return px


def ico(px):
    xor = bytearray()
    andmask = bytearray()
    for y in reversed(range(32)):  # bottom-up rows
        row = px[y]
        for x in range(0, 32, 2):
            a = row[x] if row[x] is not None else 0
            b = row[x + 1] if row[x + 1] is not None else 0
            xor.append((a << 4) | b)
        bits = 0
        for x in range(32):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        andmask += struct.pack('>I', bits)
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 4, 0, len(xor) + len(andmask), 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    image = header + palette + bytes(xor) + bytes(andmask)
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, len(image), 22) + image


if __name__ == '__main__':
    out = sys.argv[1] if len(sys.argv) > 1 else 'res/veskmaker.ico'
    with open(out, 'wb') as f:
        f.write(ico(picture()))
