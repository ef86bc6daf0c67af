#!/usr/bin/env python3
"""Draws the program's icon, button pictures, donation picture and pointing-hand cursor, and writes
them as .ico, .gif and .cur files.

    make_pictures.py [OUTPUT_FOLDER]

Without a folder the files are written beside this script, where the committed copies live.
The output depends on nothing but this code, byte for byte.

Every picture is a 256-colour image with a transparency mask, not a 32-bit one with alpha: a
disabled button draws its icon embossed (DrawState, DSS_DISABLED), and that rendering keeps the
pure white pixels of a 256-colour image as light, so the picture stays readable, where an image
with alpha comes out as a bare silhouette. The drawings therefore keep their white details exactly
white.

Each button picture also has a plain line drawing, in one ink on a transparent ground, which the
buttons show in high-contrast schemes in the scheme's colour of text; it comes at the sizes a button
asks for at 96 and 144 DPI.
"""

import sys
from pathlib import Path

sys.dont_write_bytecode = True  # keeps the source tree clean when the tests run the generator

from pictures import (about_icon, compress_icon, donation_picture, hand_cursor, help_icon,
                      new_folder_icon, plain, program_icon, quit_icon)
from pictures.curfile import cur
from pictures.giffile import gif
from pictures.icofile import ico, image_256

PICTURES = {
    "tassefiche.ico": lambda: ico([image_256(32, program_icon.draw())]),
    "compress.ico": lambda: ico([image_256(n, compress_icon.draw(n)) for n in (16, 32, 48)]),
    "new_folder.ico": lambda: ico([image_256(32, new_folder_icon.draw())]),
    "help.ico": lambda: ico([image_256(32, help_icon.draw())]),
    "about.ico": lambda: ico([image_256(32, about_icon.draw())]),
    "quit.ico": lambda: ico([image_256(32, quit_icon.draw())]),
    **{
        f"{name}_plain.ico": lambda module=module: ico(
            [image_256(n, plain.draw(module.plain_layers(), n)) for n in (32, 48)])
        for name, module in (("tassefiche", program_icon), ("compress", compress_icon),
                             ("new_folder", new_folder_icon), ("help", help_icon),
                             ("about", about_icon), ("quit", quit_icon))
    },
    # Shown on the about window's black background, which its anti-aliased edges are blended over.
    "donation.gif": lambda: gif(donation_picture.WIDTH, donation_picture.HEIGHT,
                                donation_picture.draw(), colours=64, background=(0, 0, 0)),
    "hand.cur": lambda: cur(hand_cursor.ROWS, hand_cursor.COLOURS, hand_cursor.HOT_SPOT),
}


def main(argv):
    if len(argv) > 2:
        sys.exit(f"usage: {Path(argv[0]).name} [OUTPUT_FOLDER]")
    folder = Path(argv[1]) if len(argv) == 2 else Path(__file__).resolve().parent
    folder.mkdir(parents=True, exist_ok=True)
    for name, make in PICTURES.items():
        (folder / name).write_bytes(make())


if __name__ == "__main__":
    main(sys.argv)
