"""The help button's picture: a white question mark on a green disc."""

from . import plain
from .canvas import Canvas, radial, solid
from .shapes import circle, half_plane, ring, segment

LINE = (0, 84, 28)


def draw():
    c = Canvas(32)
    c.fill(circle(16, 16, 15.2), solid(LINE))
    c.fill(circle(16, 16, 14.2), radial((11, 9), 19, (132, 222, 108), (18, 138, 44)))
    mark = _question_mark()
    c.fill(mark.moved(0.8, 0.8), solid(LINE, 150))
    c.fill(mark, solid((255, 255, 255)))
    return c.rgba()


def plain_layers():
    """The disc's edge around the question mark."""
    return [plain.outlined(circle(16, 16, 15.2)), plain.filled(_question_mark())]


def _question_mark():
    cx, cy, r, w = 16.0, 11.5, 5.0, 4.2
    # The hook: the upper half of a ring, then on the right down to 60 degrees below the horizontal.
    upper = half_plane(cx, cy, 0, 1)
    lower_right = half_plane(cx, cy, -1, 0) & half_plane(cx, cy, -0.866, 0.5)
    hook = ring(cx, cy, r, w) & (upper | lower_right)
    end_x, end_y = cx + r * 0.5, cy + r * 0.866
    left_cap = circle(cx - r, cy, w / 2)
    bend_y = cy + r + 3.0
    neck = segment(end_x, end_y, cx, bend_y, w) | segment(cx, bend_y, cx, bend_y + 1.0, w)
    dot = circle(cx, 25.8, 2.5)
    return hook | left_cap | neck | dot
