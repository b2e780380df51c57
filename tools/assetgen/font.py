"""Hand-made pixel glyphs for the few characters the pictures need."""

GLYPHS_5x7 = {
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "?": [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."],
    "!": ["..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."],
}

GLYPHS_3x5 = {
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"],
    "3": ["##.", "..#", ".#.", "..#", "##."],
    "?": ["##.", "..#", ".#.", "...", ".#."],
    "!": [".#.", ".#.", ".#.", "...", ".#."],
}


def draw_glyph(cv, ch, x, y, c, small=False, scale=1):
    rows = (GLYPHS_3x5 if small else GLYPHS_5x7)[ch]
    for j, row in enumerate(rows):
        for i, bit in enumerate(row):
            if bit == "#":
                for sy in range(scale):
                    for sx in range(scale):
                        cv.set(x + i * scale + sx, y + j * scale + sy, c)


def glyph_size(small=False, scale=1):
    return ((3, 5) if small else (5, 7))[0] * scale, ((3, 5) if small else (5, 7))[1] * scale
