"""The quit button's picture: an arrow going into an open door."""

from . import plain
from .canvas import Canvas, linear, solid
from .shapes import circle, polygon, rect

WOOD_LINE = (66, 38, 14)
ARROW_LINE = (0, 70, 20)

_FRAME = rect(5, 2, 21, 31)
_LEAF = polygon([(20, 3), (30.5, 0.5), (30.5, 31.5), (20, 30)])
_KNOB = circle(27, 16.3, 1.4)
_ARROW = polygon([(0.5, 14), (8, 14), (8, 8.5), (16.5, 17), (8, 25.5), (8, 20), (0.5, 20)])


def draw():
    c = Canvas(32)
    # The frame, the dark room beyond it, and the door swung open towards us on its right hinge.
    c.fill_outlined(_FRAME, solid((150, 96, 48)), WOOD_LINE)
    c.fill(rect(7, 4, 19, 31), linear((0, 4), (22, 24, 36), (0, 31), (70, 72, 86)))
    c.fill_raised(_LEAF, linear((20, 0), (214, 150, 84), (31, 0), (168, 104, 46)), WOOD_LINE)
    panel = solid((150, 92, 40))
    c.fill(polygon([(22.5, 5.5), (28.5, 3.8), (28.5, 14), (22.5, 14.5)]), panel)
    c.fill(polygon([(22.5, 18), (28.5, 18.2), (28.5, 27.8), (22.5, 26.5)]), panel)
    c.fill(_KNOB, solid((250, 206, 60)))
    c.fill_raised(_ARROW, linear((0, 10), (120, 230, 100), (0, 24), (24, 150, 40)), ARROW_LINE)
    return c.rgba()


def plain_layers():
    """The frame, the open leaf with its knob, and the arrow going in through the doorway."""
    return [plain.outlined(_FRAME), plain.outlined(_LEAF), plain.filled(_KNOB.grown(0.6)),
            plain.filled(_ARROW)]
