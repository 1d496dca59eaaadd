#!/usr/bin/env python3
"""Writes the list-icon pictures assets/ListIconsQVGA.png (16-pixel icons) and
assets/ListIconsVGA.png (32-pixel icons): one row of 25 square icons on the
magenta key (254, 0, 254).

Sources, beside this script:
  icons16.txt  the 16-pixel drawings of icons 0-23, one character a pixel;
               the 32-pixel icons are drawn from them with Scale2x, which
               doubles them and rounds their diagonals.
  palette.txt  the theme palette that goes into row 5 of the colour swatch
               (icon 24), one pixel a colour in columns 0-11.

Run it after changing a source (python3, standard library only); the PNG
files are kept in the repository, so the build never needs this script.
  tools/list-icons/make-list-icons.py [--preview FOLDER]
--preview also writes enlarged copies on a grey checkerboard for looking at.
"""

import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.join(HERE, '..', '..', 'assets')
KEY = (254, 0, 254)
ICON_COUNT = 25
SWATCH = 24
SWATCH_ROW = 5
PALETTE_SIZE = 12


def fail(message):
    sys.exit('make-list-icons: ' + message)


def read_icons(path):
    """Returns the 24 drawings as 16 x 16 lists of colours (None = key)."""
    colours = {'.': None}
    icons = []
    current = None
    for number, line in enumerate(open(path, encoding='utf-8'), 1):
        line = line.rstrip('\n')
        if line.startswith('#') or (not line.strip() and current is None):
            continue
        if line.startswith(':'):
            parts = line[1:].split()
            colours[parts[0]] = tuple(int(v) for v in parts[1:4])
        elif line.startswith('=='):
            index = int(line.split()[1])
            if index != len(icons):
                fail('%s:%d: icon %d out of order' % (path, number, index))
            current = []
            icons.append(current)
        elif not line.strip():
            current = None
        else:
            if current is None or len(line) != 16 or len(current) == 16:
                fail('%s:%d: rows are 16 characters, 16 rows an icon' % (path, number))
            try:
                current.append([colours[c] for c in line])
            except KeyError as e:
                fail('%s:%d: unknown colour %s' % (path, number, e))
    if len(icons) != SWATCH or any(len(icon) != 16 for icon in icons):
        fail('%s: needs icons 0 to %d of 16 rows each' % (path, SWATCH - 1))
    return icons


def read_palette(path):
    palette = [None] * PALETTE_SIZE
    for line in open(path, encoding='utf-8'):
        parts = line.split()
        if not parts or parts[0].startswith('#'):
            continue
        index = int(parts[0])
        palette[index] = None if parts[1] == 'unset' else tuple(int(v) for v in parts[1:4])
    return palette


def scale2x(icon):
    """Doubles a drawing; corners take a neighbour's colour where two
    neighbours agree, so diagonals stay lines instead of steps."""
    n = len(icon)
    at = lambda x, y: icon[min(max(y, 0), n - 1)][min(max(x, 0), n - 1)]
    out = [[None] * (2 * n) for _ in range(2 * n)]
    for y in range(n):
        for x in range(n):
            p, a, b, c, d = at(x, y), at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            e0, e1, e2, e3 = p, p, p, p
            if c == a and c != d and a != b:
                e0 = a
            if a == b and a != c and b != d:
                e1 = b
            if d == c and d != b and c != a:
                e2 = c
            if b == d and b != a and d != c:
                e3 = d
            out[2 * y][2 * x], out[2 * y][2 * x + 1] = e0, e1
            out[2 * y + 1][2 * x], out[2 * y + 1][2 * x + 1] = e2, e3
    return out


def swatch(size, palette):
    """Colour x as a stripe in column x; row 5 is what the program reads."""
    icon = [[None] * size for _ in range(size)]
    for y in range(1, size - 1):
        for x, colour in enumerate(palette):
            icon[y][x] = colour
    return icon


def strip(icons):
    size = len(icons[0])
    rows = []
    for y in range(size):
        row = []
        for icon in icons:
            row.extend(colour or KEY for colour in icon[y])
        rows.append(row)
    return rows


def png(rows):
    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))
    height, width = len(rows), len(rows[0])
    raw = b''.join(b'\0' + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b'\x89PNG\r\n\x1a\n' +
            chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def preview(rows, factor, per_line=5):
    """Enlarged, five icons a line, the key shown as a grey checkerboard."""
    size = len(rows)
    out = []
    for first in range(0, ICON_COUNT, per_line):
        for y in range(size * factor):
            line = []
            for x in range(first * size * factor, min(first + per_line, ICON_COUNT) * size * factor):
                colour = rows[y // factor][x // factor]
                if colour == KEY:
                    shade = 200 if (x // 4 + y // 4) % 2 else 230
                    colour = (shade, shade, shade)
                line.append(colour)
            line.extend([(255, 255, 255)] * (per_line * size * factor - len(line)))
            out.append(line)
        out.extend([[(255, 255, 255)] * (per_line * size * factor)] * factor)
    return out


def main():
    icons16 = read_icons(os.path.join(HERE, 'icons16.txt'))
    palette = read_palette(os.path.join(HERE, 'palette.txt'))
    pictures = {
        'ListIconsQVGA.png': strip(icons16 + [swatch(16, palette)]),
        'ListIconsVGA.png': strip([scale2x(icon) for icon in icons16] + [swatch(32, palette)]),
    }
    for name, rows in pictures.items():
        with open(os.path.join(ASSETS, name), 'wb') as f:
            f.write(png(rows))
    if len(sys.argv) == 3 and sys.argv[1] == '--preview':
        for name, rows in pictures.items():
            factor = 8 if len(rows) == 16 else 4
            with open(os.path.join(sys.argv[2], 'preview-' + name), 'wb') as f:
                f.write(png(preview(rows, factor)))


if __name__ == '__main__':
    main()
