#!/usr/bin/env python3
"""The donation picture is a still GIF89a of 100 x 44 pixels with a 64-colour palette and one
transparent colour; the pointing hand is a 32 x 32 cursor of 16 colours with its hot spot at the
fingertip (12, 1).

    check_donation_and_cursor.py RESOURCES_FOLDER

Both are read with parsers of their own (the GIF's image data decoded), so that a slip in the
generator's writers does not hide itself.
"""

import struct
import sys
import unittest
from pathlib import Path

RESOURCES = Path()


def read_gif(data):
    """(width, height, palette, transparent index or None, indices, extensions seen)."""
    signature, width, height, packed, _, _ = struct.unpack_from("<6sHHBBB", data)
    if signature != b"GIF89a" or not packed & 0x80:
        raise ValueError("not a GIF89a with a global palette")
    colours = 2 << (packed & 7)
    palette = [tuple(data[13 + 3 * i : 16 + 3 * i]) for i in range(colours)]
    at, transparent, images, extensions = 13 + 3 * colours, None, [], []
    while data[at] != 0x3B:
        if data[at] == 0x21:
            label = data[at + 1]
            extensions.append(label)
            if label == 0xF9 and data[at + 3] & 1:
                transparent = data[at + 6]
            at = skip_blocks(data, at + 2)
        elif data[at] == 0x2C:
            _, _, w, h, flags = struct.unpack_from("<HHHHB", data, at + 1)
            if flags & 0x80:
                raise ValueError("a local palette")
            min_size, at = data[at + 10], at + 11
            end = skip_blocks(data, at)
            images.append(decode(join_blocks(data[at:end]), min_size, w * h))
            at = end
        else:
            raise ValueError(f"unknown block {data[at]:#x}")
    if len(images) != 1:
        raise ValueError(f"{len(images)} images")
    return width, height, palette, transparent, images[0], extensions


def skip_blocks(data, at):
    while data[at]:
        at += data[at] + 1
    return at + 1


def join_blocks(blocks):
    out, at = bytearray(), 0
    while blocks[at]:
        out += blocks[at + 1 : at + 1 + blocks[at]]
        at += blocks[at] + 1
    return bytes(out)


def decode(data, min_size, count):
    clear, end = 1 << min_size, (1 << min_size) + 1
    table, size, prev, out, bit = [], min_size + 1, None, [], 0

    def reset():
        return [[i] for i in range(clear)] + [None, None]

    table = reset()
    while True:
        code = int.from_bytes(data[bit // 8 : bit // 8 + 3], "little") >> (bit % 8) & (1 << size) - 1
        bit += size
        if code == clear:
            table, size, prev = reset(), min_size + 1, None
            continue
        if code == end:
            break
        if prev is None:
            entry = table[code]
        else:
            entry = table[code] if code < len(table) else prev + [prev[0]]
            if len(table) < 4096:
                table.append(prev + [entry[0]])
            if len(table) == 1 << size and size < 12:
                size += 1
        out += entry
        prev = entry
    if len(out) != count:
        raise ValueError(f"{len(out)} pixels decoded for {count}")
    return out


def read_cursor(data):
    """(size, hot spot, 16-colour palette, indices and mask rows top to bottom)."""
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if (reserved, kind, count) != (0, 2, 1):
        raise ValueError("not a cursor file of one image")
    w, h, colours, _, x, y, length, offset = struct.unpack_from("<BBBBHHII", data, 6)
    dib = data[offset : offset + length]
    header = struct.unpack_from("<IiiHHIIiiII", dib)
    if (w, h, colours) != (32, 32, 16) or header[:6] != (40, 32, 64, 1, 4, 0):
        raise ValueError(f"not a 32-pixel 16-colour cursor: {header}")
    palette = [tuple(dib[40 + 4 * i : 43 + 4 * i][::-1]) for i in range(16)]
    pixels_at, mask_at = 40 + 64, 40 + 64 + 32 * 16
    indices, masked = [], []
    for row in reversed(range(32)):
        line = dib[pixels_at + 16 * row : pixels_at + 16 * row + 16]
        indices.append([v for b in line for v in (b >> 4, b & 15)])
        bits = dib[mask_at + 4 * row : mask_at + 4 * row + 4]
        masked.append([bool(bits[i // 8] & 0x80 >> i % 8) for i in range(32)])
    return 32, (x, y), palette, indices, masked


class DonationPicture(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.gif = read_gif((RESOURCES / "donation.gif").read_bytes())

    def test_a_still_picture_of_100_by_44_with_64_colours_one_of_them_transparent(self):
        width, height, palette, transparent, _, extensions = self.gif
        self.assertEqual((width, height, len(palette)), (100, 44, 64))
        self.assertIsNotNone(transparent)
        self.assertNotIn(0xFF, extensions)  # no application block: nothing loops or animates

    def test_only_the_rounded_corners_are_transparent_and_the_face_is_light(self):
        width, height, palette, transparent, indices, _ = self.gif
        at = lambda x, y: indices[y * width + x]  # noqa: E731
        for x, y in [(0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)]:
            self.assertEqual(at(x, y), transparent, (x, y))
        self.assertLess(indices.count(transparent), len(indices) // 20)
        for x, y in [(6, height // 2), (width - 7, height // 2), (width // 2, 25), (50, 39)]:
            self.assertNotEqual(at(x, y), transparent)
            self.assertGreater(min(palette[at(x, y)]), 170, (x, y))


class HandCursor(unittest.TestCase):
    def test_a_16_colour_hand_whose_hot_spot_is_its_fingertip(self):
        size, hot_spot, palette, indices, masked = read_cursor((RESOURCES / "hand.cur").read_bytes())
        self.assertEqual(hot_spot, (12, 1))
        x, y = hot_spot
        self.assertFalse(masked[y][x])
        self.assertTrue(masked[0][0] and masked[size - 1][size - 1])
        self.assertTrue(masked[y - 1][x - 3] and masked[y][x - 3])  # the tip stands out
        cells = [(palette[i], m) for ri, rm in zip(indices, masked) for i, m in zip(ri, rm)]
        self.assertTrue(all(colour == (0, 0, 0) for colour, m in cells if m))
        self.assertGreater(sum(m for _, m in cells), len(cells) // 3)


if __name__ == "__main__":
    RESOURCES = Path(sys.argv.pop(1))
    unittest.main()
