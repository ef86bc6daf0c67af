"""The donation picture: a light button face with two generic payment cards (the front of one, the
back of the other, no brand on either) above the words FAIRE UN DON; 100 x 44 pixels."""

from .canvas import Canvas, linear, solid
from .shapes import pixels, rect

WIDTH, HEIGHT = 100, 44
INK = (22, 44, 96)

# Letters of a bold pixel font, nine rows high, two-pixel strokes.
_GLYPHS = {
    "F": ["######", "######", "##....", "##....", "#####.", "##....", "##....", "##....", "##...."],
    "A": [".####.", "######", "##..##", "##..##", "######", "######", "##..##", "##..##", "##..##"],
    "I": ["##", "##", "##", "##", "##", "##", "##", "##", "##"],
    "R": ["#####.", "######", "##..##", "##..##", "#####.", "####..", "##.##.", "##..##", "##..##"],
    "E": ["######", "######", "##....", "##....", "#####.", "##....", "##....", "######", "######"],
    "U": ["##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "######", ".####."],
    "N": ["##..##", "###.##", "###.##", "######", "##.###", "##.###", "##..##", "##..##", "##..##"],
    "D": ["#####.", "######", "##..##", "##..##", "##..##", "##..##", "##..##", "######", "#####."],
    "O": [".####.", "######", "##..##", "##..##", "##..##", "##..##", "##..##", "######", ".####."],
}


def _text(words, x, y):
    """The words in the pixel font from (x, y): one free column between letters, four between
    words."""
    shapes = []
    for word in words.split():
        for letter in word:
            glyph = _GLYPHS[letter]
            shapes.append(pixels(glyph, x, y))
            x += len(glyph[0]) + 1
        x += 3
    union = shapes[0]
    for shape in shapes[1:]:
        union = union | shape
    return union


def _text_width(words):
    letters = [len(_GLYPHS[ch][0]) for ch in words if ch != " "]
    return sum(letters) + len(letters) - 1 + 3 * words.count(" ")


def draw():
    c = Canvas(WIDTH, HEIGHT)
    face = rect(0, 0, WIDTH, HEIGHT, 9)
    c.fill_outlined(face, linear((0, 2), (250, 252, 255), (0, 42), (196, 212, 234)),
                    (118, 138, 170))

    # The front of a card: chip and number.
    front = rect(20, 4, 47, 22, 2.5)
    c.fill_outlined(front, linear((20, 4), (74, 126, 204), (47, 22), (28, 62, 138)), (18, 40, 92))
    c.fill(rect(24, 8, 31, 14, 1.2), solid((232, 196, 92)))
    c.fill(rect(24, 17, 43, 18.5), solid((210, 224, 246)))
    # The back of another: magnetic stripe and signature panel.
    back = rect(53, 4, 80, 22, 2.5)
    c.fill_outlined(back, linear((53, 4), (206, 84, 72), (80, 22), (140, 36, 40)), (92, 22, 26))
    c.fill(rect(54, 7, 79, 11), solid((34, 30, 32)))
    c.fill(rect(57, 14, 72, 18), solid((246, 242, 230)))

    words = "FAIRE UN DON"
    c.fill(_text(words, (WIDTH - _text_width(words)) // 2, 27), solid(INK))
    return c.rgba()
