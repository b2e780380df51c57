"""The one palette every picture in the game is drawn with.

Index 0 is the lake's own blue. Sprites use it as their transparent colour, so a
viewer that ignores transparency still shows them sitting on water; the lake
backgrounds use the very same index as their open water.
"""

COLOURS = [
    ("water", (58, 110, 165)),
    ("outline", (28, 24, 40)),
    ("white", (244, 242, 232)),
    ("grey1", (186, 188, 196)),
    ("grey2", (130, 132, 146)),
    ("grey3", (80, 82, 98)),
    ("water_dk", (46, 90, 145)),
    ("water_deep", (36, 72, 124)),
    ("water_lt", (86, 140, 190)),
    ("water_glint", (168, 208, 234)),
    ("shallow", (66, 124, 140)),
    ("shallow2", (88, 144, 126)),
    ("spruce_dk", (22, 54, 46)),
    ("spruce", (34, 84, 58)),
    ("green", (62, 122, 60)),
    ("green_lt", (112, 164, 70)),
    ("green_pale", (168, 202, 108)),
    ("olive_dk", (74, 82, 36)),
    ("olive", (112, 120, 48)),
    ("olive_lt", (154, 158, 72)),
    ("bark", (66, 42, 32)),
    ("wood_dk", (98, 58, 36)),
    ("wood", (142, 90, 52)),
    ("wood_lt", (186, 130, 78)),
    ("sand", (216, 188, 134)),
    ("sand_lt", (238, 220, 172)),
    ("red_dk", (116, 30, 34)),
    ("red", (176, 44, 40)),
    ("red_lt", (224, 78, 58)),
    ("orange", (232, 132, 52)),
    ("yellow", (244, 208, 84)),
    ("skin", (236, 182, 142)),
    ("skin_dk", (194, 126, 98)),
    ("pink", (226, 122, 132)),
    ("pink_dk", (166, 72, 96)),
    ("pink_lt", (244, 170, 170)),
    ("denim", (70, 84, 120)),
    ("denim_dk", (48, 56, 86)),
    ("steel", (150, 160, 176)),
    ("reed", (150, 150, 70)),
    ("reed_dk", (104, 108, 48)),
    ("rock", (120, 118, 116)),
    ("rock_lt", (164, 160, 150)),
    ("rock_dk", (84, 80, 82)),
    ("moss", (96, 110, 60)),
    ("purple", (120, 86, 140)),
    ("lily", (70, 132, 64)),
    ("lily_dk", (44, 96, 52)),
]

NAMES = [n for n, _ in COLOURS]
RGB = [c for _, c in COLOURS]
assert len(RGB) <= 64

# Index lookup by name: P["water"] == 0.
P = {n: i for i, n in enumerate(NAMES)}
TRANSPARENT = P["water"]


def flat_palette(size=64):
    """Palette bytes padded to `size` entries (GIF tables are powers of two)."""
    out = []
    for rgb in RGB:
        out.extend(rgb)
    while len(out) < size * 3:
        out.extend((0, 0, 0))
    return out


def nearest(rgb, allowed=None):
    """Palette index closest to an RGB colour, optionally within a subset of names."""
    best, best_d = None, None
    for i, c in enumerate(RGB):
        if allowed is not None and NAMES[i] not in allowed:
            continue
        d = sum((a - b) ** 2 for a, b in zip(c, rgb))
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


GREYS = ("outline", "grey3", "grey2", "grey1", "white")


def greyed(index):
    """The grey a colour turns into when a display is switched off."""
    r, g, b = RGB[index]
    lum = 0.30 * r + 0.59 * g + 0.11 * b
    # pull everything towards the middle so the dimmed picture looks faded
    lum = 30 + lum * 0.6
    return nearest((lum, lum, lum), GREYS)
