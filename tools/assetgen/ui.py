"""Small pictures for the game's panels: the bait display, rings, arrows, icons."""

import math

from .canvas import Canvas
from .font import draw_glyph
from .palette import greyed


def catmull(points, steps=12):
    """Smooth path through the points, sampled densely enough to stamp along."""
    out = []
    pts = [points[0]] + list(points) + [points[-1]]
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for k in range(steps):
            t = k / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * ((2 * p1[j]) + (-p0[j] + p2[j]) * t + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                       + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3)
                for j in range(2)))
    out.append(points[-1])
    return out


# -- the bait display --------------------------------------------------------

# The pictures are 100 x 100, but the game shows them in a 97 x 89 box: the
# whole frame and everything in it is drawn inside that box, and the strip
# outside it only continues the frame's dark rim.
FILE = 100
BOX = (97, 89)
CARD = (6, 6, BOX[0] - 7, BOX[1] - 7)  # inclusive corners of the card inside the frame


def _at(x, y):
    """Drawing coordinates (a card running from 6 to 93 both ways) to the card in the box."""
    x0, y0, x1, y1 = CARD
    return x0 + (x - 6) * (x1 - x0) / 87, y0 + 2 + (y - 6) * (y1 - y0 - 5) / 87


def _ats(points):
    return [_at(x, y) for x, y in points]


HOOK_EYE = (50, 16)


def _hook(cv):
    ex, ey = HOOK_EYE
    eye = _at(ex, ey)
    cv.line(eye[0], 0, eye[0], eye[1] - 3, "grey1")  # the line coming down
    cv.ring(eye[0] + 0.5, eye[1] + 0.5, 3, 3, 1.5, "steel")
    shank = [(ex, ey + 3), (ex, 40), (ex, 62)]
    bend = [(ex, 62), (ex - 2, 70), (ex - 9, 73), (ex - 15, 69), (ex - 17, 61), (ex - 16, 54)]
    path = catmull(_ats(shank + bend[1:]), 16)
    for x, y in path:
        cv.rect(int(x), int(y), int(x) + 1, int(y) + 1, "steel")
    # shading on the right-hand edge of the metal
    for x, y in path:
        cv.set(int(x) + 1, int(y), "grey2")
    # barb
    cv.poly(_ats([(ex - 17, 53), (ex - 14, 50), (ex - 14, 58)]), "steel")
    cv.set(*_at(ex - 16, 53), "grey1")


def _worm(cv, path, bitten=False):
    pts = catmull(_ats(path), 14)
    r = 3.2
    for x, y in pts:
        cv.ellipse(x, y, r, r, "pink")
    # segment rings and a lighter back
    acc = 0.0
    last = pts[0]
    for i, (x, y) in enumerate(pts):
        acc += math.hypot(x - last[0], y - last[1])
        last = (x, y)
        if acc >= 4.0:
            acc = 0.0
            if i + 1 < len(pts):
                nx, ny = pts[i + 1][0] - x, pts[i + 1][1] - y
                n = math.hypot(nx, ny) or 1
                px, py = -ny / n, nx / n
                for k in (-2, -1, 0, 1, 2):
                    cv.set(x + px * k, y + py * k, "pink_dk")
        else:
            cv.set(x - 1, y - 1, "pink_lt")
    # the saddle (clitellum) a third of the way along
    if not bitten:
        sx, sy = pts[len(pts) // 3]
        cv.ellipse(sx, sy, 3.6, 3.6, "pink_dk")
        cv.set(sx - 1, sy - 1, "pink")
    else:
        ex, ey = pts[-1]
        cv.ellipse(ex, ey, 3.4, 3.4, "red")
        cv.set(ex, ey, "red_dk")
        cv.set(ex + 1, ey + 1, "pink_dk")


WHOLE = [(58, 12), (56, 22), (45, 28), (45, 36), (56, 42), (56, 50), (45, 56), (44, 66), (36, 74),
         (28, 70), (24, 78), (30, 88), (40, 90), (46, 86)]
HALF = [(56, 22), (45, 28), (45, 36), (56, 42), (56, 50), (45, 56), (44, 66), (36, 74), (30, 71)]


def _panel(card=True):
    cv = Canvas(FILE, FILE, "outline")
    r, b = BOX[0] - 1, BOX[1] - 1
    # wooden frame like the lid of a tackle box
    cv.rect(1, 1, r - 1, b - 1, "wood_dk")
    cv.rect(2, 2, r - 2, b - 2, "wood")
    cv.rect(3, 3, r - 3, 4, "wood_lt")
    cv.rect(3, 3, 4, b - 3, "wood_lt")
    cv.rect(5, 5, r - 5, b - 5, "wood_dk")
    x0, y0, x1, y1 = CARD
    if card:
        # the card inside, with a soft dithered shade towards the bottom right
        cv.dither(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1,
                  lambda x, y: 0.55 * ((x + y - 12) / (x1 + y1 - 12)) ** 1.5, "sand_lt", "sand")
        cv.rect(x0, y0, x1, y0, "sand")
        cv.rect(x0, y0, x0, y1, "sand")
    for x, y in ((2, 2), (r - 2, 2), (2, b - 2), (r - 2, b - 2)):
        cv.set(x, y, "steel")
    return cv


def _inside_card(layer):
    """Only what lies on the card, so nothing drawn spills over the frame."""
    x0, y0, x1, y1 = CARD
    clip = Canvas(FILE, FILE)
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            clip.set(x, y, layer.get(x, y))
    return clip


def bait(level):
    """level 3 = whole worm, 2 = half eaten, 1 = bare hook."""
    card = _panel()
    inner = Canvas(FILE, FILE)
    # the card is opaque, so paint the hook and worm on their own layer and rim them
    _hook(inner)
    if level == 3:
        _worm(inner, WHOLE)
    elif level == 2:
        _worm(inner, HALF, bitten=True)
    inner.outline()
    card.blit(_inside_card(inner), 0, 0)
    if level == 2:
        for x, y in ((66, 60), (70, 66), (63, 70)):
            x, y = _at(x, y)
            card.set(x, y, "pink_dk")
            card.set(x + 1, y, "pink")
    if level == 1:
        # only a nibbled crumb is left
        x, y = _at(35, 60)
        card.rect(x, y, x + 1, y + 1, "pink_dk")
    return card


def line_in_water():
    """What the bait display shows before the first lift: the float riding calm water."""
    cv = _panel(card=False)
    x0, y0, x1, y1 = CARD
    # calm water, paler where it mirrors the sky at the top
    cv.dither(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1,
              lambda x, y: min(1.0, 0.15 + 1.1 * (y - y0) / (y1 - y0)), "water_lt", "water")
    # a few long, lazy glints
    for gx, gy, n in ((14, 20, 9), (58, 16, 12), (20, 62, 7), (64, 70, 10), (10, 44, 6), (70, 40, 8)):
        cv.rect(x0 + gx, gy, x0 + gx + n, gy, "water_glint")
    fx, fy = (x0 + x1) // 2 + 4, (y0 + y1) // 2 + 6
    water_line = fy + 3
    # its mirror image wobbling under it
    for k, y in enumerate(range(water_line + 3, water_line + 12, 2)):
        w = 5 - k
        cv.rect(fx - w + (k % 2), y, fx + w + (k % 2), y, "red_lt" if k < 2 else "water_lt")
    cv.ring(fx + 0.5, water_line + 1, 14, 3.5, 1, "water_glint")
    cv.ring(fx + 0.5, water_line + 1, 22, 5.5, 1, "water_lt", when=lambda x, y: (x + y) % 3 != 0)
    # the float: antenna, red cap and white belly; what lies under the water line is hidden
    layer = Canvas(FILE, FILE)
    layer.rect(fx, fy - 16, fx, fy - 9, "outline")
    layer.rect(fx - 1, fy - 19, fx + 1, fy - 17, "yellow")
    layer.ellipse(fx + 0.5, fy + 0.5, 7, 8.5, "white")
    layer.ellipse(fx + 0.5, fy - 0.5, 7, 7, "red_lt", when=lambda x, y: y <= fy)
    layer.rect(fx - 6, fy + 1, fx + 7, fy + 1, "red")
    layer.ellipse(fx - 2.5, fy - 4, 2, 1.5, "pink_lt")
    layer.rect(0, water_line + 1, FILE - 1, FILE - 1, 0)
    layer.outline()
    # the line down from the top, to the antenna's tip
    layer.line(fx + 1, y0, fx + 1, fy - 20, "grey1")
    # a bright lip of water where the float sits in it
    layer.rect(fx - 7, water_line + 1, fx + 8, water_line + 1, "water_glint")
    cv.blit(_inside_card(layer), 0, 0)
    return cv


def greyed_out(cv):
    out = cv.copy()
    cache = {}
    for i, v in enumerate(out.px):
        if v not in cache:
            cache[v] = greyed(v)
        out.px[i] = cache[v]
    return out


# -- design-time stand-ins --------------------------------------------------

def plain_water(w=250, h=305):
    return Canvas(w, h, "water")


# -- rings spreading on the water (played once when something splashes) -------

def rings():
    frames = []
    radii = [(9, None), (17, 8), (26, 15), (35, 23), (44, 31)]
    for i, (outer, inner) in enumerate(radii):
        cv = Canvas(100, 100)
        k = 0.62  # seen from the same steep angle: a bit flattened
        col = "water_glint" if i < 2 else "water_lt"
        cv.ring(50, 50, outer, outer * k, 2 if i < 3 else 1, col,
                when=(None if i < 4 else (lambda x, y: (x + y) % 3 != 0)))
        if inner:
            cv.ring(50, 50, inner, inner * k, 1, "water_lt" if i < 4 else "water_dk")
        if i == 0:
            for dx, dy in ((0, -6), (-6, -3), (6, -4), (-3, -8), (4, -9)):
                cv.set(50 + dx, 50 + dy, "white")
            cv.ellipse(50, 50, 3, 2, "water_glint")
        if i == 1:
            for dx, dy in ((-2, -10), (3, -12), (-9, -5), (10, -6)):
                cv.set(50 + dx, 50 + dy, "water_glint")
        frames.append(cv)
    return frames, [120] * 5


# -- arrows for the up/down buttons ----------------------------------------

def arrow(up=True):
    cv = Canvas(20, 20)
    pts = [(10, 2), (18, 11), (13, 11), (13, 18), (7, 18), (7, 11), (2, 11)]
    cv.poly(pts, "yellow")
    cv.poly([(10, 4), (15, 9.5), (10, 9.5)], "sand_lt")
    cv.rect(11, 11, 12, 17, "orange")
    cv.outline()
    if not up:
        flipped = Canvas(20, 20)
        for y in range(20):
            for x in range(20):
                flipped.set(x, 19 - y, cv.get(x, y))
        cv = flipped
    return cv


# -- program icon: a ringed seal peeking out of the lake ---------------------

def seal_icon(size):
    """Native-resolution drawing for 32, 48 and 64; larger sizes are scaled up from 64."""
    s = size / 32.0
    cv = Canvas(size, size)
    c = size / 2
    inside = lambda x, y: (x + 0.5 - c) ** 2 + (y + 0.5 - c) ** 2 < (c - 0.5 - s) ** 2
    # round badge of lake water, lighter where it mirrors the sky
    cv.ellipse(c, c, c - 0.5, c - 0.5, "water_deep")
    cv.dither(inside, lambda x, y: min(1.0, max(0.0, 1.2 - (y + 0.5) / size * 1.5)), "water_dk", "water_lt")
    # the head: dark grey fur with the light rings it is named after
    hx, hy = c, c * 0.96
    hr = 10.5 * s
    cv.ellipse(hx, hy, hr, hr * 0.92, "grey3")
    cv.ellipse(hx - 2 * s, hy - 2.5 * s, hr * 0.6, hr * 0.45, "grey2")
    for dx, dy, r in ((-6.5, -4.5, 1.7), (5.5, -6, 1.5), (7.6, 0.5, 1.3), (-8, 2, 1.2), (0, -8.3, 1.3)):
        cv.ring(hx + dx * s, hy + dy * s, r * s + 0.6, r * s + 0.6, max(1, s * 0.75), "grey1")
    # big dark eyes with a shine
    for sx in (-1, 1):
        ex, ey = hx + sx * 4 * s, hy - 1 * s
        cv.ellipse(ex, ey, 2.3 * s, 2.5 * s, "outline")
        cv.rect(ex - 1 * s, ey - 1.2 * s, ex - 1 * s + max(0, s - 1), ey - 1.2 * s + max(0, s - 1), "white")
    # pale muzzle, nose and whiskers
    cv.ellipse(hx - 1.8 * s, hy + 4.2 * s, 2.6 * s, 2.2 * s, "grey1")
    cv.ellipse(hx + 1.8 * s, hy + 4.2 * s, 2.6 * s, 2.2 * s, "grey1")
    cv.ellipse(hx, hy + 2.5 * s, 1.7 * s, 1.1 * s + 0.3, "outline")
    for sx in (-1, 1) if s > 1 else ():
        cv.line(hx + sx * 4.5 * s, hy + 3.5 * s, hx + sx * 9.5 * s, hy + 2.5 * s, "white")
        cv.line(hx + sx * 4.5 * s, hy + 5 * s, hx + sx * 9.5 * s, hy + 6 * s, "white")
    # waterline: the chin is under the surface
    wl = hy + 7 * s
    for y in range(int(wl), size):
        for x in range(size):
            if inside(x, y) and cv.get(x, y) in (3, 4, 5, 2):
                cv.set(x, y, "water_lt" if (x + y) % 2 else "water_dk")
    cv.ring(hx, wl + 0.5, hr + 2.5 * s, 2.2 * s, max(1, s), "water_glint", when=lambda x, y: y >= wl)
    # a little red-white float bobbing beside it
    fx, fy = c + 10 * s, c + 8.5 * s
    cv.ellipse(fx, fy, 2.2 * s, 2.2 * s, "white")
    cv.ellipse(fx, fy, 2.2 * s, 2.2 * s, "red_lt", when=lambda x, y: y + 0.5 < fy)
    cv.outline()
    return cv


def icon(size):
    if size in (32, 48, 64):
        return seal_icon(size)
    return seal_icon(64).scaled(size // 64)


def help_corner():
    """A red-and-white float with a question mark on it."""
    cv = Canvas(32, 32)
    cv.rect(15, 0, 16, 5, "outline")
    cv.rect(15, 0, 16, 1, "yellow")
    cv.ellipse(16, 18, 12.5, 12.5, "white")
    cv.ellipse(16, 18, 12.5, 12.5, "red_lt", when=lambda x, y: y < 17)
    cv.ellipse(16, 18, 12.5, 12.5, "red", when=lambda x, y: 15 <= y < 17)
    cv.ellipse(16, 18, 12.5, 12.5, "grey1", when=lambda x, y: y > 25 and (x + y) % 2 == 0)
    cv.ellipse(10, 11, 2.5, 1.6, "pink_lt")
    cv.outline()
    mark = Canvas(32, 32)
    for j, row in enumerate(QUESTION):
        for i, bit in enumerate(row):
            if bit == "#":
                mark.set(12 + i, 9 + j, "white")
    mark.outline()
    cv.blit(mark, 0, 0)
    return cv


QUESTION = [
    "..####..",
    ".######.",
    "##....##",
    "......##",
    ".....##.",
    "....##..",
    "...##...",
    "...##...",
    "........",
    "...##...",
    "...##...",
]
