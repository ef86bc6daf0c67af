"""Plain line drawings of the button pictures, for high-contrast schemes.

A plain drawing is one ink on a transparent ground: the button paints the ink in the scheme's text
colour, so the picture shows on whatever background the scheme has. It is made of layers, back to
front, each a pair (ink, body): the lines it draws and the region it covers. A layer clears the
lines behind it around its body, so that a shape in front stands apart from what it hides. The
layers are drawn on the 32-pixel grid and scaled to the size asked for.
"""

from .canvas import Canvas, solid

INK = (0, 0, 0)
LINE = 2.0  # the width of an outline on the 32-pixel grid
GAP = 1.5  # the clear space around a body in front


def outlined(shape):
    """A layer that draws the shape's edge and hides what lies behind its whole area."""
    return (shape - shape.grown(-LINE), shape)


def filled(shape):
    return (shape, shape)


def draw(layers, size):
    ink = None
    for lines, body in layers:
        ink = lines if ink is None else (ink - body.grown(GAP)) | lines
    c = Canvas(size)
    c.fill(ink.scaled(size / 32), solid(INK))
    return c.rgba()
