"""A tiny indexed-colour canvas: hard pixel edges, no smoothing, Bayer dithering.

Everything in the game is painted with these few primitives, so the pictures
share one look: flat shapes from the shared palette, a dark one-pixel rim
around sprites and ordered dithering where one colour fades into another.
"""

import math

from PIL import Image

from .palette import P, TRANSPARENT, flat_palette

BAYER4 = [
    [0, 8, 2, 10],
    [12, 4, 14, 6],
    [3, 11, 1, 9],
    [15, 7, 13, 5],
]


def bayer(x, y):
    """Threshold in (0, 1) for the ordered dither at a pixel."""
    return (BAYER4[y & 3][x & 3] + 0.5) / 16.0


def colour(c):
    return P[c] if isinstance(c, str) else c


class Canvas:
    def __init__(self, w, h, fill=TRANSPARENT):
        self.w, self.h = w, h
        self.px = bytearray([colour(fill)]) * (w * h)

    # -- basic access ---------------------------------------------------
    def copy(self):
        c = Canvas(self.w, self.h)
        c.px = bytearray(self.px)
        return c

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def get(self, x, y, default=TRANSPARENT):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.px[y * self.w + x]
        return default

    def set(self, x, y, c):
        x, y = int(x), int(y)
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = colour(c)

    # -- shapes ----------------------------------------------------------
    def rect(self, x0, y0, x1, y1, c):
        """Filled rectangle, corners inclusive."""
        c = colour(c)
        x0, y0, x1, y1 = int(x0), int(y0), int(x1), int(y1)
        for y in range(max(0, y0), min(self.h, y1 + 1)):
            for x in range(max(0, x0), min(self.w, x1 + 1)):
                self.px[y * self.w + x] = c

    def ellipse(self, cx, cy, rx, ry, c, when=None):
        """Filled ellipse around a (possibly half-pixel) centre."""
        c = colour(c)
        for y in range(max(0, int(cy - ry - 1)), min(self.h, int(cy + ry + 2))):
            for x in range(max(0, int(cx - rx - 1)), min(self.w, int(cx + rx + 2))):
                dx = (x + 0.5 - cx) / rx
                dy = (y + 0.5 - cy) / ry
                if dx * dx + dy * dy <= 1.0 and (when is None or when(x, y)):
                    self.px[y * self.w + x] = c

    def ring(self, cx, cy, rx, ry, width, c, when=None):
        """Elliptical ring `width` pixels thick, measured inward from rx/ry."""
        c = colour(c)
        irx, iry = rx - width, ry - width
        for y in range(max(0, int(cy - ry - 1)), min(self.h, int(cy + ry + 2))):
            for x in range(max(0, int(cx - rx - 1)), min(self.w, int(cx + rx + 2))):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                if (dx / rx) ** 2 + (dy / ry) ** 2 > 1.0:
                    continue
                if irx > 0 and iry > 0 and (dx / irx) ** 2 + (dy / iry) ** 2 <= 1.0:
                    continue
                if when is None or when(x, y):
                    self.px[y * self.w + x] = c

    def poly(self, pts, c, when=None):
        """Filled polygon (even-odd rule at pixel centres)."""
        c = colour(c)
        ys = [p[1] for p in pts]
        n = len(pts)
        for y in range(max(0, int(min(ys))), min(self.h, int(max(ys)) + 1)):
            yc = y + 0.5
            xs = []
            for i in range(n):
                (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
                if (y0 <= yc < y1) or (y1 <= yc < y0):
                    xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(max(0, math.ceil(a - 0.5)), min(self.w, math.floor(b - 0.5) + 1)):
                    if when is None or when(x, y):
                        self.px[y * self.w + x] = c

    def line(self, x0, y0, x1, y1, c, width=1):
        """Bresenham line; width 2 doubles it to the right and below."""
        x0, y0, x1, y1 = int(round(x0)), int(round(y0)), int(round(x1)), int(round(y1))
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            for ox in range(width):
                for oy in range(width):
                    self.set(x0 + ox, y0 + oy, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def dither(self, shape_when, t_fn, c_low, c_high):
        """Ordered-dither between two colours where `shape_when(x, y)` holds.

        `t_fn(x, y)` gives 0..1; 0 is all `c_low`, 1 all `c_high`.
        """
        lo, hi = colour(c_low), colour(c_high)
        for y in range(self.h):
            for x in range(self.w):
                if shape_when(x, y):
                    self.px[y * self.w + x] = hi if t_fn(x, y) > bayer(x, y) else lo

    def recolour(self, mapping, when=None):
        m = {colour(k): colour(v) for k, v in mapping.items()}
        for y in range(self.h):
            for x in range(self.w):
                i = y * self.w + x
                if self.px[i] in m and (when is None or when(x, y)):
                    self.px[i] = m[self.px[i]]

    def outline(self, c="outline", diagonal=False, ignore=()):
        """Give every shape a one-pixel rim on the transparent pixels around it."""
        c = colour(c)
        ign = {colour(i) for i in ignore}
        src = bytes(self.px)
        w, h = self.w, self.h
        nbrs = [(1, 0), (-1, 0), (0, 1), (0, -1)]
        if diagonal:
            nbrs += [(1, 1), (-1, 1), (1, -1), (-1, -1)]
        for y in range(h):
            for x in range(w):
                if src[y * w + x] != TRANSPARENT:
                    continue
                for dx, dy in nbrs:
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < w and 0 <= ny < h:
                        v = src[ny * w + nx]
                        if v != TRANSPARENT and v not in ign and v != c:
                            self.px[y * w + x] = c
                            break

    def inner_edge(self, target, c, side="left"):
        """Shade pixels of colour `target` that sit on one edge of their shape."""
        t, c = colour(target), colour(c)
        d = {"left": (-1, 0), "right": (1, 0), "top": (0, -1), "bottom": (0, 1)}[side]
        src = bytes(self.px)
        for y in range(self.h):
            for x in range(self.w):
                if src[y * self.w + x] == t:
                    nx, ny = x + d[0], y + d[1]
                    v = src[ny * self.w + nx] if self.inside(nx, ny) else TRANSPARENT
                    if v != t:
                        self.px[y * self.w + x] = c

    def blit(self, other, ox, oy, keep_transparent=True):
        for y in range(other.h):
            for x in range(other.w):
                v = other.px[y * other.w + x]
                if keep_transparent and v == TRANSPARENT:
                    continue
                self.set(ox + x, oy + y, v)

    def flipped(self):
        c = Canvas(self.w, self.h)
        for y in range(self.h):
            for x in range(self.w):
                c.px[y * self.w + x] = self.px[y * self.w + (self.w - 1 - x)]
        return c

    def crop_to(self, w, h, ox=0, oy=0):
        c = Canvas(w, h)
        for y in range(h):
            for x in range(w):
                c.px[y * w + x] = self.get(x + ox, y + oy)
        return c

    def scaled(self, n):
        c = Canvas(self.w * n, self.h * n)
        for y in range(c.h):
            for x in range(c.w):
                c.px[y * c.w + x] = self.px[(y // n) * self.w + (x // n)]
        return c

    def count(self, col):
        return self.px.count(colour(col))

    # -- output --------------------------------------------------------
    def image(self):
        im = Image.frombytes("P", (self.w, self.h), bytes(self.px))
        im.putpalette(flat_palette())
        return im

    def rgba(self, transparent=True):
        im = self.image().convert("RGBA")
        if transparent:
            alpha = Image.frombytes(
                "L", (self.w, self.h), bytes(0 if v == TRANSPARENT else 255 for v in self.px)
            )
            im.putalpha(alpha)
        return im


def save_gif(path, frames, durations=None, loop=None, transparent=True):
    """Write one or more canvases as a GIF with the shared palette.

    Sprites keep index 0 (lake blue) as their transparent colour and are
    cleared between frames (disposal 2), so moving parts leave no trails.
    """
    frames = list(frames)
    for a, b in zip(frames, frames[1:]):
        if a.px == b.px:
            raise ValueError(f"{path}: two consecutive frames are identical")
    ims = [f.image() for f in frames]
    kw = {"optimize": False}
    if transparent:
        kw["transparency"] = TRANSPARENT
    if len(ims) > 1:
        kw.update(save_all=True, append_images=ims[1:], duration=list(durations), disposal=2)
        if loop is not None:
            kw["loop"] = loop
    ims[0].save(path, "GIF", **kw)


def save_png(path, canvas, transparent=True):
    canvas.rgba(transparent).save(path, "PNG", optimize=False)
