#!/usr/bin/env python3
"""The drawing kit behind make_pictures.py: coverage, shapes, colour reduction, icon writing.

    test_drawing_kit.py RESOURCES_FOLDER
"""

import struct
import sys
import unittest

sys.dont_write_bytecode = True


def brute_coverage(dist, cx, cy, grid):
    offsets = [(k + 0.5) / grid - 0.5 for k in range(grid)]
    return sum(dist(cx + ox, cy + oy) < 0 for oy in offsets for ox in offsets) / grid**2


class Coverage(unittest.TestCase):
    def test_a_rectangle_on_whole_pixels_covers_exactly_its_pixels(self):
        c = canvas.Canvas(8)
        c.fill(shapes.rect(2, 3, 5, 4), canvas.solid((10, 20, 30)))
        covered = {(i % 8, i // 8): p for i, p in enumerate(c.rgba()) if p[3]}
        self.assertEqual(sorted(covered), [(2, 3), (3, 3), (4, 3)])
        self.assertTrue(all(p == (10, 20, 30, 255) for p in covered.values()))

    def test_an_edge_through_the_middle_of_a_pixel_covers_half_of_it(self):
        c = canvas.Canvas(4)
        c.fill(shapes.rect(1, 1, 2.5, 2), canvas.solid((0, 0, 0)))
        self.assertEqual([p[3] for p in c.rgba()[4:8]], [0, 255, 128, 0])

    def test_shapes_reaching_past_the_canvas_are_clipped(self):
        c = canvas.Canvas(4)
        c.fill(shapes.circle(0, 0, 10), canvas.solid((0, 0, 0)))
        self.assertTrue(all(p[3] == 255 for p in c.rgba()))

    def test_skipping_samples_away_from_edges_changes_nothing(self):
        # Pixels far from an edge are decided from one distance: that holds only if every shape's
        # distance never grows faster than the true distance, whatever the combination.
        cases = {
            "union": shapes.rect(2, 2, 9, 7, 2) | shapes.circle(10, 10, 4.3),
            "difference": shapes.circle(8, 8, 6) - shapes.polygon([(3, 3), (12, 5), (6, 13)]),
            "arc": shapes.ring(8, 8, 5, 2.5) & shapes.half_plane(8, 8, -0.8, 0.5),
            "eroded": shapes.polygon([(1, 1), (14, 2), (13, 14), (7, 8), (2, 13)]).grown(-1.2),
            "letters": shapes.pixels(["#.#", ".#.", "#.#"], 3, 4, 2).grown(1),
            "stroke": shapes.segment(2, 13, 13, 3, 2.5),
            "scaled": shapes.polygon([(1, 1), (9, 2), (5, 9)]).scaled(1.5),
        }
        for name, shape in cases.items():
            with self.subTest(name):
                for j in range(16):
                    for i in range(16):
                        fast = canvas._coverage(shape.dist, i + 0.5, j + 0.5)
                        slow = brute_coverage(shape.dist, i + 0.5, j + 0.5, canvas.GRID)
                        self.assertEqual(fast, slow, (i, j))

    def test_a_polygon_is_the_same_whichever_way_it_winds(self):
        points = [(1, 1), (7, 1), (7, 7), (4, 3), (1, 7)]  # concave: a notch from the bottom
        a, b = canvas.Canvas(8), canvas.Canvas(8)
        a.fill(shapes.polygon(points), canvas.solid((0, 0, 0)))
        b.fill(shapes.polygon(points[::-1]), canvas.solid((0, 0, 0)))
        self.assertEqual(a.rgba(), b.rgba())
        self.assertEqual(a.rgba()[6 * 8 + 4][3], 0)  # inside the notch
        self.assertEqual(a.rgba()[2 * 8 + 4][3], 255)


class ColourReduction(unittest.TestCase):
    def test_few_colours_are_kept_as_they_are(self):
        counts = {(1, 2, 3): 5, (200, 0, 0): 1}
        self.assertEqual(palette.reduce(counts, 255), {c: c for c in counts})

    def test_many_colours_fit_the_slots_and_white_survives(self):
        counts = {(r, g, 0): 1 + r % 7 for r in range(0, 256, 8) for g in range(0, 256, 16)}
        counts.update({(250 - k, 250 - k, 250 - k): 20 for k in range(8)})  # crowding out white
        counts[(255, 255, 255)] = 1
        mapping = palette.reduce(counts, 16)
        self.assertEqual(set(mapping), set(counts))
        self.assertLessEqual(len(set(mapping.values())), 16)
        self.assertEqual(mapping[(255, 255, 255)], (255, 255, 255))
        self.assertTrue(set(mapping.values()) <= set(counts))

    def test_the_choice_does_not_depend_on_the_order_colours_come_in(self):
        items = [((r, 255 - r, r // 2), r % 5 + 1) for r in range(256)]
        self.assertEqual(palette.reduce(dict(items), 40), palette.reduce(dict(items[::-1]), 40))


class IconWriting(unittest.TestCase):
    def test_transparent_pixels_are_masked_over_black_and_opaque_ones_keep_their_colour(self):
        red, clear, faint = (255, 0, 0, 255), (9, 9, 9, 0), (0, 255, 0, 127)
        rgba = [red, clear, faint] + [red] * 13
        data = icofile.ico([icofile.image_256(4, rgba)])
        dib = data[6 + 16 :]
        colours = [tuple(dib[40 + 4 * i : 43 + 4 * i][::-1]) for i in range(256)]
        top_row = dib[40 + 1024 + 3 * 4 : 40 + 1024 + 4 * 4]  # rows are stored bottom up
        mask_top = dib[40 + 1024 + 16 + 3 * 4]
        black = (0, 0, 0)
        self.assertEqual([colours[i] for i in top_row], [(255, 0, 0), black, black, (255, 0, 0)])
        self.assertEqual(mask_top >> 4, 0b0110)

    def test_a_picture_of_too_many_colours_still_gets_one_palette_of_256(self):
        rgba = [(i % 32 * 8, i // 32 * 8, 128, 255) for i in range(32 * 32)]
        dib = icofile.image_256(32, rgba).data
        self.assertEqual(len(dib), 40 + 1024 + 32 * 32 + 32 * 4)
        colours = {dib[40 + 4 * i : 43 + 4 * i] for i in range(256)}
        self.assertGreater(len(colours), 200)  # the slots are put to use, not left black

if __name__ == "__main__":
    sys.path.insert(0, sys.argv.pop(1))
    from pictures import canvas, icofile, palette, shapes  # noqa: E402

    unittest.main()
