"""An RGBA canvas (square unless a height is given) that fills shapes with anti-aliased edges.

Pixel (i, j) covers [i, i+1) x [j, j+1). A pixel that an edge crosses is sampled on an 8 x 8
grid; the share of samples inside the shape scales the paint's alpha. Colours are kept
premultiplied and composited "source over".
"""

import math

GRID = 8
_OFFSETS = [(k + 0.5) / GRID - 0.5 for k in range(GRID)]
# A pixel whose centre is farther than this from an edge lies wholly on one side of it (the half
# diagonal is 0.707).
_EDGE = 0.75


class Canvas:
    def __init__(self, size, height=None):
        self.size = size
        self.height = size if height is None else height
        self._px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * self.height)]

    def fill(self, shape, paint):
        x0, y0, x1, y1 = shape.box
        n = self.size
        for j in range(max(0, int(y0) - 1), min(self.height, int(y1) + 2)):
            cy = j + 0.5
            for i in range(max(0, int(x0) - 1), min(n, int(x1) + 2)):
                cx = i + 0.5
                cover = _coverage(shape.dist, cx, cy)
                if cover > 0.0:
                    self._blend(j * n + i, paint(cx, cy), cover)

    def fill_outlined(self, shape, paint, line_rgb):
        """Fills the shape with a one-pixel line of the given colour inside its edge."""
        self.fill(shape, solid(line_rgb))
        self.fill(shape.grown(-1.0), paint)

    def fill_raised(self, shape, paint, line_rgb):
        """Like fill_outlined, with a white edge of light along the top and left inside the line.

        Pure white on purpose: a disabled icon is drawn embossed from its white pixels alone.
        """
        self.fill_outlined(shape, paint, line_rgb)
        inner = shape.grown(-1.0)
        self.fill(inner - inner.moved(1.0, 1.0), solid((255, 255, 255)))

    def _blend(self, index, rgba, cover):
        r, g, b, a = rgba
        a *= cover
        dst = self._px[index]
        keep = 1.0 - a
        dst[0] = r * a + dst[0] * keep
        dst[1] = g * a + dst[1] * keep
        dst[2] = b * a + dst[2] * keep
        dst[3] = a + dst[3] * keep

    def rgba(self):
        """Rows top to bottom of (r, g, b, a) bytes, colours not premultiplied."""
        out = []
        for r, g, b, a in self._px:
            if a <= 0.0:
                out.append((0, 0, 0, 0))
            else:
                out.append((_byte(r / a), _byte(g / a), _byte(b / a), _byte(a)))
        return out


def _coverage(dist, cx, cy):
    d = dist(cx, cy)
    if d >= _EDGE:
        return 0.0
    if d <= -_EDGE:
        return 1.0
    inside = 0
    for oy in _OFFSETS:
        for ox in _OFFSETS:
            if dist(cx + ox, cy + oy) < 0.0:
                inside += 1
    return inside / (GRID * GRID)


def _byte(v):
    return max(0, min(255, int(v * 255.0 + 0.5)))


def solid(rgb, alpha=255):
    c = (rgb[0] / 255.0, rgb[1] / 255.0, rgb[2] / 255.0, alpha / 255.0)
    return lambda x, y: c


def linear(p0, c0, p1, c1):
    """A gradient from colour c0 at p0 to c1 at p1, constant beyond both ends."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    dd = dx * dx + dy * dy

    def paint(x, y):
        t = min(max(((x - p0[0]) * dx + (y - p0[1]) * dy) / dd, 0.0), 1.0)
        return _mix(c0, c1, t)

    return paint


def radial(centre, radius, c0, c1):
    """A gradient from c0 at the centre to c1 at the radius and beyond."""
    r2 = radius * radius

    def paint(x, y):
        dx, dy = x - centre[0], y - centre[1]
        t = min(math.sqrt((dx * dx + dy * dy) / r2), 1.0)
        return _mix(c0, c1, t)

    return paint


def _mix(c0, c1, t):
    return (
        (c0[0] + (c1[0] - c0[0]) * t) / 255.0,
        (c0[1] + (c1[1] - c0[1]) * t) / 255.0,
        (c0[2] + (c1[2] - c0[2]) * t) / 255.0,
        1.0,
    )
