"""Writing a .cur file of one 16-colour image with its transparency mask and hot spot."""

import struct

# The 16 colours of the standard palette, in their usual order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def cur(rows, colours, hot_spot):
    """A cursor drawn as rows of characters: `colours` maps a character to a colour of VGA, and
    any other character is transparent (black under a set mask bit: the screen shows unchanged).
    """
    size = len(rows)
    if any(len(row) != size for row in rows):
        raise ValueError("a cursor is square")
    pixels, mask = bytearray(), bytearray()
    for row in reversed(rows):  # a DIB is stored bottom up
        indices = [VGA.index(colours[ch]) if ch in colours else 0 for ch in row]
        pixels += bytes(indices[i] << 4 | indices[i + 1] for i in range(0, size, 2))
        pixels += bytes(-(size // 2) % 4)
        bits = bytearray((size + 31) // 32 * 4)
        for i, ch in enumerate(row):
            if ch not in colours:
                bits[i // 8] |= 0x80 >> (i % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(pixels) + len(mask),
                         0, 0, 16, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA)
    image = header + table + bytes(pixels) + bytes(mask)
    x, y = hot_spot
    directory = struct.pack("<HHH", 0, 2, 1)
    directory += struct.pack("<BBBBHHII", size, size, 16, 0, x, y, len(image), 6 + 16)
    return directory + image
