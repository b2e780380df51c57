"""Lakes from above: the overview maps and the water around each fishing spot."""

import math
import random

from .canvas import Canvas, bayer
from .font import draw_glyph

W, H = 250, 305
LANE_RIGHT = 146        # the boat's lane (x < this) stays open water
STRIP = (153, 73)       # the corner the game copies as its water strip


# -- single things seen from above -----------------------------------------

def spruce(cv, x, y, r):
    """Pointed layered crown: a dark star with lighter tiers towards the top."""
    pts = []
    n = 8
    for i in range(n * 2):
        a = math.pi * i / n + 0.2
        rr = r if i % 2 == 0 else r * 0.55
        pts.append((x + math.cos(a) * rr, y + math.sin(a) * rr * 0.9))
    cv.poly(pts, "spruce_dk")
    pts2 = [(x + (px - x) * 0.6 - 0.5, y + (py - y) * 0.6 - 1) for px, py in pts]
    cv.poly(pts2, "spruce")
    cv.ellipse(x - 0.5, y - 1.5, max(1.0, r * 0.18), max(1.0, r * 0.18), "green")


def birch(cv, x, y, r, rnd):
    """Round, lumpy light-green crown with a glimpse of white trunk."""
    for _ in range(6):
        ox, oy = rnd.uniform(-r * 0.45, r * 0.45), rnd.uniform(-r * 0.4, r * 0.4)
        cv.ellipse(x + ox, y + oy, r * 0.6, r * 0.55, "green")
    for _ in range(5):
        ox, oy = rnd.uniform(-r * 0.5, r * 0.2), rnd.uniform(-r * 0.5, r * 0.1)
        cv.ellipse(x + ox, y + oy, r * 0.32, r * 0.28, "green_lt")
    for _ in range(3):
        cv.set(x + rnd.uniform(-r * 0.4, r * 0.1), y + rnd.uniform(-r * 0.4, 0), "green_pale")


def reeds(cv, x, y, rnd, n=10, spread=6):
    """A clump of reeds poking up out of the water, a few with brown heads.

    Reeds are drawn straight onto the water without a rim: thin stalks with a
    dark foot and a shadow, so a bed of them reads as one soft mass.
    """
    stalks = []
    for _ in range(n):
        rx = x + rnd.randint(-spread, spread)
        h = rnd.randint(6, 12)
        base = y + rnd.randint(-3, 3)
        lean = rnd.choice((-1, 0, 0, 1))
        stalks.append((base, rx, h, lean))
    for base, rx, h, lean in sorted(stalks):
        cv.line(rx + 1, base, rx + 2, base - 2, "water_dk")        # shadow on the water
        cv.line(rx, base, rx + lean, base - h, "reed_dk")
        cv.line(rx, base - 2, rx + lean, base - h, rnd.choice(("reed", "reed", "olive_lt", "olive")))
        cv.set(rx, base, "olive_dk")
        if rnd.random() < 0.22:
            cv.rect(rx + lean, base - h - 2, rx + lean, base - h, "wood_dk")
            cv.set(rx + lean, base - h - 3, "reed")


def lily_pad(cv, x, y, r, rnd, flower=False):
    a = rnd.uniform(0, math.tau)
    ry = r * 0.7
    cv.ellipse(x, y, r, ry, "lily")
    cv.ellipse(x - r * 0.2, y - ry * 0.25, r * 0.55, ry * 0.5, "green_lt",
               when=lambda px, py: cv.get(px, py) == 46)
    # the notch: a wedge cut to the centre
    for k in range(int(r) + 1):
        for w in (-0.25, 0, 0.25):
            cv.set(x + math.cos(a + w) * k, y + math.sin(a + w) * k * 0.7, 0)
    if flower:
        cv.ellipse(x + 0.5, y - 0.5, 2.2, 1.8, "white")
        cv.set(x + 0.5, y - 1, "pink_lt")
        cv.set(x, y - 0.5, "yellow")
        cv.set(x + 1, y - 0.5, "yellow")


def rock(cv, x, y, r, rnd):
    ry = r * rnd.uniform(0.6, 0.8)
    cv.ellipse(x, y, r, ry, "rock_dk")
    cv.ellipse(x - r * 0.15, y - ry * 0.2, r * 0.85, ry * 0.75, "rock")
    cv.ellipse(x - r * 0.35, y - ry * 0.4, r * 0.4, ry * 0.3, "rock_lt")
    if r > 4:
        cv.ellipse(x + r * 0.2, y - ry * 0.1, r * 0.25, ry * 0.2, "moss")


def rock_glint(cv, x, y, r):
    """Wash around a rock, drawn on the water after the rims."""
    cv.ring(x, y + 1.5, r + 3, r * 0.7 + 2, 1, "water_lt", when=lambda px, py: cv.get(px, py) in (0, 10, 11))


def cottage(cv, x, y):
    """A little red cottage with white corners and a dark roof, seen from above the front."""
    cv.rect(x, y + 9, x + 25, y + 19, "red")           # front wall
    cv.rect(x, y + 9, x + 1, y + 19, "white")
    cv.rect(x + 24, y + 9, x + 25, y + 19, "white")
    cv.rect(x + 5, y + 12, x + 9, y + 15, "white")       # window
    cv.rect(x + 6, y + 13, x + 8, y + 14, "water_dk")
    cv.rect(x + 15, y + 11, x + 19, y + 19, "wood_dk")   # door
    cv.set(x + 18, y + 15, "yellow")
    cv.poly([(x - 2, y + 10), (x + 4, y), (x + 22, y), (x + 28, y + 10)], "grey3")  # roof
    cv.line(x + 4, y, x + 22, y, "grey2")
    for k in range(2, 10, 3):
        cv.line(x - 1 + k * 0.6, y + 10 - k, x + 27 - k * 0.6, y + 10 - k, "outline")
    cv.rect(x + 18, y - 3, x + 20, y + 1, "red_dk")      # chimney
    cv.rect(x + 2, y + 20, x + 23, y + 21, "grey2")      # stone step


def jetty(cv, x0, y, x1):
    """Plank jetty reaching left from the shore into the water."""
    cv.rect(x0, y, x1, y + 6, "wood")
    for x in range(x0, x1 + 1, 3):
        cv.line(x, y, x, y + 6, "wood_dk")
    cv.rect(x0, y, x1, y, "wood_lt")
    for x in (x0, x0 + (x1 - x0) // 2):
        cv.rect(x, y + 7, x + 1, y + 8, "bark")


def duck(cv, x, y, facing=1):
    cv.ellipse(x, y, 3, 2, "wood")
    cv.ellipse(x + facing * 2.5, y - 1.5, 1.6, 1.6, "spruce")
    cv.set(x + facing * 4, y - 1, "orange")
    cv.set(x - facing * 1, y - 1, "wood_lt")


# -- the water around one fishing spot ---------------------------------------

def _shallows(cv, depth_of, fade=0):
    """Dither the open blue into lighter shallows where depth_of(x, y) < 1.

    With a fade, the shallows thin out over that many pixels before the boat's
    lane instead of stopping at it in a straight line.
    """
    for y in range(H):
        for x in range(LANE_RIGHT - 4, W):
            d = depth_of(x, y)
            if d is None or d >= 1:
                continue
            t = 1 - max(0.0, d)
            if fade:
                t *= min(1.0, max(0.0, (x - LANE_RIGHT) / fade))
            b = bayer(x, y)
            if t > 0.66 + 0.34 * b:
                c = "shallow2"
            elif t > 0.33 + 0.33 * b:
                c = "shallow"
            elif t > 0.33 * b:
                c = "water_lt"
            else:
                continue
            if x < LANE_RIGHT:
                continue
            cv.set(x, y, c)


def _glints(cv, rnd, n, x0=LANE_RIGHT + 4, x1=W - 4):
    for _ in range(n):
        x, y = rnd.randint(x0, x1), rnd.randint(4, H - 4)
        if cv.get(x, y) == 0 and cv.get(x + 2, y) == 0:
            cv.line(x, y, x + rnd.randint(2, 3), y, "water_lt")


def _shore_edge(seed, base, amp):
    rnd = random.Random(seed)
    ph1, ph2 = rnd.uniform(0, math.tau), rnd.uniform(0, math.tau)
    return lambda y: base + amp * math.sin(y / 37.0 + ph1) + amp * 0.5 * math.sin(y / 13.0 + ph2)


def _paint_shore(cv, layer, edge, rnd, trees="mixed", sand=5):
    """Land to the right of edge(y): sand, grass, then trees."""
    for y in range(H):
        e = edge(y)
        for x in range(int(e), W):
            if x + 0.5 < e:
                continue
            d = x + 0.5 - e
            if d < sand:
                c = "sand" if d > 1.5 or (x + y) % 3 else "sand_lt"
            elif d < sand + 4:
                c = "green_lt" if bayer(x, y) > (d - sand) / 4 else "green"
            else:
                c = "green"
                if bayer(x * 3, y * 2) > 0.9:
                    c = "green_lt"
            cv.set(x, y, c)
    # trees: crowns overlap the land and the shore line a little
    y = -6
    while y < H + 6:
        e = edge(y)
        for x in (e + sand + 10 + rnd.uniform(-2, 3), e + sand + 26 + rnd.uniform(-3, 5),
                  e + sand + 42 + rnd.uniform(-4, 6)):
            if x > W + 8:
                continue
            kind = trees if trees != "mixed" else rnd.choice(("spruce", "spruce", "birch"))
            if kind == "spruce":
                spruce(layer, x, y + rnd.uniform(-3, 3), rnd.uniform(7, 10))
            else:
                birch(layer, x, y + rnd.uniform(-3, 3), rnd.uniform(6, 8), rnd)
        y += rnd.randint(11, 15)
    # a few stones at the waterline
    for _ in range(6):
        yy = rnd.randint(0, H - 1)
        rock(layer, edge(yy) - 1, yy, rnd.uniform(2, 3.5), rnd)


def _ellipse_sdf(cx, cy, rx, ry):
    """Roughly how far (in pixels) a point lies inside an ellipse; negative outside."""
    return lambda x, y: (1 - math.hypot((x - cx) / rx, (y - cy) / ry)) * min(rx, ry)


def _paint_land(cv, layer, inland, rnd, trees, sand=3, region=(0, 0, W, H)):
    """Land wherever inland(x, y) > 0 (about pixels from the waterline): a
    sand rim, grass, then crowns of trees; nothing reaches the boat's lane."""
    x0, y0, x1, y1 = region
    for y in range(max(0, y0), min(H, y1)):
        for x in range(max(LANE_RIGHT, x0), min(W, x1)):
            d = inland(x + 0.5, y + 0.5)
            if d <= 0:
                continue
            if d < sand:
                c = "sand" if d > 1.5 or (x + y) % 3 else "sand_lt"
            elif d < sand + 4:
                c = "green_lt" if bayer(x, y) > (d - sand) / 4 else "green"
            else:
                c = "green_lt" if bayer(x * 3, y * 2) > 0.9 else "green"
            cv.set(x, y, c)
    for y in range(y0 - 4, y1 + 4, 12):
        for x in range(max(LANE_RIGHT, x0) + 4, x1 + 8, 14):
            px, py = x + rnd.uniform(-4, 4) + (y // 12 % 2) * 7, y + rnd.uniform(-3, 3)
            if inland(px, py) < sand + 7:
                continue
            kind = trees if trees != "mixed" else rnd.choice(("spruce", "spruce", "birch"))
            if kind == "spruce":
                spruce(layer, px, py, rnd.uniform(7, 10))
            else:
                birch(layer, px, py, rnd.uniform(6, 8), rnd)


def spot_background(kind, seed):
    rnd = random.Random(seed)
    cv = Canvas(W, H, "water")
    layer = Canvas(W, H)
    soft = Canvas(W, H)  # reeds: no rim
    glint_after = []

    if kind == "reeds":
        edge = _shore_edge(seed, 222, 6)
        _shallows(cv, lambda x, y: (edge(y) - x) / 60)
        _paint_shore(cv, layer, edge, rnd, trees="mixed", sand=3)
        y = 2
        while y < H + 8:
            e = edge(y)
            reeds(soft, int(e - rnd.uniform(4, 40)), y, rnd, n=rnd.randint(14, 22), spread=8)
            if rnd.random() < 0.6:
                reeds(soft, int(e - rnd.uniform(40, 62)), y + 4, rnd, n=rnd.randint(4, 8), spread=4)
            y += rnd.randint(9, 14)
        for _ in range(5):
            lily_pad(layer, rnd.uniform(160, 175), rnd.uniform(80, 290), rnd.uniform(4, 6), rnd)
    elif kind == "lilies":
        edge = _shore_edge(seed, 236, 5)
        _shallows(cv, lambda x, y: (edge(y) - x) / 90)
        _paint_shore(cv, layer, edge, rnd, trees="birch", sand=2)
        placed = []
        for _ in range(240):
            if len(placed) >= 38:
                break
            x, y = rnd.uniform(158, edge(0) - 8), rnd.uniform(8, H - 6)
            r = rnd.uniform(4.5, 8)
            if x - r < LANE_RIGHT + 6 or all(math.hypot(x - px, y - py) > r + pr + 1 for px, py, pr in placed):
                if x - r < LANE_RIGHT + 6:
                    continue
                placed.append((x, y, r))
                lily_pad(layer, x, y, r, rnd, flower=rnd.random() < 0.3)
        for _ in range(4):
            reeds(soft, int(edge(0) - 10), rnd.randint(10, H - 10), rnd, n=6, spread=4)
    elif kind == "rocks":
        edge = _shore_edge(seed, 238, 4)
        _shallows(cv, lambda x, y: (edge(y) - x) / 70)
        _paint_shore(cv, layer, edge, rnd, trees="spruce", sand=2)
        placed = []
        for _ in range(300):
            if len(placed) >= 16:
                break
            x, y = rnd.uniform(160, 225), rnd.uniform(10, H - 8)
            r = rnd.uniform(3, 9) if rnd.random() < 0.7 else rnd.uniform(9, 13)
            if x - r < LANE_RIGHT + 8:
                continue
            if all(math.hypot(x - px, y - py) > r + pr + 5 for px, py, pr in placed):
                placed.append((x, y, r))
                rock(layer, x, y, r, rnd)
                glint_after.append((x, y, r))
    elif kind == "birches":
        edge = _shore_edge(seed, 200, 7)
        _shallows(cv, lambda x, y: (edge(y) - x) / 40)
        _paint_shore(cv, layer, edge, rnd, trees="birch", sand=7)
        for _ in range(3):
            reeds(soft, int(edge(260) - 8), rnd.randint(240, 300), rnd, n=7, spread=5)
        # an upturned rowing boat pulled up on the sand
        by = rnd.randint(120, 150)
        bx = int(edge(by) + 2)
        layer.ellipse(bx + 9, by, 10, 4, "wood_dk")
        layer.ellipse(bx + 9, by - 1, 8.5, 2.6, "wood")
        layer.line(bx + 2, by - 1, bx + 16, by - 1, "wood_lt")
    elif kind == "cottage":
        edge = _shore_edge(seed, 196, 3)
        _shallows(cv, lambda x, y: (edge(y) - x) / 45)
        _paint_shore(cv, layer, edge, rnd, trees="mixed", sand=8)
        # clear the yard for the cottage and a path down to the jetty
        cy = 118
        yard = Canvas(W, H)
        for y in range(cy - 14, cy + 44):
            for x in range(int(edge(y)) + 8, W):
                layer.set(x, y, 0)
        cottage(layer, int(edge(cy) + 11), cy)
        jy = cy + 30
        jetty(layer, 172, jy, int(edge(jy)) + 4)
        layer.ellipse(int(edge(jy)) + 8, jy + 4, 2.5, 2.5, "grey2")  # a bucket
        # rowing boat tied to the jetty
        layer.ellipse(188, jy + 15, 11, 4.5, "wood_dk")
        layer.ellipse(188, jy + 15, 9.5, 3.2, "wood_lt")
        layer.line(188, jy + 12, 188, jy + 18, "wood")
        del yard
        for _ in range(3):
            reeds(soft, int(edge(250) - 10), rnd.randint(220, 300), rnd, n=8, spread=6)
    elif kind == "island_tip":
        # a small wooded island right beside the spot, its rocky point reaching
        # towards the boat; a bay of reeds in its lee and the far shore behind it
        body = _ellipse_sdf(236, 168, 62, 44)
        spit = _ellipse_sdf(190, 160, 34, 11)
        land = lambda x, y: max(body(x, y), spit(x, y))
        _shallows(cv, lambda x, y: -land(x, y) / 26, fade=20)
        # the far shore only just shows in the top right corner, curving away
        _paint_land(cv, layer, lambda x, y: x - (230 + (y / 32.0) ** 2 * 6), rnd, "spruce", sand=2,
                    region=(200, 0, W, 70))
        _paint_land(cv, layer, land, rnd, "mixed", sand=3, region=(150, 110, W, 230))
        for x, y, r in ((158, 161, 3.5), (165, 154, 2.5), (152, 157, 2.2), (174, 170, 3)):
            rock(layer, x, y, r, rnd)
            glint_after.append((x, y, r))
        reeds(soft, 200, 226, rnd, n=12, spread=8)
        reeds(soft, 222, 228, rnd, n=10, spread=7)
        reeds(soft, 214, 112, rnd, n=8, spread=6)
        for _ in range(5):
            lily_pad(layer, rnd.uniform(178, 206), rnd.uniform(236, 268), rnd.uniform(4, 5.5), rnd,
                     flower=rnd.random() < 0.3)
    elif kind == "behind_island":
        # the narrow water between the big island (its long shore along the
        # bottom) and the mainland reaching down from the top right
        # the island's shore sweeps down and away before the boat's lane
        shore_y = lambda x: 184 + 14 * math.sin(x / 23.0 + 1.1) + 2600 / max(1.0, x - 120)
        island = lambda x, y: y - shore_y(x)
        main = lambda x, y: (x - 214) * 0.9 - y * 0.75 + 38 * math.sin(y / 31.0)
        _shallows(cv, lambda x, y: -max(island(x, y), main(x, y)) / 34, fade=24)
        _paint_land(cv, layer, main, rnd, "mixed", sand=4, region=(150, 0, W, 150))
        _paint_land(cv, layer, island, rnd, "spruce", sand=3, region=(146, 160, W, H))
        for x in (172, 196, 232):
            rock(layer, x, shore_y(x) - 3, rnd.uniform(2.5, 4), rnd)
        # a boathouse on the island's shore, roof and door seen from above
        bx = 208
        by = int(shore_y(bx + 10)) + 4
        layer.rect(bx, by, bx + 20, by + 14, "red_dk")
        layer.poly([(bx - 2, by + 2), (bx + 10, by - 4), (bx + 22, by + 2), (bx + 22, by + 9), (bx - 2, by + 9)],
                   "grey3")
        layer.line(bx + 10, by - 4, bx + 10, by + 9, "grey2")
        layer.rect(bx + 6, by + 10, bx + 14, by + 14, "wood_dk")
        for _ in range(6):
            lily_pad(layer, rnd.uniform(158, 196), rnd.uniform(150, 186), rnd.uniform(3.5, 5), rnd,
                     flower=rnd.random() < 0.25)
        duck(layer, 176, 92, 1)
        duck(layer, 186, 98, 1)
    elif kind == "deep":
        # the deepest hole of the lake: dark water falling away under the boat's
        # side, a marker buoy on its edge, the end of the bay curving round
        bay = lambda x, y: math.hypot(x - 150, y - 120) - 150
        hole = lambda x, y: math.hypot((x - 196) / 44, (y - 150) / 96)
        _shallows(cv, lambda x, y: -bay(x, y) / 30, fade=30)
        for y in range(H):
            for x in range(LANE_RIGHT, W):
                h = hole(x, y)
                if cv.get(x, y) != 0 or h >= 1.25:
                    continue
                t = min(1.0, (1.25 - h) * 1.6)
                b = bayer(x, y)
                cv.set(x, y, "water_deep" if t > 0.55 + 0.45 * b else "water_dk" if t > 0.45 * b else "water")
        _paint_land(cv, layer, bay, rnd, "mixed", sand=4, region=(180, 120, W, H))
        for _ in range(9):
            lily_pad(layer, rnd.uniform(160, 236), rnd.uniform(10, 44), rnd.uniform(4, 6), rnd,
                     flower=rnd.random() < 0.3)
        bx, by = 168, 206
        layer.ellipse(bx, by, 4, 4, "yellow")
        layer.ellipse(bx - 1, by - 1, 1.6, 1.6, "white")
        layer.rect(bx, by - 8, bx, by - 4, "outline")
        glint_after.append((bx, by, 3))
    elif kind == "wind":
        # open water far from any shore: the wind draws rows of little waves,
        # a bare skerry with gulls on it, the far shore just showing at the bottom
        for y in range(4, H, 7):
            x = LANE_RIGHT + rnd.randint(0, 12)
            while x < W:
                n = rnd.randint(3, 7)
                # fewer crests towards the lane, so the open water shades into them
                if rnd.random() < (x - LANE_RIGHT) / 40:
                    yy = y + rnd.randint(-1, 1)
                    cv.line(x, yy, x + n, yy, "water_lt")
                    cv.line(x + 1, yy + 1, x + n - 1, yy + 1, "water_dk")
                x += n + rnd.randint(5, 10)
        shore = lambda x, y: y - (292 - (x - 150) * 0.55 + 5 * math.sin(x / 9.0))
        _paint_land(cv, layer, shore, rnd, "spruce", sand=3, region=(150, 220, W, H))
        sx, sy = 206, 118
        rock(layer, sx, sy, 11, rnd)
        rock(layer, sx + 12, sy + 5, 6, rnd)
        rock(layer, sx - 10, sy + 6, 4, rnd)
        glint_after += [(sx, sy, 11), (sx + 12, sy + 5, 6)]
        for gx, gy in ((sx - 3, sy - 4), (sx + 4, sy - 2), (sx + 13, sy + 2)):
            layer.ellipse(gx, gy, 2, 1.3, "white")
            layer.set(gx - 2, gy, "grey2")
            layer.set(gx + 2, gy - 1, "yellow")
        for i, (dx, dy) in enumerate(((0, 0), (9, 5), (16, 2))):
            duck(layer, 172 + dx, 196 + dy, 1)
    else:
        raise ValueError(kind)

    _glints(cv, rnd, 30)
    layer.outline()
    # nothing may creep into the boat's lane or the strip corner
    for y in range(H):
        for x in range(STRIP[0] if y < STRIP[1] else LANE_RIGHT):
            layer.set(x, y, 0)
            soft.set(x, y, 0)
    cv.blit(soft, 0, 0)
    cv.blit(layer, 0, 0)
    for x, y, r in glint_after:
        rock_glint(cv, x, y, r)
    # the lane and the strip corner stay plain open water, whatever spilled there
    for y in range(H):
        for x in range(STRIP[0] if y < STRIP[1] else LANE_RIGHT):
            cv.set(x, y, "water")
    return cv


# -- the overview of a whole lake ---------------------------------------------

class Lake:
    """Water is a union of ellipses, minus islands."""

    def __init__(self, blobs, islands, name_seed):
        self.blobs = blobs
        self.islands = islands
        self.seed = name_seed

    @staticmethod
    def _inside(shapes, x, y, grow=0.0):
        for cx, cy, rx, ry in shapes:
            if rx + grow <= 0.5 or ry + grow <= 0.5:
                continue
            if ((x - cx) / (rx + grow)) ** 2 + ((y - cy) / (ry + grow)) ** 2 <= 1:
                return True
        return False

    def water(self, x, y, grow=0.0):
        return self._inside(self.blobs, x, y, grow) and not self._inside(self.islands, x, y, -grow)


def buoy_marker(cv, cx, cy, n):
    """A red-and-white lifebuoy ring with the spot number inside."""
    # faint circle showing the whole clickable square's reach
    cv.ring(cx, cy, 19.5, 19.5, 1, "water_glint", when=lambda x, y: (x + y) % 2 == 0)
    ring = Canvas(cv.w, cv.h)
    for y in range(int(cy - 15), int(cy + 16)):
        for x in range(int(cx - 15), int(cx + 16)):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = math.hypot(dx, dy)
            if 8.5 <= d <= 13.5:
                a = math.atan2(dy, dx) + math.pi / 4
                quarter = int((a % math.tau) / (math.pi / 2))
                ring.set(x, y, "red_lt" if quarter % 2 == 0 else "white")
                if d > 12.5 and dy > 0:
                    ring.set(x, y, "red" if quarter % 2 == 0 else "grey1")
    ring.outline()
    # rim inside the ring too
    for y in range(int(cy - 9), int(cy + 10)):
        for x in range(int(cx - 9), int(cx + 10)):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if 7.5 <= d < 8.5:
                ring.set(x, y, "outline")
    cv.blit(ring, 0, 0)
    num = Canvas(cv.w, cv.h)
    draw_glyph(num, str(n), int(cx) - 2, int(cy) - 3, "yellow")
    num.outline()
    cv.blit(num, 0, 0)


def overview(lake, markers, extras):
    """200 x 200 map: land, forest, the lake, and a numbered ring per spot.

    markers: list of (top, left) of each 40 x 40 marker square.
    """
    rnd = random.Random(lake.seed)
    cv = Canvas(200, 200, "green")
    # meadow texture
    for y in range(200):
        for x in range(200):
            if bayer(x * 2 + y, y * 3) > 0.88:
                cv.set(x, y, "green_lt")
    # water, shallow rim and beaches
    for y in range(200):
        for x in range(200):
            px, py = x + 0.5, y + 0.5
            if lake.water(px, py):
                if not lake.water(px, py, grow=-5):
                    cv.set(x, y, "shallow" if bayer(x, y) > 0.5 else "water_lt")
                elif not lake.water(px, py, grow=-9):
                    cv.set(x, y, "water_lt" if bayer(x, y) > 0.6 else "water")
                else:
                    cv.set(x, y, "water")
            elif lake.water(px, py, grow=2.2):
                cv.set(x, y, "sand")
    # forest on the land, denser away from the shore
    layer = Canvas(200, 200)
    soft = Canvas(200, 200)
    for _ in range(420):
        x, y = rnd.uniform(-4, 204), rnd.uniform(-4, 204)
        if lake.water(x, y, grow=6):
            continue
        if rnd.random() < 0.75:
            spruce(layer, x, y, rnd.uniform(3.5, 5))
        else:
            layer.ellipse(x, y, 3, 2.6, "green_lt")
            layer.set(x - 1, y - 1, "green_pale")
    for kind, args in extras:
        if kind == "cottage":
            x, y = args
            for yy in range(y - 8, y + 10):
                for xx in range(x - 8, x + 14):
                    if not lake.water(xx, yy):
                        layer.set(xx, yy, 0)
            layer.rect(x, y + 3, x + 7, y + 6, "red")
            layer.rect(x - 1, y, x + 8, y + 2, "grey3")
            layer.set(x + 2, y + 4, "white")
            layer.set(x + 5, y + 4, "white")
        elif kind == "jetty":
            x0, y0, x1 = args
            layer.rect(x0, y0, x1, y0 + 1, "wood_lt")
        elif kind == "rocks":
            for x, y in args:
                rock(layer, x, y, rnd.uniform(1.8, 2.8), rnd)
        elif kind == "reeds":
            for x, y in args:
                reeds(soft, x, y, rnd, n=6, spread=4)
        elif kind == "lilies":
            for x, y in args:
                lily_pad(layer, x, y, 2.5, rnd, flower=False)
        elif kind == "islands_trees":
            for x, y, r in args:
                spruce(layer, x, y, r)
    layer.outline()
    cv.blit(soft, 0, 0)
    cv.blit(layer, 0, 0)
    for n, (top, left) in enumerate(markers, start=1):
        buoy_marker(cv, left + 20, top + 20, n)
    # dark frame around the map
    for i in range(200):
        for x, y in ((i, 0), (i, 199), (0, i), (199, i)):
            cv.set(x, y, "outline")
    return cv
