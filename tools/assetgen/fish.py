"""Perch and pike, head up, seen from above like everything else on the lake."""

import math

from .canvas import Canvas


def _body_rows(cv, cx, y0, y1, half_w, paint):
    """Fill a body whose half width at fraction t (0 = snout) is half_w(t)."""
    for y in range(y0, y1 + 1):
        t = (y + 0.5 - y0) / (y1 + 1 - y0)
        hw = half_w(t)
        for x in range(cv.w):
            d = (x + 0.5 - cx)
            if abs(d) <= hw:
                paint(x, y, t, d / max(hw, 0.5))


def _fin(cv, pts, c, c2=None, stripe=None):
    cv.poly(pts, c)
    if c2 and stripe:
        (ax, ay), (bx, by) = stripe
        cv.line(ax, ay, bx, by, c2)


def _tail(cv, cx, top, bottom, spread, c, c2):
    mid = top + (bottom - top) * 0.55
    cv.poly([(cx - 1.5, top), (cx + 1.5, top), (cx + spread, bottom), (cx + 1, mid + 1),
             (cx - 1, mid + 1), (cx - spread, bottom)], c)
    cv.line(cx, top + 1, cx - spread + 1, bottom - 1, c2)
    cv.line(cx, top + 1, cx + spread - 1, bottom - 1, c2)


def perch(w, h):
    cv = Canvas(w, h)
    cx = w / 2
    snout, base = 2, int(h * 0.8)
    bw = w * 0.27 if w < 50 else w * 0.24
    tail_len = h - 2 - base

    def half_w(t):
        return max(1.5, bw * (math.sin(math.pi * min(1.0, 0.08 + t * 0.95) ** 0.75)) ** 0.7)

    # fins first so the body overlaps their roots
    pec = int(snout + (base - snout) * 0.30)
    pel = int(snout + (base - snout) * 0.42)
    for s in (-1, 1):
        f = h / 60
        _fin(cv, [(cx + s * bw * 0.8, pec - 1), (cx + s * (bw + 3 * f), pec + 1),
                  (cx + s * (bw + 4 * f), pec + 3 * f), (cx + s * (bw + 2 * f), pec + 5 * f),
                  (cx + s * bw * 0.7, pec + 3 * f)], "orange")
        _fin(cv, [(cx + s * bw * 0.6, pel), (cx + s * (bw + 2 * f), pel + 2 * f),
                  (cx + s * (bw + 4 * f), pel + 6 * f), (cx + s * (bw + 1 * f), pel + 7 * f),
                  (cx + s * bw * 0.4, pel + 4 * f)], "red_lt")
        cv.line(cx + s * bw * 0.8, pel + 2 * f, cx + s * (bw + 2.5 * f), pel + 5.5 * f, "red")
    anal = int(snout + (base - snout) * 0.84)
    for s in (-1, 1):
        _fin(cv, [(cx + s * 1, anal - 3), (cx + s * bw * 0.9, anal + 2), (cx + s * 1, anal + 4)], "red_lt")
    _tail(cv, cx, base - 1, h - 2, min(bw * 0.8, tail_len * 0.7 + 2), "orange", "red")

    def paint(x, y, t, u):
        # darker back along the middle, lighter flanks
        a = abs(u)
        c = "olive_dk" if a < 0.25 else ("olive" if a < 0.75 else "olive_lt")
        cv.set(x, y, c)

    _body_rows(cv, cx, snout, base, half_w, paint)
    # the dark bars across the back, wedge shaped toward the flanks
    nbars = 6 if h >= 80 else 5
    for i in range(nbars):
        t = 0.30 + i * (0.62 / nbars)
        yb = snout + (base - snout) * t
        thick = max(1.5, h / 40)
        for y in range(int(yb - thick), int(yb + thick) + 1):
            tt = (y + 0.5 - snout) / (base + 1 - snout)
            hw = half_w(tt)
            for x in range(int(cx - hw), int(cx + hw) + 1):
                u = abs(x + 0.5 - cx) / max(hw, 0.5)
                if u <= 1 and abs(y + 0.5 - yb) <= thick * (1.1 - 0.6 * u):
                    cv.set(x, y, "spruce_dk" if u < 0.5 else "olive_dk")
    # spiny first dorsal (with its dark spot) and soft second dorsal on the ridge
    d0 = int(snout + (base - snout) * 0.28)
    d1 = int(snout + (base - snout) * 0.58)
    for y in range(d0, d1):
        cv.set(int(cx), y, "outline" if y % 2 == 0 else "grey3")
    cv.set(int(cx), d1 - 2, "purple")
    cv.set(int(cx), d1 - 3, "purple")
    for y in range(d1 + 2, int(snout + (base - snout) * 0.80)):
        cv.set(int(cx), y, "olive_lt")
    # head: gill covers, golden eyes, mouth
    gill = snout + (base - snout) * 0.2
    for s in (-1, 1):
        for k in range(-2, 3):
            hw = half_w((gill + k - snout) / (base - snout))
            cv.set(cx + s * (hw - 1.5 - abs(k) * 0.7) - (1 if s > 0 else 0), gill + k, "olive_dk")
    ey = snout + (base - snout) * 0.09 + 1
    ehw = half_w((ey - snout) / (base - snout))
    er = 1 if w < 50 else 1.5
    for s in (-1, 1):
        ex = cx + s * (ehw - er - 0.3)
        cv.ellipse(ex, ey, er + 0.6, er + 0.6, "yellow")
        cv.set(ex, ey, "outline")
    cv.set(int(cx), snout, "olive_dk")
    cv.outline()
    return cv


def pike(w, h):
    cv = Canvas(w, h)
    cx = w / 2
    snout, base = 1, int(h * 0.84)
    bw = w * 0.26

    def half_w(t):
        if t < 0.16:  # the long flat duck-bill snout
            return bw * (0.45 + 0.45 * (t / 0.16))
        if t < 0.3:
            return bw * (0.9 + 0.1 * (t - 0.16) / 0.14)
        return max(1.2, bw * (1 - ((t - 0.3) / 0.7) ** 2 * 0.55))

    pec = int(snout + (base - snout) * 0.22)
    pel = int(snout + (base - snout) * 0.55)
    reach = w / 2 - 1.2
    for s in (-1, 1):
        _fin(cv, [(cx + s * bw * 0.8, pec), (cx + s * reach, pec + 3),
                  (cx + s * reach * 0.9, pec + 5), (cx + s * bw * 0.7, pec + 3)], "orange")
        _fin(cv, [(cx + s * bw * 0.6, pel), (cx + s * reach, pel + 4),
                  (cx + s * reach * 0.85, pel + 6), (cx + s * bw * 0.5, pel + 3)], "orange")
    _tail(cv, cx, base - 1, h - 2, w / 2 - 1.5, "red_lt", "red_dk")

    def paint(x, y, t, u):
        a = abs(u)
        c = "spruce" if a < 0.3 else ("green" if a < 0.8 else "green_lt")
        if t < 0.16:
            c = "green" if a < 0.6 else "green_lt"
        cv.set(x, y, c)

    _body_rows(cv, cx, snout, base, half_w, paint)
    # pale bean-shaped spots in loose rows along the flanks
    step = 5 if h > 60 else 4
    row = 0
    for y in range(int(snout + (base - snout) * 0.27), base - 2, step):
        t = (y - snout) / (base - snout)
        hw = half_w(t)
        for s in (-1, 1):
            off = 0.55 if (row + (s > 0)) % 2 == 0 else 0.8
            x = cx + s * hw * off - (1 if s > 0 else 0)
            cv.set(x, y, "green_pale")
            if h > 60:
                cv.set(x, y + 1, "green_pale")
            if hw > 5 and h > 80:
                cv.set(x - s * 2, y + step // 2, "green_pale")
        row += 1
    # dorsal fin set far back, right before the tail
    d0 = int(snout + (base - snout) * 0.74)
    for y in range(d0, base - 1):
        cv.set(int(cx), y, "orange" if y % 3 else "red_dk")
        if w >= 28:
            cv.set(int(cx) - 1, y, "wood_lt" if y % 3 else "red_dk")
    # eyes on top of the head, a grumpy jaw line
    ey = snout + (base - snout) * 0.17
    for s in (-1, 1):
        ex = cx + s * (half_w(0.17) - 1.6) - (1 if s > 0 else 0)
        cv.set(ex, ey, "yellow")
        cv.set(ex, ey + 1, "outline")
        if w >= 25:
            cv.set(ex + s, ey, "yellow")
    for y in range(snout + 1, int(ey) - 1):
        cv.set(int(cx), y, "spruce_dk")
    cv.outline()
    return cv
