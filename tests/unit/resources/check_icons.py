#!/usr/bin/env python3
"""The committed .ico files are well-formed 256-colour icons of the sizes the program asks for.

    check_icons.py RESOURCES_FOLDER

Read with a parser of its own, so that a slip in the generator's writer does not hide itself.
"""

import struct
import sys
import unittest
from pathlib import Path

COLOURED = {
    "tassefiche.ico": [32],
    "compress.ico": [16, 32, 48],
    "new_folder.ico": [32],
    "help.ico": [32],
    "about.ico": [32],
    "quit.ico": [32],
}
# The plain drawings for high contrast, at the sizes of a button's picture at 96 and 144 DPI.
PLAIN = {name.replace(".ico", "_plain.ico"): [32, 48] for name in COLOURED}
SIZES = COLOURED | PLAIN
RESOURCES = Path()


def read_icon(data):
    """The images of an .ico file as (size, palette, indices, masked) with rows top to bottom."""
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if (reserved, kind) != (0, 1):
        raise ValueError("not an icon file")
    images = []
    for k in range(count):
        entry = struct.unpack_from("<BBBBHHII", data, 6 + 16 * k)
        w, h, colours, _, planes, bits, length, offset = entry
        if (w, colours, planes, bits) != (h, 0, 1, 8) or offset + length > len(data):
            raise ValueError(f"directory entry {k} is inconsistent")
        images.append(read_dib(data[offset : offset + length], w or 256))
    return images


def read_dib(dib, size):
    header = struct.unpack_from("<IiiHHIIiiII", dib)
    if header[:6] != (40, size, 2 * size, 1, 8, 0) or header[9] not in (0, 256):
        raise ValueError(f"bitmap header {header} does not describe a {size}-pixel 8-bit icon")
    palette = [tuple(dib[40 + 4 * i : 43 + 4 * i][::-1]) for i in range(256)]
    stride, mask_stride = (size + 3) // 4 * 4, (size + 31) // 32 * 4
    pixels_at = 40 + 1024
    mask_at = pixels_at + size * stride
    if len(dib) != mask_at + size * mask_stride:
        raise ValueError(f"a {size}-pixel image of {len(dib)} bytes")
    indices, masked = [], []
    for row in reversed(range(size)):
        line = dib[pixels_at + row * stride :]
        bits = dib[mask_at + row * mask_stride :]
        indices.append(list(line[:size]))
        masked.append([bool(bits[i // 8] & (0x80 >> (i % 8))) for i in range(size)])
    return size, palette, indices, masked


class CommittedIcons(unittest.TestCase):
    def test_each_file_holds_the_sizes_asked_for(self):
        self.assertEqual(sorted(p.name for p in RESOURCES.glob("*.ico")), sorted(SIZES))
        for name, sizes in SIZES.items():
            with self.subTest(name):
                images = read_icon((RESOURCES / name).read_bytes())
                self.assertEqual([size for size, *_ in images], sizes)

    def test_masked_pixels_leave_the_screen_alone_and_shown_ones_draw_a_picture(self):
        for name in SIZES:
            for size, palette, indices, masked in read_icon((RESOURCES / name).read_bytes()):
                with self.subTest(name=name, size=size):
                    cells = [(palette[i], m) for row_i, row_m in zip(indices, masked)
                             for i, m in zip(row_i, row_m)]
                    # Under the mask the colour is XORed onto the screen: all but black tints it.
                    self.assertTrue(all(colour == (0, 0, 0) for colour, m in cells if m))
                    hidden = sum(m for _, m in cells)
                    self.assertGreater(hidden, len(cells) // 10, "no transparent surround")
                    self.assertGreater(len(cells) - hidden, len(cells) // 8, "almost nothing shown")

    def test_every_picture_keeps_pure_white_for_its_disabled_look(self):
        for name in COLOURED:
            for size, palette, indices, masked in read_icon((RESOURCES / name).read_bytes()):
                with self.subTest(name=name, size=size):
                    whites = sum(palette[i] == (255, 255, 255) and not m
                                 for row_i, row_m in zip(indices, masked)
                                 for i, m in zip(row_i, row_m))
                    self.assertGreaterEqual(whites, size // 8)

    def test_plain_drawings_have_one_ink(self):
        # The button paints every shown pixel in one colour of the scheme: any other would be lost.
        for name in PLAIN:
            for size, palette, indices, masked in read_icon((RESOURCES / name).read_bytes()):
                with self.subTest(name=name, size=size):
                    shown = {palette[i] for row_i, row_m in zip(indices, masked)
                             for i, m in zip(row_i, row_m) if not m}
                    self.assertEqual(shown, {(0, 0, 0)})


if __name__ == "__main__":
    RESOURCES = Path(sys.argv.pop(1))
    unittest.main()
