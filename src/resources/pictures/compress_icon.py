"""The compress button's picture: a filing-cabinet drawer squeezed in a screw clamp.

The 32-pixel layout also serves, scaled, for 48 pixels; 16 pixels has a layout of its own with
thicker parts and without the label card and the screw's thread, which it has no room for.
"""

from . import plain
from .canvas import Canvas, linear, solid
from .shapes import polygon, rect

CLAMP_LINE = (96, 14, 10)
STEEL_LINE = (44, 48, 56)
DRAWER_LINE = (70, 62, 44)

_LARGE = {
    "drawer": (9, 13, 29, 25),
    "label": (16, 15, 22, 18.5),
    "handle": (14, 20, 24, 23, 1),
    "frame": [(1, 3, 23, 8, 2), (1, 3, 6, 30, 2), (1, 25, 23, 30, 2)],
    "screw": (17, 0, 21, 12),
    "bar": (11, 0.5, 27, 3.5, 1.5),
    "pad": (12, 10, 26, 13, 1),
}
_SMALL = {
    "drawer": (4, 8, 15, 13),
    "handle": (7, 10, 12, 11),
    "frame": [(0, 2, 11, 5, 1), (0, 2, 3, 16, 1), (0, 13, 11, 16, 1)],
    "screw": (8, 1, 11, 7),
    "bar": (5, 0, 14, 3, 1),
    "pad": (6, 6, 13, 8),
}


def draw(size):
    detailed = size >= 24
    layout, s = (_LARGE, size / 32) if detailed else (_SMALL, 1.0)
    c = Canvas(size)

    def grid(v):
        return int(v * s + 0.5)

    def box(x0, y0, x1, y1, radius=0.0):
        return rect(grid(x0), grid(y0), grid(x1), grid(y1), radius * s)

    steel = linear((0, 0), (236, 238, 244), (0, size), (120, 126, 138))
    drawer = _squeezed(*(grid(v) for v in layout["drawer"]))
    top, bottom = drawer.box[1], drawer.box[3]
    c.fill_raised(drawer, linear((0, top), (226, 218, 196), (0, bottom), (176, 166, 140)),
                  DRAWER_LINE)
    if detailed:
        c.fill_outlined(box(*layout["label"]), solid((255, 255, 255)), STEEL_LINE)
    c.fill_outlined(box(*layout["handle"]), steel, STEEL_LINE)
    # The C-shaped frame, open to the right, and its screw pressing on the drawer through a pad.
    frame = box(*layout["frame"][0]) | box(*layout["frame"][1]) | box(*layout["frame"][2])
    c.fill_outlined(frame, linear((0, 0), (240, 84, 60), (size, size), (176, 26, 18)), CLAMP_LINE)
    screw = box(*layout["screw"])
    c.fill_raised(screw, steel, STEEL_LINE)
    if detailed:
        x0, _, x1, _ = screw.box
        for y in (5, 7, 9):
            c.fill(rect(x0 + 1, grid(y), x1 - 1, grid(y) + 1), solid((140, 146, 158)))
    c.fill_raised(box(*layout["bar"]), steel, STEEL_LINE)
    c.fill_raised(box(*layout["pad"]), steel, STEEL_LINE)
    return c.rgba()


def plain_layers():
    """The clamp's frame, its screw with the bar on top and the pad below going through it, and the
    drawer squeezed in front of the pad, with its handle."""
    big = _LARGE
    # The frame's upper arm ends under the screw, so that no sliver of it shows past the screw.
    x0, y0, _, y1, _ = big["frame"][0]
    frame = rect(x0, y0, big["screw"][2] - 2, y1) | rect(*big["frame"][1]) | rect(*big["frame"][2])
    screw = rect(*big["bar"]) | rect(*big["screw"]) | rect(*big["pad"])
    return [plain.filled(frame), plain.filled(screw), plain.outlined(_squeezed(*big["drawer"])),
            plain.filled(rect(*big["handle"]))]


def _squeezed(x0, y0, x1, y1):
    """A drawer front flattened between the jaws: its sides bulge out a pixel, on whole pixels."""
    q = max(1, (y1 - y0) // 6)
    right = [(x1, y0 + q), (x1 + 1, y0 + 2 * q), (x1 + 1, y1 - 2 * q), (x1, y1 - q)]
    left = [(x0, y1 - q), (x0 - 1, y1 - 2 * q), (x0 - 1, y0 + 2 * q), (x0, y0 + q)]
    return polygon([(x0, y0), (x1, y0), *right, (x1, y1), (x0, y1), *left])
