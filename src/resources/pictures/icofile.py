"""Writing .ico files of 256-colour images, each with its transparency mask."""

import struct
from collections import Counter, namedtuple

from . import palette

# An icon image is a bottom-up DIB of twice the icon's height: the colour rows, then the AND mask.
_HEADER = struct.Struct("<IiiHHIIiiII")
_ENTRY = struct.Struct("<BBBBHHII")
OPAQUE_FROM = 128  # a 256-colour icon has no alpha: a pixel is shown or it is not

Image = namedtuple("Image", "size data")


def image_256(size, rgba):
    """A 256-colour image: pixels below half alpha are masked, the others show their colour."""
    shown = [(r, g, b) if a >= OPAQUE_FROM else None for r, g, b, a in rgba]
    counts = Counter(c for c in shown if c is not None)
    # Index 0 is black: under the mask it leaves the screen unchanged (screen AND 1, then XOR 0).
    mapping = palette.reduce(counts, 255)
    table = [(0, 0, 0)] + sorted(set(mapping.values()) - {(0, 0, 0)})
    index = {c: table.index(p) for c, p in mapping.items()}
    table += [(0, 0, 0)] * (256 - len(table))
    pixels = bytearray()
    for row in _bottom_up(shown, size):
        pixels += bytes(0 if c is None else index[c] for c in row)
        pixels += bytes(-size % 4)
    mask = _mask(shown, size, lambda c: c is None)
    header = _HEADER.pack(40, size, 2 * size, 1, 8, 0, len(pixels) + len(mask), 0, 0, 256, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in table)
    return Image(size, header + colours + bytes(pixels) + mask)


def ico(images):
    """The .ico file holding the given images in order."""
    offset = 6 + _ENTRY.size * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for image in images:
        side = image.size % 256  # 0 stands for 256
        directory += _ENTRY.pack(side, side, 0, 0, 1, 8, len(image.data), offset)
        offset += len(image.data)
    return directory + b"".join(image.data for image in images)


def _bottom_up(pixels, size):
    return [pixels[j * size : (j + 1) * size] for j in reversed(range(size))]


def _mask(pixels, size, masked):
    """The AND mask: one bit a pixel, set where the screen shows through; rows padded to 32 bits."""
    out = bytearray()
    stride = (size + 31) // 32 * 4
    for row in _bottom_up(pixels, size):
        bits = bytearray(stride)
        for i, p in enumerate(row):
            if masked(p):
                bits[i // 8] |= 0x80 >> (i % 8)
        out += bits
    return bytes(out)
