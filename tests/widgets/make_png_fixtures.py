#!/usr/bin/env python3
"""Writes the picture files the picture decoder's tests read into png/ beside
this script: good_*.png in every colour type, depth, interlace, filter and
block type, bad_*.png damaged in one way each (with correct CRCs, unless the
CRC is the damage), and two BMP files. Only python3 and its zlib are needed.

    make_png_fixtures.py [FOLDER]"""

import os
import struct
import sys
import zlib

CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2)]


def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def header(width, height, depth, colour, interlace=0):
    return struct.pack('>IIBBBBB', width, height, depth, colour, 0, 0, interlace)


def sample(x, y, c, depth):
    """A pattern that reaches every value, the low byte of 16-bit ones too."""
    top = (1 << depth) - 1
    return (x * 37 + y * 101 + c * 53 + (x * y) % 7 * 211) % (top + 1) ^ (top if (x + y) % 5 == 0 else 0)


def pack(values, depth):
    if depth == 16:
        return b''.join(struct.pack('>H', v) for v in values)
    if depth == 8:
        return bytes(values)
    out, bits, count = bytearray(), 0, 0
    for v in values:
        bits = bits << depth | v
        count += depth
        if count == 8:
            out.append(bits)
            bits, count = 0, 0
    if count:
        out.append(bits << (8 - count))
    return bytes(out)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered(row, previous, step, kind):
    out = bytearray([kind])
    for i, v in enumerate(row):
        a = row[i - step] if i >= step else 0
        b = previous[i] if previous else 0
        c = previous[i - step] if previous and i >= step else 0
        guess = [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]
        out.append((v - guess) & 0xFF)
    return bytes(out)


def picture_data(width, height, depth, colour, interlace, filters=(0, 1, 2, 3, 4)):
    """The filtered rows, filter types taken in turn from `filters`."""
    channels = CHANNELS[colour]
    step = max(1, channels * depth // 8)
    passes = ADAM7 if interlace else [(0, 0, 1, 1)]
    out, n = bytearray(), 0
    for left, top, sx, sy in passes:
        xs, ys = range(left, width, sx), range(top, height, sy)
        if not xs or not ys:
            continue
        previous = None
        for y in ys:
            row = pack([sample(x, y, c, depth) for x in xs for c in range(channels)], depth)
            out += filtered(row, previous, step, filters[n % len(filters)])
            previous, n = row, n + 1
    return bytes(out)


def palette(count):
    return b''.join(bytes((i * 71 % 256, i * 13 % 256, (255 - i) % 256)) for i in range(count))


def png(width, height, depth, colour, data, interlace=0, before=b'', after=b'', parts=1):
    size = len(data)
    cuts = [size * i // parts for i in range(parts + 1)]
    idats = b''.join(chunk(b'IDAT', data[cuts[i]:cuts[i + 1]]) for i in range(parts))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header(width, height, depth, colour, interlace)) +
            before + idats + after + chunk(b'IEND', b''))


def zlib_wrap(deflated, raw):
    return b'\x78\x01' + deflated + struct.pack('>I', zlib.adler32(raw))


def stored(raw, size=100, last=True):
    """Stored blocks of `size` bytes, from the byte they start on."""
    out = bytearray()
    for at in range(0, len(raw), size):
        part = raw[at:at + size]
        final = 1 if last and at + size >= len(raw) else 0
        out += bytes([final]) + struct.pack('<HH', len(part), len(part) ^ 0xFFFF) + part
    return bytes(out)


def raw_deflate(raw, strategy=zlib.Z_DEFAULT_STRATEGY, level=9):
    packer = zlib.compressobj(level, zlib.DEFLATED, -15, 9, strategy)
    return packer.compress(raw) + packer.flush()


def block_type(deflated):
    return deflated[0] >> 1 & 3


class Bits:
    """A DEFLATE bit stream: fields lowest bit first, Huffman codes highest."""

    def __init__(self):
        self.bits = []

    def put(self, value, count):
        self.bits += [value >> i & 1 for i in range(count)]
        return self

    def code(self, value, count):
        self.bits += [value >> i & 1 for i in reversed(range(count))]
        return self

    def fixed(self, symbol):
        if symbol < 144:
            return self.code(0x30 + symbol, 8)
        if symbol < 256:
            return self.code(0x190 + symbol - 144, 9)
        if symbol < 280:
            return self.code(symbol - 256, 7)
        return self.code(0xC0 + symbol - 280, 8)

    def bytes(self):
        bits = self.bits + [0] * (-len(self.bits) % 8)
        return bytes(sum(bits[i + j] << j for j in range(8)) for i in range(0, len(bits), 8))


def good():
    files = {}
    for colour, depths in ((0, (1, 2, 4, 8, 16)), (2, (8, 16)), (3, (1, 2, 4, 8)), (4, (8, 16)),
                           (6, (8, 16))):
        for depth in depths:
            for interlace in (0, 1):
                width, height = (13, 11) if interlace else (17, 9)
                data = picture_data(width, height, depth, colour, interlace)
                plte = chunk(b'PLTE', palette(1 << depth)) if colour == 3 else b''
                name = 'good_c%d_d%d%s' % (colour, depth, '_adam7' if interlace else '')
                files[name] = png(width, height, depth, colour, zlib.compress(data, 9), interlace, plte)
    # Small pictures leave Adam7 passes empty.
    for width, height in ((1, 1), (2, 3), (5, 1)):
        data = picture_data(width, height, 8, 2, 1)
        files['good_tiny_%dx%d_adam7' % (width, height)] = png(width, height, 8, 2,
                                                               zlib.compress(data), 1)
    # One filter on every row, each of the five.
    for kind in range(5):
        data = picture_data(20, 6, 8, 6, 0, (kind,))
        files['good_filter%d' % kind] = png(20, 6, 8, 6, zlib.compress(data, 9))
    # Transparency, which the decoder leaves out as GDI+ does.
    trns = {0: struct.pack('>H', 0), 2: struct.pack('>HHH', 0, 0, 0), 3: bytes(range(0, 256, 16))}
    for colour in trns:
        data = picture_data(12, 12, 8, colour, 0)
        plte = chunk(b'PLTE', palette(256)) if colour == 3 else b''
        files['good_c%d_trns' % colour] = png(12, 12, 8, colour, zlib.compress(data),
                                              before=plte + chunk(b'tRNS', trns[colour]))
    # The block types; `dynamic` is large enough for zlib to choose one.
    data = picture_data(30, 20, 8, 2, 0)
    blocks = {'stored': stored(data), 'fixed': raw_deflate(data, zlib.Z_FIXED),
              'mixed': stored(data[:250], 50, False) + raw_deflate(data[250:], zlib.Z_FIXED)}
    for name, deflated in blocks.items():
        files['good_block_' + name] = png(30, 20, 8, 2, zlib_wrap(deflated, data))
    assert block_type(blocks['stored']) == 0 and block_type(blocks['fixed']) == 1
    big = picture_data(64, 64, 8, 2, 0)
    dynamic = raw_deflate(big)
    assert block_type(dynamic) == 2
    files['good_block_dynamic'] = png(64, 64, 8, 2, zlib_wrap(dynamic, big))
    # Data in several IDAT chunks, and chunks the decoder skips.
    files['good_three_idats'] = png(30, 20, 8, 2, zlib.compress(data), parts=3)
    files['good_ancillary'] = png(30, 20, 8, 2, zlib.compress(data),
                                  before=chunk(b'gAMA', struct.pack('>I', 45455)),
                                  after=chunk(b'tEXt', b'Comment\0made for the tests'))
    return files


def bad(base):
    """Damaged files made from `base`, a good 30 x 20 RGB picture."""
    data = picture_data(30, 20, 8, 2, 0)

    def with_header(width, height, depth=8, colour=2, interlace=0):
        return png(width, height, depth, colour, zlib.compress(data), interlace)

    def with_stream(stream):
        return png(30, 20, 8, 2, stream)

    def fixed_block(*symbols):
        bits = Bits().put(1, 1).put(1, 2)
        for symbol, extra in symbols:
            bits.fixed(symbol) if extra is None else bits.code(symbol, extra)
        return zlib_wrap(bits.fixed(256).bytes(), b'')

    def dynamic_block(literals, distances, length_code, lengths):
        """`length_code` maps code-length symbols to their code lengths;
        `lengths` is a list of (symbol, extra bits, extra value)."""
        order = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15]
        count = max(4, max(order.index(s) for s in length_code) + 1)
        bits = Bits().put(1, 1).put(2, 2).put(literals - 257, 5).put(distances - 1, 5)
        bits.put(count - 4, 4)
        for s in order[:count]:
            bits.put(length_code.get(s, 0), 3)
        # The canonical codes of the length code.
        codes, next_code = {}, 0
        for length in range(1, 8):
            for s in sorted(s for s in length_code if length_code[s] == length):
                codes[s] = (next_code, length)
                next_code += 1
            next_code <<= 1
        for symbol, extra, value in lengths:
            bits.code(*codes[symbol]).put(value, extra)
        return zlib_wrap(bits.bytes() + b'\0' * 8, b'')

    cut_idat = base.index(b'IDAT') + 20
    idat_length_at = base.index(b'IDAT') - 4
    files = {
        'bad_empty': b'',
        'bad_signature_only': base[:8],
        'bad_cut_in_header': base[:20],
        'bad_cut_in_data': base[:cut_idat],
        'bad_no_end': base[:base.index(b'IEND') - 4],
        'bad_idat_length_past_end': base[:idat_length_at] + struct.pack('>I', 0x7FFFFFF0) +
        base[idat_length_at + 4:],
        'bad_idat_crc': base[:cut_idat] + bytes([base[cut_idat] ^ 1]) + base[cut_idat + 1:],
        'bad_zero_width': with_header(0, 20),
        'bad_zero_height': with_header(30, 0),
        # Whole pictures, refused for their size alone.
        'bad_width_past_limit': png(16385, 1, 1, 0, zlib.compress(bytes(1 + 2049))),
        'bad_huge_width': with_header(0xFFFFFFFF, 20),
        'bad_too_many_pixels': png(8192, 8193, 1, 0, zlib.compress(bytes(8193 * 1025), 9)),
        'bad_rgb_depth4': with_header(30, 20, 4),
        'bad_colour_type5': with_header(30, 20, 8, 5),
        'bad_interlace2': with_header(30, 20, 8, 2, 2),
        'bad_palette_missing': png(4, 4, 8, 3, zlib.compress(bytes(20))),
        'bad_palette_257': png(4, 4, 8, 3, zlib.compress(bytes(20)),
                               before=chunk(b'PLTE', palette(257))),
        'bad_unknown_critical_chunk': png(30, 20, 8, 2, zlib.compress(data),
                                          before=chunk(b'ZZZZ', b'1')),
        'bad_filter5': png(30, 20, 8, 2, zlib.compress(bytes([5]) + data[1:])),
        'bad_stream_short': with_stream(zlib.compress(data[:-1])),
        'bad_stream_method': with_stream(b'\x77\x01' + zlib.compress(data)[2:]),
        'bad_stream_dictionary': with_stream(b'\x78\x20' + zlib.compress(data)[2:]),
        'bad_block_type3': with_stream(zlib_wrap(Bits().put(1, 1).put(3, 2).bytes(), b'')),
        'bad_stored_length': with_stream(zlib_wrap(b'\x01\x10\x00\x00\x00' + bytes(16), b'')),
        'bad_distance_before_start': with_stream(fixed_block((0, None), (257, None), (1, 5))),
        'bad_literal_code_286': with_stream(fixed_block((286, None))),
        'bad_distance_code_30': with_stream(fixed_block((0, None), (257, None), (30, 5))),
        'bad_code_oversubscribed': with_stream(
            dynamic_block(257, 1, {s: 1 for s in range(19)}, [])),
        'bad_code_without_end': with_stream(
            dynamic_block(257, 1, {0: 1, 8: 1}, [(8, 0, 0)] * 256 + [(0, 0, 0)] * 2)),
        'bad_repeat_first': with_stream(dynamic_block(257, 1, {0: 1, 16: 1}, [(16, 2, 0)])),
        'bad_repeat_past_end': with_stream(
            dynamic_block(257, 1, {0: 1, 18: 1}, [(18, 7, 127)] * 2)),
    }
    return files


def bmp(width, height, bits):
    """A bottom-up BMP of the test pattern, 24 or 32 bits a pixel."""
    stride = (width * bits // 8 + 3) & ~3
    rows = b''
    for y in reversed(range(height)):
        row = b''.join(bytes([sample(x, y, 2, 8), sample(x, y, 1, 8), sample(x, y, 0, 8)] +
                             [0x40] * (bits == 32)) for x in range(width))
        rows += row + bytes(stride - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(rows), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + len(info) + len(rows), 0, 0, 14 + len(info)) + info + rows


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), 'png')
    os.makedirs(folder, exist_ok=True)
    files = good()
    files.update(bad(files['good_block_fixed']))
    for name, content in sorted(files.items()):
        with open(os.path.join(folder, name + '.png'), 'wb') as out:
            out.write(content)
    for bits in (24, 32):
        with open(os.path.join(folder, 'good_%d_bits.bmp' % bits), 'wb') as out:
            out.write(bmp(7, 5, bits))


if __name__ == '__main__':
    main()
