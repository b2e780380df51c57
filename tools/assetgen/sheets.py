"""Pictures about the pictures: the contact sheet of everything drawn, and the
nibble played frame by frame on the lake for the docs."""

from PIL import Image, ImageDraw, ImageFont

BACKDROP = (40, 40, 48)
CHECKER = (52, 52, 62)
TEXT = (235, 235, 235)
DIM = (170, 170, 180)


def _font(size):
    try:
        return ImageFont.truetype("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", size)
    except OSError:
        return ImageFont.load_default()


def _checkerboard(w, h):
    im = Image.new("RGBA", (w, h), BACKDROP + (255,))
    px = im.load()
    for y in range(h):
        for x in range(w):
            if ((x // 8) + (y // 8)) % 2:
                px[x, y] = CHECKER + (255,)
    return im


def _scale_for(cv):
    side = max(cv.w, cv.h)
    return 3 if side <= 128 else 2 if side <= 320 else 1


def _tile(entry, font, small):
    """One file: its name on top, then every frame side by side.

    Animations show each frame on the lake blue they play over, numbered with
    how long it stays; stills show see-through pixels as a checkerboard.
    """
    name, frames, durations, transparent, loop = entry
    scale = _scale_for(frames[0])
    pad, head = 10, 18
    animated = len(frames) > 1
    foot = 16 if animated else 0
    ims = []
    for f in frames:
        im = f.rgba(transparent and not animated)
        ims.append(im.resize((f.w * scale, f.h * scale), Image.NEAREST))
    kind = ""
    if animated:
        kind = ", loops" if loop == 0 else ", plays once"
    label = f"{name}  {frames[0].w} x {frames[0].h}, {len(frames)} frame{'s' if animated else ''}{kind}"
    w = max(sum(i.width for i in ims) + pad * (len(ims) - 1), int(font.getlength(label)) + 4)
    h = head + max(i.height for i in ims) + foot
    tile = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    draw = ImageDraw.Draw(tile)
    draw.text((0, 0), label, fill=TEXT + (255,), font=font)
    x = 0
    for k, im in enumerate(ims):
        if not animated and transparent:
            tile.alpha_composite(_checkerboard(im.width, im.height), (x, head))
        tile.alpha_composite(im, (x, head))
        if animated:
            draw.text((x, head + im.height + 2), f"{k + 1}: {durations[k]} ms", fill=DIM + (255,), font=small)
        x += im.width + pad
    return tile


def contact_sheet(entries, path, max_w=1800):
    """entries: (name, frames, durations, transparent, loop) in the order drawn."""
    font, small = _font(13), _font(12)
    pad = 14
    # animations first, so their frames can be read side by side
    ordered = [e for e in entries if len(e[1]) > 1] + [e for e in entries if len(e[1]) == 1]
    tiles = [_tile(e, font, small) for e in ordered]
    rows, row, row_w = [], [], 0
    for t in tiles:
        if row and row_w + t.width + pad > max_w:
            rows.append(row)
            row, row_w = [], 0
        row.append(t)
        row_w += t.width + pad
    rows.append(row)
    width = max(sum(t.width + pad for t in r) for r in rows) + pad
    height = sum(max(t.height for t in r) + pad for r in rows) + pad
    out = Image.new("RGBA", (width, height), BACKDROP + (255,))
    y = pad
    for r in rows:
        x = pad
        for t in r:
            out.alpha_composite(t, (x, y))
            x += t.width + pad
        y += max(t.height for t in r) + pad
    out.convert("RGB").save(path)
    return path


# the game screen's places: the lake picture at the window's corner, the boat at
# Top 16 and the angler 16 pixels above it, both at Left 0
LAKE = (248, 304)
BOAT_AT = (0, 16)
ANGLER_AT = (0, 0)
ANGLER_BOX = (97, 129)


def nibble_sequence(background, boat, waiting, nibble, durations, path, crop=(150, 136), scale=2):
    """The start of a game on the lake: the waiting angler, then every frame of a nibble."""
    font, small = _font(15), _font(13)
    base = background.rgba(False).crop((0, 0) + LAKE)
    base.alpha_composite(boat.rgba(True), BOAT_AT)
    panels = [("odottaa / waiting", waiting)]
    panels += [(f"nykii {k + 1}/{len(nibble)}, {d} ms", f) for k, (f, d) in enumerate(zip(nibble, durations))]
    pad, head, title = 12, 22, 30
    cw, ch = crop[0] * scale, crop[1] * scale
    out = Image.new("RGBA", (pad + len(panels) * (cw + pad), title + head + ch + pad), BACKDROP + (255,))
    draw = ImageDraw.Draw(out)
    draw.text((pad, 8), "Kala nykii: mies_kala.gif kuva kuvalta veneen lähtöpaikalla, järven yläreunassa "
                        "(a nibble frame by frame, boat at its starting place)", fill=TEXT + (255,), font=font)
    for k, (label, frame) in enumerate(panels):
        scene = base.copy()
        sprite = frame.rgba(True).crop((0, 0) + ANGLER_BOX)
        scene.alpha_composite(sprite, ANGLER_AT)
        view = scene.crop((0, 0) + crop).resize((cw, ch), Image.NEAREST)
        x = pad + k * (cw + pad)
        draw.text((x, title + 2), label, fill=(TEXT if k else DIM) + (255,), font=small)
        out.alpha_composite(view, (x, title + head))
    out.convert("RGB").save(path, "PNG", optimize=False)
    return path
