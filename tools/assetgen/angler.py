"""The old angler in the bow, seen from above and in front, rod held out over the water.

He faces down the screen: that is where his line goes in and where a hooked
fish comes up from. Every animation is built from one parametric pose so the
frames line up pixel for pixel.
"""

import math
from dataclasses import dataclass, replace

from .canvas import Canvas
from .palette import P

W, H = 93, 120

# where the hands hold the rod handle
HANDS = (47, 50)
# the figure and the rod tip / float, moved as one from the poses' own coordinates
BODY = (3, 6)
LINE = (3, 3)


@dataclass(frozen=True)
class Pose:
    tip: tuple = (79, 93)          # rod tip
    float_at: tuple = (82, 107)    # centre of the float
    float_state: str = "water"     # water / dip / under / pop / air / none
    ripple: int = 0                # 0 none, 1 small, 2 wide, 3 splash
    eyes: str = "open"             # open / blink / wide
    lean: int = 0                  # pixels he leans forward
    alert: int = None              # None, or which of the two flashing phases of the burst
    mouth: str = "grumble"         # grumble / open


IDLE = Pose()


def _hat(cv, cx, cy):
    # wide floppy brim, crown on top, a band and a spinner stuck in it
    cv.ellipse(cx, cy + 3, 17, 8.5, "olive")
    cv.ellipse(cx, cy + 4.5, 17, 7, "olive_dk", when=lambda x, y: y > cy + 7)
    cv.ellipse(cx, cy + 3, 17, 8.5, "olive", when=lambda x, y: y <= cy + 7)
    cv.ellipse(cx, cy - 0.5, 10.5, 7, "olive_lt")
    cv.ellipse(cx + 1.5, cy + 0.5, 9, 6, "olive", when=lambda x, y: x > cx - 4 or y > cy + 2)
    cv.rect(cx - 10, cy + 3, cx + 10, cy + 4, "olive_dk")
    cv.ellipse(cx - 4, cy - 3, 3, 1.6, "green_pale")
    # a red-white spinner hooked in the band
    cv.set(cx + 6, cy + 3, "red_lt")
    cv.set(cx + 7, cy + 3, "white")
    cv.set(cx + 7, cy + 4, "red_lt")


def _face(cv, cx, cy, pose):
    cv.ellipse(cx, cy, 10, 7, "skin")
    cv.ellipse(cx, cy - 4, 10, 3, "skin_dk")  # brim shadow
    # eyebrows: bushy, grumpy, slanting down to the nose
    if pose.eyes == "wide":
        cv.line(cx - 7, cy - 3, cx - 3, cy - 4, "grey1")
        cv.line(cx + 3, cy - 4, cx + 7, cy - 3, "grey1")
    else:
        cv.line(cx - 7, cy - 3, cx - 3, cy - 1, "grey1")
        cv.line(cx + 3, cy - 1, cx + 7, cy - 3, "grey1")
    if pose.eyes == "open":
        cv.rect(cx - 5, cy, cx - 4, cy, "outline")
        cv.rect(cx + 4, cy, cx + 5, cy, "outline")
    elif pose.eyes == "wide":
        for ex in (cx - 6, cx + 3):
            cv.rect(ex, cy - 1, ex + 2, cy + 1, "white")
            cv.set(ex + 1, cy, "outline")
    else:  # blink
        cv.rect(cx - 6, cy, cx - 3, cy, "skin_dk")
        cv.rect(cx + 3, cy, cx + 6, cy, "skin_dk")
    # the famous nose
    cv.ellipse(cx, cy + 2.5, 3, 2.6, "pink")
    cv.set(cx - 1, cy + 1, "pink_lt")
    cv.rect(cx - 1, cy + 4, cx + 1, cy + 4, "pink_dk")


def _beard(cv, cx, cy, pose):
    cv.ellipse(cx, cy + 3, 10, 7, "grey1")
    cv.ellipse(cx, cy + 2, 9, 5.5, "white")
    for x, y in ((-6, 3), (-3, 5), (1, 6), (4, 4), (7, 2), (-1, 3), (3, 8), (-4, 8)):
        cv.set(cx + x, cy + y, "grey1")
    # moustache drooping over the mouth
    cv.ellipse(cx - 3, cy - 1, 4, 2, "white")
    cv.ellipse(cx + 3, cy - 1, 4, 2, "white")
    if pose.mouth == "open":
        cv.rect(cx - 1, cy + 1, cx + 1, cy + 2, "outline")
    else:
        cv.rect(cx - 1, cy + 1, cx + 1, cy + 1, "grey3")


def _body(cv, cx, cy):
    # red checked flannel shirt, seen from above the shoulders
    cv.ellipse(cx, cy, 15, 12, "red")
    cv.rect(cx - 14, cy, cx + 14, cy + 12, "red")
    for y in range(cy - 12, cy + 13):
        for x in range(cx - 15, cx + 16):
            if cv.get(x, y) == 27:  # red
                if (x - cx) % 5 == 0 or (y - cy) % 5 == 0:
                    cv.set(x, y, "red_dk")
    # brown fishing vest over it
    cv.poly([(cx - 14, cy - 4), (cx - 5, cy - 8), (cx - 4, cy + 13), (cx - 14, cy + 13)], "wood_dk")
    cv.poly([(cx + 14, cy - 4), (cx + 5, cy - 8), (cx + 4, cy + 13), (cx + 14, cy + 13)], "wood_dk")
    cv.line(cx - 12, cy + 6, cx - 8, cy + 6, "wood")
    cv.line(cx + 8, cy + 6, cx + 12, cy + 6, "wood")


def _legs(cv, cx, cy):
    # knees forward, rubber boots at the front
    for s in (-1, 1):
        kx = cx + s * 7
        cv.ellipse(kx, cy, 6.5, 6, "denim")
        cv.rect(kx - 5, cy + 4, kx + 5, cy + 6, "denim_dk")
        cv.ellipse(kx, cy + 9.5, 6, 4, "spruce_dk")
        cv.ellipse(kx, cy + 8.5, 4.5, 2.5, "spruce")
        cv.set(kx - 3, cy - 2, "water_lt")
        cv.set(kx - 2, cy - 3, "water_lt")


def _arms(cv, cx, cy, hands):
    hx, hy = hands
    for sx, off in ((cx - 13, -2), (cx + 13, 0)):
        cv.line(sx, cy - 2, hx + off, hy - 1, "red", width=5)
    cv.line(cx + 13, cy - 2, hx, hy - 1, "red_dk", width=1)
    cv.ellipse(hx - 1, hy, 4, 3.2, "skin")
    cv.ellipse(hx + 2, hy + 1, 3.5, 3, "skin")
    cv.set(hx - 2, hy + 2, "skin_dk")
    cv.set(hx + 1, hy + 3, "skin_dk")


def _rod_points(hands, tip):
    (x0, y0), (x1, y1) = hands, tip
    butt = (x0 - (x1 - x0) * 0.22, y0 - (y1 - y0) * 0.22)
    return butt, (x1, y1)


def _rod(cv, hands, tip):
    (bx, by), (tx, ty) = _rod_points(hands, tip)
    n = int(max(abs(tx - bx), abs(ty - by)))
    for i in range(n + 1):
        t = i / n
        x = bx + (tx - bx) * t
        y = by + (ty - by) * t
        if t < 0.28:
            cv.rect(int(x), int(y), int(x) + 1, int(y) + 1, "sand" if t > 0.06 else "bark")
        elif t < 0.55:
            cv.rect(int(x), int(y), int(x) + 1, int(y), "wood_dk")
        else:
            cv.set(x, y, "bark")
    cv.set(tx, ty, "red_lt")


def _float(cv, fx, fy, state):
    if state in ("none", "under"):
        return
    if state == "dip":
        # only the red cap shows above the surface
        cv.ellipse(fx + 0.5, fy + 1.5, 2.5, 2, "red_lt")
        cv.set(fx, fy + 1, "white")
        return
    if state == "pop":
        # jerked back up and tipped over by the fish: lying on its side
        cv.ellipse(fx + 0.5, fy + 0.5, 4, 2.6, "white")
        cv.ellipse(fx + 2, fy + 0.5, 2.5, 2.6, "red_lt")
        cv.rect(fx - 6, fy, fx - 4, fy, "outline")  # the antenna, flat on the water
        cv.set(fx - 7, fy, "yellow")
        return
    cv.rect(fx, fy - 5, fx, fy - 3, "outline")  # little antenna
    cv.set(fx, fy - 6, "yellow")
    cv.ellipse(fx + 0.5, fy + 0.5, 3, 3.5, "white")
    cv.ellipse(fx + 0.5, fy - 0.5, 3, 2.5, "red_lt", when=lambda x, y: y <= fy)
    cv.set(fx - 1, fy - 1, "white")
    cv.rect(fx - 2, fy + 1, fx + 2, fy + 1, "red")


def _ripple(cv, fx, fy, kind):
    # the float sits near the sprite's right edge: rings stay narrow enough
    # that none is cut off by it
    if kind == 0:
        return
    free = lambda x, y: cv.get(x, y) == 0
    if kind == 1:
        cv.ring(fx + 0.5, fy + 2.5, 5.5, 2.8, 1, "water_lt", when=free)
    elif kind == 2:
        cv.ring(fx + 0.5, fy + 2.5, 7.5, 3.8, 1, "water_glint", when=free)
        cv.ring(fx + 0.5, fy + 2.5, 4.5, 2.3, 1, "water_lt", when=free)
    elif kind == 3:
        cv.ring(fx + 0.5, fy + 2.5, 7.5, 4, 1, "water_lt", when=free)
        for dx, dy in ((-5, -4), (5, -5), (-7, -1), (6, -2), (0, -7), (-2, -9)):
            cv.set(fx + dx, fy + dy, "water_glint")


# the alert burst beside his hat: big, bright and flashing between two colourings,
# so a nibble is seen from the corner of an eye; it stays clear of the sprite's top row
ALERT = (76, 17)
ALERT_COLOURS = [
    # burst, its heart, the mark, the mark's shaded edge, its highlight
    ("yellow", "yellow", "red", "red_dk", "red_lt"),
    ("red_lt", "red", "white", "grey1", "white"),
]


def _alert(cv, phase):
    cx, cy = ALERT
    r_out = 15 - phase
    fill, heart, mark, shade, shine = ALERT_COLOURS[phase]
    burst = Canvas(W, H)
    n = 9
    pts = []
    for i in range(2 * n):
        a = math.pi * i / n + phase * math.pi / n - math.pi / 2
        r = r_out if i % 2 == 0 else r_out * 0.7
        pts.append((cx + math.cos(a) * r, cy + math.sin(a) * r))
    burst.poly(pts, fill)
    burst.ellipse(cx, cy, r_out * 0.6, r_out * 0.6, heart)
    # a spike reaching for his head says whose alarm it is
    burst.poly([(cx - 9, cy + 3), (cx - 18, cy + 9), (cx - 6, cy + 9)], fill)
    # the mark itself: a thick bar and a dot, with a shaded edge down its right side
    bar_top = cy - 10 + phase
    burst.poly([(cx - 3, bar_top), (cx + 4, bar_top), (cx + 2, cy + 3), (cx - 1, cy + 3)], mark)
    burst.ellipse(cx + 0.5, cy + 7, 2.5, 2.5, mark)
    for y in range(bar_top, cy + 10):
        for x in range(cx + 4, cx - 4, -1):
            if burst.get(x, y) == P[mark]:
                burst.set(x, y, shade)
                break
    burst.rect(cx - 2, bar_top + 1, cx - 2, bar_top + 3, shine)
    burst.outline()
    cv.blit(burst, 0, 0)


def draw(pose):
    cv = Canvas(W, H)
    # he sits on the boat's thwart: the boat is drawn 16 px lower than he is
    cx = 36 + BODY[0]
    lean = pose.lean + BODY[1]
    hands = (HANDS[0] + BODY[0], HANDS[1] + lean)
    pose = replace(pose, tip=(pose.tip[0] + LINE[0], pose.tip[1] + LINE[1]),
                   float_at=(pose.float_at[0] + LINE[0], pose.float_at[1] + LINE[1]))
    _legs(cv, cx, 57 + BODY[1])
    _body(cv, cx, 39 + lean)
    _arms(cv, cx, 39 + lean, hands)
    _beard(cv, cx, 26 + lean, pose)
    _face(cv, cx, 20 + lean, pose)
    _hat(cv, cx, 8 + lean)
    # the rod goes over everything and gets the same dark rim as the man
    _rod(cv, hands, pose.tip)
    # keep the hands over the rod so he visibly grips it
    hx, hy = hands
    cv.ellipse(hx + 2, hy + 1, 3.5, 3, "skin")
    cv.set(hx + 1, hy + 3, "skin_dk")
    cv.set(hx + 3, hy, "skin_dk")
    fx, fy = pose.float_at
    _float(cv, fx, fy, pose.float_state)
    cv.outline()
    # thin line and water rings stay rimless: they belong to the water
    if pose.float_state == "under":
        # pulled under: a dark swirl where it went down, the line taut into it
        cv.ellipse(fx + 0.5, fy + 1.5, 4, 2, "water_deep")
        cv.set(fx, fy + 1, "water_dk")
    if pose.float_state != "none":
        top = {"dip": fy, "under": fy + 1, "pop": fy}.get(pose.float_state, fy - 6)
        cv.line(pose.tip[0], pose.tip[1] + 1, fx, top, "grey1")
        cv.set(fx, top, "grey1")
    _ripple(cv, fx, fy, pose.ripple)
    if pose.alert is not None:
        _alert(cv, pose.alert)
    assert not any(cv.px[:W]), "nothing may touch the top row: the lake's edge would cut it"
    return cv


# -- the animations ----------------------------------------------------------

def idle():
    # calm: the float rides the swell a pixel up and down, he blinks now and then
    frames = [
        draw(IDLE),
        draw(replace(IDLE, float_at=(82, 108))),
        draw(IDLE),
        draw(replace(IDLE, eyes="blink")),
    ]
    return frames, [700, 500, 600, 160]


def nibble():
    # every frame shouts: the burst flashes, the float is dragged under and bobs back
    bite = replace(IDLE, eyes="wide", lean=1)
    frames = [
        draw(replace(bite, tip=(79, 96), float_state="under", ripple=3, alert=0)),
        draw(replace(bite, tip=(79, 94), float_state="dip", ripple=2, alert=1, mouth="open")),
        draw(replace(bite, tip=(79, 97), float_at=(82, 108), float_state="under", ripple=2, alert=0,
                     mouth="open")),
        draw(replace(bite, tip=(79, 92), float_at=(82, 106), float_state="pop", ripple=3, alert=1)),
    ]
    return frames, [170, 170, 170, 170]


def tap():
    frames = [
        draw(replace(IDLE, tip=(80, 86), ripple=0)),
        draw(replace(IDLE, tip=(78, 96), float_at=(82, 108), ripple=2, eyes="wide")),
        draw(replace(IDLE, ripple=1)),
        draw(IDLE),
    ]
    return frames, [120, 140, 200, 300]


def lift():
    frames = [
        draw(replace(IDLE, tip=(81, 80), ripple=1)),
        draw(replace(IDLE, tip=(82, 62), float_at=(84, 96), float_state="air", ripple=3)),
        draw(replace(IDLE, tip=(80, 40), float_at=(83, 70), float_state="air")),
        draw(replace(IDLE, tip=(79, 34), float_at=(82, 58), float_state="air")),
    ]
    return frames, [120, 140, 160, 300]


def lower():
    frames = [
        draw(replace(IDLE, tip=(79, 34), float_at=(82, 58), float_state="air", lean=1)),
        draw(replace(IDLE, tip=(81, 60), float_at=(83, 84), float_state="air")),
        draw(replace(IDLE, tip=(80, 84), float_at=(82, 107), ripple=3)),
        draw(replace(IDLE, ripple=2)),
        draw(IDLE),
    ]
    return frames, [140, 140, 140, 200, 300]
