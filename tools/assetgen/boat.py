"""The front of the old wooden rowing boat, bow pointing down the screen."""

import math

from .canvas import Canvas

W, H = 79, 81
CX = 39.5
TOP, WIDEST, TIP = 1, 30, 79


def half_width(y):
    if y < TOP:
        return 0
    if y <= WIDEST:
        t = (y - TOP) / (WIDEST - TOP)
        return 27 + 10 * math.sin(t * math.pi / 2)
    t = (y - WIDEST) / (TIP - WIDEST)
    if t >= 1:
        return 0
    return 37 * (1 - t ** 1.7) ** 0.85


def _outline_points(inset=0.0):
    left, right = [], []
    for y in range(TOP, TIP + 1):
        w = half_width(y) - inset
        if w <= 0:
            break
        left.append((CX - w, y))
        right.append((CX + w, y))
    return left + right[::-1]


def draw():
    cv = Canvas(W, H)
    # tarred outer planks, the gunwale rail, then the inside in steps
    cv.poly(_outline_points(0), "wood_dk")
    cv.poly(_outline_points(1.5), "wood")
    cv.poly(_outline_points(3.5), "wood_dk")
    cv.poly(_outline_points(4.5), "wood")
    cv.poly(_outline_points(8.5), "wood_dk")
    cv.poly(_outline_points(9.5), "wood_lt")
    # floor boards along the boat
    for x in range(W):
        if (x - 4) % 6 == 0:
            for y in range(H):
                if cv.get(x, y) == 23:  # wood_lt
                    cv.set(x, y, "wood")
    # light catches the right-hand side wall
    cv.recolour({"wood": "wood_lt"}, when=lambda x, y: x > CX and half_width(y) - (x - CX) < 8
                and half_width(y) - (x - CX) > 5 and y % 3 == 0)
    # the stern end: flat transom board across the top
    cv.rect(int(CX - 26), TOP, int(CX + 26), TOP + 3, "wood_dk")
    cv.rect(int(CX - 25), TOP + 1, int(CX + 25), TOP + 2, "wood")
    # the thwart he sits on
    th0, th1 = 28, 35
    for y in range(th0, th1 + 1):
        hw = int(half_width(y) - 2)
        cv.rect(int(CX - hw), y, int(CX + hw), y, "wood" if y < th1 - 1 else "wood_dk")
    cv.rect(int(CX - half_width(th0) + 2), th0, int(CX + half_width(th0) - 2), th0, "wood_lt")
    # small bow deck and the stem post
    cv.poly([(CX - 13, 61), (CX + 13, 61), (CX, 77)], "wood")
    cv.line(CX - 13, 61, CX + 12, 61, "wood_dk")
    cv.line(int(CX), 62, int(CX), 74, "wood_dk")
    # rowlocks on the rail, a mooring ring on the bow
    for x in (int(CX - 37), int(CX + 36)):
        cv.rect(x, 24, x + 1, 25, "steel")
    cv.set(int(CX) - 1, 70, "steel")
    cv.set(int(CX) + 1, 70, "steel")
    cv.set(int(CX), 71, "steel")
    cv.set(int(CX), 69, "steel")
    cv.outline()
    return cv
