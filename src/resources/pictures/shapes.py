"""Shapes as signed distance functions: negative inside, positive outside.

Every function here is 1-Lipschitz (it never changes faster than the distance itself), so the
canvas can tell a pixel that lies wholly inside or outside a shape from one evaluation at its
centre and only supersamples the pixels that an edge crosses. Only exactly rounded arithmetic is
used (no trigonometry), so that every machine draws the same bytes.
"""

import math

INF = math.inf


class Shape:
    """A region of the plane: its distance function and a bounding box (x0, y0, x1, y1)."""

    __slots__ = ("dist", "box")

    def __init__(self, dist, box):
        self.dist = dist
        self.box = box

    def __or__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _box_union(self.box, other.box))

    def __and__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: max(a(x, y), b(x, y)), _box_meet(self.box, other.box))

    def __sub__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def grown(self, by):
        """The shape dilated by `by` pixels (eroded when negative)."""
        a = self.dist
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: a(x, y) - by, (x0 - by, y0 - by, x1 + by, y1 + by))

    def scaled(self, k):
        """The shape enlarged k times about the origin."""
        a = self.dist
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: a(x / k, y / k) * k, (x0 * k, y0 * k, x1 * k, y1 * k))

    def moved(self, dx, dy):
        a = self.dist
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: a(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))


def _length(x, y):
    # Not math.hypot: its algorithm has changed between Python versions, a square root never does.
    return math.sqrt(x * x + y * y)


def _box_union(p, q):
    return (min(p[0], q[0]), min(p[1], q[1]), max(p[2], q[2]), max(p[3], q[3]))


def _box_meet(p, q):
    return (max(p[0], q[0]), max(p[1], q[1]), min(p[2], q[2]), min(p[3], q[3]))


def union(*shapes):
    dists = [s.dist for s in shapes]
    box = shapes[0].box
    for s in shapes[1:]:
        box = _box_union(box, s.box)
    return Shape(lambda x, y: min(d(x, y) for d in dists), box)


def circle(cx, cy, r):
    return Shape(lambda x, y: _length(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def rect(x0, y0, x1, y1, radius=0.0):
    """An axis-aligned rectangle, its corners rounded by `radius`."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def dist(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        outside = _length(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return Shape(dist, (x0, y0, x1, y1))


def segment(ax, ay, bx, by, width):
    """A stroke of the given width from a to b with round ends."""
    ex, ey = bx - ax, by - ay
    ee = ex * ex + ey * ey
    r = width / 2

    def dist(x, y):
        wx, wy = x - ax, y - ay
        t = min(max((wx * ex + wy * ey) / ee, 0.0), 1.0)
        return _length(wx - ex * t, wy - ey * t) - r

    return Shape(dist, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r))


def polygon(points):
    """A simple polygon (either winding)."""
    pts = [(float(px), float(py)) for px, py in points]
    # A repeated point (a band narrowed to its tip) would be an edge of no length.
    pts = [p for i, p in enumerate(pts) if p != pts[i - 1]]
    edges = [(pts[i - 1], pts[i]) for i in range(len(pts))]

    def dist(x, y):
        best = INF
        inside = False
        for (jx, jy), (ix, iy) in edges:
            ex, ey = jx - ix, jy - iy
            wx, wy = x - ix, y - iy
            t = min(max((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0), 1.0)
            bx, by = wx - ex * t, wy - ey * t
            best = min(best, bx * bx + by * by)
            if (iy > y) != (jy > y) and x < ix + ex * (y - iy) / ey:
                inside = not inside
        d = math.sqrt(best)
        return -d if inside else d

    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(dist, (min(xs), min(ys), max(xs), max(ys)))


def half_plane(px, py, nx, ny):
    """Everything on the side of the line through p that the normal n points away from."""
    n = _length(nx, ny)
    ux, uy = nx / n, ny / n
    return Shape(lambda x, y: (x - px) * ux + (y - py) * uy, (-INF, -INF, INF, INF))


def ring(cx, cy, r, width):
    """The band of the given width centred on a circle of radius r."""
    h = width / 2
    return Shape(
        lambda x, y: abs(_length(x - cx, y - cy) - r) - h,
        (cx - r - h, cy - r - h, cx + r + h, cy + r + h),
    )


def pixels(rows, x, y, scale=1):
    """The '#' cells of a pixel drawing as a union of squares, its top left corner at (x, y)."""
    cells = [
        rect(x + i * scale, y + j * scale, x + (i + 1) * scale, y + (j + 1) * scale)
        for j, row in enumerate(rows)
        for i, ch in enumerate(row)
        if ch == "#"
    ]
    return union(*cells)
