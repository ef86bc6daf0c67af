"""Choosing at most a given number of colours for a picture (median cut), always the same way.

Each box of the cut is represented by its most frequent colour rather than by a mean, so that flat
areas keep their exact colour; pure white is always kept, because the disabled rendering of an icon
shows exactly the white pixels as light.
"""

WHITE = (255, 255, 255)


def reduce(counts, slots):
    """Maps each colour of `counts` (colour -> pixel count) to one of at most `slots` colours."""
    if len(counts) <= slots:
        return {c: c for c in counts}
    keep_white = WHITE in counts
    boxes = _cut(sorted(counts.items()), slots - 1 if keep_white else slots)
    chosen = [max(box, key=lambda item: (item[1], [-v for v in item[0]]))[0] for box in boxes]
    if keep_white and WHITE not in chosen:
        chosen.append(WHITE)
    return {c: min(chosen, key=lambda p: (_distance(c, p), p)) for c in counts}


def _cut(items, slots):
    boxes = [items]
    while len(boxes) < slots:
        spans = [_widest(box) for box in boxes]
        best = max(range(len(boxes)), key=lambda k: (spans[k][1], -k))
        axis, span = spans[best]
        if span == 0:
            break
        box = sorted(boxes[best], key=lambda item: (item[0][axis], item[0]))
        boxes[best : best + 1] = _halves(box)
    return boxes


def _widest(box):
    """The channel along which the box's colours spread most, and by how much."""
    spans = [max(c[axis] for c, _ in box) - min(c[axis] for c, _ in box) for axis in range(3)]
    axis = max(range(3), key=lambda a: (spans[a], -a))
    return axis, spans[axis]


def _halves(box):
    """The box split at its median pixel, neither half empty."""
    total = sum(n for _, n in box)
    running = 0
    for k, (_, n) in enumerate(box[:-1]):
        running += n
        if 2 * running >= total:
            return [box[: k + 1], box[k + 1 :]]
    return [box[:-1], box[-1:]]


def _distance(a, b):
    return sum((x - y) * (x - y) for x, y in zip(a, b))
