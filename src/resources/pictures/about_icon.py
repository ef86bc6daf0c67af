"""The about button's picture: a blue italic letter i."""

from . import plain
from .canvas import Canvas, linear
from .shapes import circle, polygon

LINE = (12, 34, 112)
_SLANT = 0.22  # horizontal shift per pixel of height
_BASE = 21.0  # the height about which the upright letter is slanted


def draw():
    c = Canvas(32)
    paint = linear((10, 4), (110, 170, 255), (24, 26), (18, 62, 196))
    c.fill_raised(_stem(), paint, LINE)
    c.fill_raised(_dot(), paint, LINE)
    return c.rgba()


def plain_layers():
    return [plain.filled(_stem()), plain.filled(_dot())]


def _stem():
    """An upright slab-serif i, slanted: a flag to the left at the top, a foot across the bottom."""
    return polygon(
        _slanted(
            [(9, 12), (18.5, 12), (18.5, 26.5), (22, 26.5), (22, 30), (8.5, 30), (8.5, 26.5),
             (12.5, 26.5), (12.5, 15), (9, 15)]
        )
    )


def _dot():
    return circle(15.5 + _SLANT * (_BASE - 5.5), 5.5, 3.8)


def _slanted(points):
    return [(x + _SLANT * (_BASE - y), y) for x, y in points]
