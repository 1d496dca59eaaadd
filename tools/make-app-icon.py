#!/usr/bin/env python3
"""Draws the program icon (a page of text with a quill) at 16, 32 and 64
pixels and writes resources/quillex.ico: 24-bit images with a transparency
mask. Run it after changing the drawing; the .ico is kept in the repository so
the build never needs this script."""

import os
import struct

SIZES = (16, 32, 64)
SUPER = 4  # samples per pixel side


def inside_page(x, y):
    # A portrait page with the top-right corner folded.
    if not (0.16 <= x <= 0.80 and 0.06 <= y <= 0.94):
        return None
    fold = 0.18
    if x > 0.80 - fold and y < 0.06 + fold:
        d = (x - (0.80 - fold)) + ((0.06 + fold) - y)
        if d > fold:
            return None
        if d > fold - 0.035:
            return (120, 120, 140)       # fold edge
        if x > 0.80 - fold + 0.0 and (0.06 + fold) - y < x - (0.80 - fold):
            return (200, 205, 225)       # the folded flap
    edge = 0.035
    if x < 0.16 + edge or x > 0.80 - edge or y < 0.06 + edge or y > 0.94 - edge:
        return (90, 95, 120)
    # Lines of text.
    for top in (0.30, 0.44, 0.58, 0.72):
        if top <= y <= top + 0.06 and 0.26 <= x <= (0.70 if top != 0.72 else 0.52):
            return (70, 110, 190)
    return (255, 255, 255)


def inside_quill(x, y):
    # A feather lying from the bottom-left to the top-right, nib down-left.
    # Coordinates along (u) and across (v) the quill's axis.
    ax, ay, bx, by = 0.30, 0.86, 0.94, 0.12
    dx, dy = bx - ax, by - ay
    length = (dx * dx + dy * dy) ** 0.5
    u = ((x - ax) * dx + (y - ay) * dy) / length / length
    v = (-(x - ax) * dy + (y - ay) * dx) / length
    if u < 0 or u > 1:
        return None
    if u < 0.12:
        width = 0.012 + 0.05 * (u / 0.12)
        if abs(v) <= width:
            return (40, 40, 50)          # the metal nib
        return None
    width = 0.075 * (1 - ((u - 0.55) / 0.45) ** 2) if u < 1 else 0
    if abs(v) <= 0.012:
        return (120, 60, 20)             # the shaft
    if abs(v) <= max(width, 0.0):
        return (235, 150, 40) if v > 0 else (200, 110, 20)
    return None


def render(size):
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(SUPER):
                for sx in range(SUPER):
                    x = (px + (sx + 0.5) / SUPER) / size
                    y = (py + (sy + 0.5) / SUPER) / size
                    c = inside_quill(x, y) or inside_page(x, y)
                    if c:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits * 2 >= SUPER * SUPER:
                row.append(tuple(v // hits for v in acc))
            else:
                row.append(None)
        pixels.append(row)
    return pixels


def dib(size, pixels):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    colour_stride = (size * 3 + 3) & ~3
    mask_stride = ((size + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for py in reversed(range(size)):   # bottom-up
        line = bytearray()
        bits = bytearray(mask_stride)
        for px in range(size):
            c = pixels[py][px]
            if c is None:
                line += b'\x00\x00\x00'
                bits[px // 8] |= 0x80 >> (px % 8)
            else:
                line += bytes((c[2], c[1], c[0]))
        line += b'\x00' * (colour_stride - len(line))
        colour += line
        mask += bits
    return header + bytes(colour) + bytes(mask)


def main():
    images = [dib(s, render(s)) for s in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    target = os.path.join(os.path.dirname(__file__), '..', 'resources', 'quillex.ico')
    with open(target, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
