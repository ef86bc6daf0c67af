"""Writing a GIF89a file of one image: a global palette, one transparent colour, LZW-compressed."""

import struct
from collections import Counter

from . import palette

_CLEAR_TABLE_AT = 4096  # a code table holds at most 4096 codes


def gif(width, height, rgba, colours=64, background=(0, 0, 0)):
    """One still image with a palette of `colours` entries, the last of them transparent.

    A pixel of less than a quarter alpha is transparent; the others are blended over `background`
    (the colour of the window the picture is shown on), so that anti-aliased edges stay smooth
    there without a second transparency level, which the format does not have.
    """
    shown = [None if a < 64 else _over(r, g, b, a, background) for r, g, b, a in rgba]
    counts = Counter(c for c in shown if c is not None)
    mapping = palette.reduce(counts, colours - 1)
    table = sorted(set(mapping.values()))
    transparent = colours - 1
    index = {c: table.index(p) for c, p in mapping.items()}
    table += [background] * (colours - len(table))
    indices = [transparent if c is None else index[c] for c in shown]

    depth = (colours - 1).bit_length()  # colours is a power of two, from 4 to 256
    screen = struct.pack("<6sHHBBB", b"GIF89a", width, height, 0x80 | (depth - 1) << 4 | (depth - 1),
                         0, 0)
    colour_table = b"".join(bytes(c) for c in table)
    # Graphic control: no disposal, no user input, the transparent index, no delay.
    control = struct.pack("<BBBBHBB", 0x21, 0xF9, 4, 0x01, 0, transparent, 0)
    descriptor = struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    data = _sub_blocks(_lzw(indices, depth))
    return screen + colour_table + control + descriptor + bytes((depth,)) + data + b"\x3b"


def _over(r, g, b, a, background):
    keep = 255 - a
    return tuple((v * a + bg * keep + 127) // 255 for v, bg in zip((r, g, b), background))


def _lzw(indices, min_code_size):
    """The codes of the image data, packed least significant bit first.

    The width of a code follows the number of codes the reader has added to its table when it reads
    it, which is one fewer than the writer's: the k-th code after a clear is read with
    max(min_code_size + 1, bit length of (end + k)) bits, at most 12.
    """
    clear = 1 << min_code_size
    end = clear + 1
    bits = _Bits()
    since_clear = 0

    def emit(code):
        nonlocal since_clear
        width = min(12, max(min_code_size + 1, (end + since_clear).bit_length()))
        bits.put(code, width)
        since_clear += 1

    def start_table():
        nonlocal since_clear
        emit(clear)
        since_clear = 0
        return {}, end + 1

    codes, next_code = start_table()
    prefix = indices[0]
    for k in indices[1:]:
        known = codes.get((prefix, k))
        if known is not None:
            prefix = known
            continue
        emit(prefix)
        if next_code < _CLEAR_TABLE_AT:
            codes[(prefix, k)] = next_code
            next_code += 1
        else:
            codes, next_code = start_table()
        prefix = k
    emit(prefix)
    emit(end)
    return bits.data()


class _Bits:
    def __init__(self):
        self._out = bytearray()
        self._value = 0
        self._count = 0

    def put(self, code, width):
        self._value |= code << self._count
        self._count += width
        while self._count >= 8:
            self._out.append(self._value & 0xFF)
            self._value >>= 8
            self._count -= 8

    def data(self):
        return bytes(self._out) + (bytes((self._value,)) if self._count else b"")


def _sub_blocks(data):
    out = bytearray()
    for at in range(0, len(data), 255):
        chunk = data[at : at + 255]
        out += bytes((len(chunk),)) + chunk
    return bytes(out) + b"\0"
