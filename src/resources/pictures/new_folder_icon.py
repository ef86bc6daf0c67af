"""The new-folder button's picture: a manila folder with a pencil across it."""

import math

from . import plain
from .canvas import Canvas, linear, solid
from .shapes import polygon, rect

FOLDER_LINE = (128, 86, 10)
PENCIL_LINE = (58, 36, 16)

_BACK = polygon([(1, 5), (10, 5), (12, 7.5), (27, 7.5), (27, 26), (1, 26)])
_FRONT = polygon([(3.5, 12), (30, 12), (27, 27.5), (1, 27.5)])
# The pencil, from its point to the end of its eraser; the length of its sharpened cone.
_TIP, _END, _HALF_WIDTH = (13.0, 29.0), (30.5, 11.5), 3.0
_CONE = 7.0


def draw():
    c = Canvas(32)
    c.fill_outlined(_BACK, linear((0, 5), (236, 186, 70), (0, 26), (206, 150, 40)), FOLDER_LINE)
    c.fill_outlined(rect(4, 9.5, 24, 20), solid((255, 255, 255)), (150, 150, 150))
    c.fill_raised(_FRONT, linear((0, 12), (255, 230, 130), (0, 27), (240, 188, 64)), FOLDER_LINE)
    _pencil(c)
    return c.rgba()


def plain_layers():
    """The folder's back and front, and the pencil across them, its point cut off by a line."""
    length, _, band = _pencil_frame()
    h = _HALF_WIDTH
    body, point = band(_CONE, length, h, h), band(0, _CONE, 0, h)
    return [plain.outlined(_BACK), plain.outlined(_FRONT), plain.filled(body | point),
            plain.filled(point)]


def _pencil_frame():
    """The pencil's length, and points along it and bands across it measured from its point."""
    tip, end = _TIP, _END
    dx, dy = end[0] - tip[0], end[1] - tip[1]
    length = math.sqrt(dx * dx + dy * dy)
    ux, uy = dx / length, dy / length
    vx, vy = -uy, ux

    def at(along, across):
        return (tip[0] + ux * along + vx * across, tip[1] + uy * along + vy * across)

    def band(a0, a1, w0, w1):
        return polygon([at(a0, -w0), at(a1, -w1), at(a1, w1), at(a0, w0)])

    return length, at, band


def _pencil(c):
    """A hexagonal pencil."""
    length, at, band = _pencil_frame()
    h = _HALF_WIDTH
    cone, body_end, band_end = _CONE, length - 6.5, length - 4.0
    outline = band(0, cone, 0, h) | band(cone, length, h, h)
    c.fill(outline.grown(1.0), solid(PENCIL_LINE))
    c.fill(band(0, cone, 0, h), solid((232, 196, 146)))
    c.fill(band(0, 2.8, 0, h * 2.8 / cone), solid((54, 54, 60)))
    # Three lit faces of the hexagonal body: shaded, bright, mid.
    for lo, hi, colour in ((-h, -h / 3, (210, 110, 10)), (-h / 3, h / 3, (255, 196, 70)),
                           (h / 3, h, (240, 150, 26))):
        c.fill(polygon([at(cone, lo), at(body_end, lo), at(body_end, hi), at(cone, hi)]),
               solid(colour))
    ferrule = linear(at(0, -h), (150, 150, 160), at(0, h), (228, 228, 236))
    c.fill(band(body_end, band_end, h, h), ferrule)
    c.fill(band(band_end, length, h, h), solid((238, 120, 140)))
