"""The program's icon: "TF" over a two-headed arrow on a green disc, in 256 colours."""

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
    letters = pixels(_T, 10, 5) | pixels(_F, 17, 5)
    c.fill(letters.grown(1), solid(LINE))
    c.fill(letters, solid(WHITE))
    arrow = polygon(
        [(3.5, 21.5), (10, 16.5), (10, 20), (22, 20), (22, 16.5), (28.5, 21.5),
         (22, 26.5), (22, 23), (10, 23), (10, 26.5)]
    )
    c.fill(arrow.grown(1), solid(LINE))
    c.fill(arrow, solid(WHITE))
    return c.rgba()
