"""The program's icon: "TF" over a two-headed arrow on a green disc, in 256 colours."""

from . import plain
from .canvas import Canvas, radial, solid
from .shapes import circle, pixels, polygon

LINE = (0, 78, 24)
WHITE = (255, 255, 255)

# Two-pixel strokes, so that the letters stay bold at the size of a title bar.
_T = ["######", "######", "..##..", "..##..", "..##..", "..##..", "..##..", "..##.."]
_F = ["#####", "#####", "##...", "####.", "####.", "##...", "##...", "##..."]


def draw():
    c = Canvas(32)
    c.fill(circle(16, 16, 15.2), solid(LINE))
    c.fill(circle(16, 16, 14.2), radial((11, 9), 19, (132, 222, 108), (18, 138, 44)))
    letters = _letters()
    c.fill(letters.grown(1), solid(LINE))
    c.fill(letters, solid(WHITE))
    arrow = _arrow(3.5)
    c.fill(arrow.grown(1), solid(LINE))
    c.fill(arrow, solid(WHITE))
    return c.rgba()


def plain_layers():
    """The disc's edge around the letters and an arrow short enough to stay clear of it."""
    return [plain.outlined(circle(16, 16, 15.2)), plain.filled(_letters()),
            plain.filled(_arrow(6))]


def _letters():
    return pixels(_T, 10, 5) | pixels(_F, 17, 5)


def _arrow(tip):
    """The two-headed arrow, its heads' points `tip` pixels in from the edges."""
    far = 32 - tip
    return polygon(
        [(tip, 21.5), (10, 16.5), (10, 20), (22, 20), (22, 16.5), (far, 21.5),
         (22, 26.5), (22, 23), (10, 23), (10, 26.5)]
    )
