#!/usr/bin/python3
"""Makes every picture, tune and voice line of Norppala from scratch.

Run with Debian's Python (it has Pillow):  /usr/bin/python3 tools/make_assets.py
Needs sox, lame and espeak-ng (see tools/asset-deps.txt). The output is the
same byte for byte on every run, so regenerating never shows up as a change.

  --only pictures|sounds|music   make just one group
  --only texts                   rewrite only the angler's subtitle table from the
                                 clips already in data/sound (needs no tools)
  --table PATH                   where the subtitle table goes (core/chatterlines_table.h)
  --no-check                     skip the read-back checks at the end
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, HERE)

DATA = os.path.join(ROOT, "data")
PICS = os.path.join(ROOT, "resources", "pictures")
BUILD = os.path.join(ROOT, "build", "assets")
NIBBLE_DOC = os.path.join(ROOT, "docs", "peli_nykii_sarja.png")
TABLE = os.path.join(ROOT, "core", "chatterlines_table.h")

FISH = {
    "ahven_pieni": ("perch", 40, 60),
    "ahven_keski": ("perch", 60, 80),
    "ahven_iso": ("perch", 60, 100),
    "hauki_pieni": ("pike", 20, 52),
    "hauki_keski": ("pike", 25, 85),
    "hauki_iso": ("pike", 30, 100),
}


def make_pictures(sheet):
    # drawing needs Pillow; the subtitle table alone does not
    from assetgen import angler, boat, fish, lakes, scenery, sheets, ui
    from assetgen.canvas import save_gif, save_png

    os.makedirs(DATA, exist_ok=True)
    os.makedirs(PICS, exist_ok=True)

    def gif(folder, name, frames, durations=None, loop=None, transparent=True):
        path = os.path.join(folder, name)
        save_gif(path, frames, durations, loop=loop, transparent=transparent)
        sheet.append((os.path.relpath(path, ROOT), frames, durations, transparent, loop))

    def png(folder, name, cv, transparent=True):
        path = os.path.join(folder, name)
        save_png(path, cv, transparent)
        sheet.append((os.path.relpath(path, ROOT), [cv], None, transparent, None))

    # the angler: idle and nibble loop; tap, lift and lower play once and rest on the last frame
    idle, idle_d = angler.idle()
    gif(DATA, "mies.gif", idle, idle_d, loop=0)
    nibble, nibble_d = angler.nibble()
    gif(DATA, "mies_kala.gif", nibble, nibble_d, loop=0)
    gif(DATA, "mies_napautus.gif", *angler.tap())
    gif(DATA, "mies_nosto.gif", *angler.lift())
    gif(DATA, "mies_lasku.gif", *angler.lower())

    # the bait display
    gif(DATA, "koho3.gif", [ui.bait(3)], transparent=False)
    gif(DATA, "koho2.gif", [ui.bait(2)], transparent=False)
    gif(DATA, "koho1.gif", [ui.bait(1)], transparent=False)
    gif(DATA, "mato_dis.gif", [ui.greyed_out(ui.bait(3))], transparent=False)

    # fish, head up
    drawn = {}
    for name, (kind, w, h) in FISH.items():
        drawn[name] = getattr(fish, kind)(w, h)
        gif(DATA, name + ".gif", [drawn[name]])
    gif(DATA, "hauki.gif", [fish.pike(28, 95)])

    # lakes: description, overview and the three spot backgrounds
    maps = os.path.join(DATA, "maps")
    first_background = None
    for info in lakes.LAKES:
        folder = os.path.join(maps, info.folder)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(maps, info.file), "wb") as f:
            f.write(lakes.description_bytes(info))
        markers = [(s.top, s.left) for s in info.spots]
        gif(folder, "1.gif", [scenery.overview(info.lake, markers, info.extras)], transparent=False)
        for n, spot in enumerate(info.spots, start=1):
            background = scenery.spot_background(spot.scene, spot.seed)
            first_background = first_background or background
            gif(folder, f"taka{n}.gif", [background], transparent=False)

    # built into the program
    for size in (32, 48, 64, 128, 256):
        png(PICS, f"icon{size}.png", ui.icon(size))
    png(PICS, "ohje_corner.png", ui.help_corner())
    for name in FISH:
        gif(PICS, f"help_{name}.gif", [drawn[name]])
    vene = boat.draw()
    gif(PICS, "vene.gif", [vene])
    gif(PICS, "mies.gif", idle, idle_d, loop=0)
    gif(PICS, "vesi.gif", [ui.plain_water()], transparent=False)
    gif(PICS, "kala.gif", [fish.pike(30, 100)])
    gif(PICS, "mato.gif", [ui.line_in_water()], transparent=False)
    rings, ring_d = ui.rings()
    gif(PICS, "va.gif", rings, ring_d)
    png(PICS, "nuoli_ylos.png", ui.arrow(True))
    png(PICS, "nuoli_alas.png", ui.arrow(False))
    gif(PICS, "peli_tausta.gif", [ui.plain_water()], transparent=False)

    # the nibble as a player sees it when a game starts, for the docs
    sheets.nibble_sequence(first_background, vene, idle[0], nibble, nibble_d, NIBBLE_DOC)


README_HEAD = """# Norppala's data folder

Everything here is original: drawn, composed and spoken by `tools/make_assets.py`
(run `make assets`, or `/usr/bin/python3 tools/make_assets.py`). Nothing was copied
from anywhere. The files are part of Norppala and are under the project's own
licence, like the code. Regenerating gives the same bytes every time.

## Pictures (GIF, one shared pixel-art palette)
Sprites keep the lake blue as their transparent colour.

| file | size | what |
| --- | --- | --- |
| `mies.gif` | 93 x 120, 4 frames, loops | the angler waiting: the float rides the swell, now and then a blink; no rings, so a nibble stands out |
| `mies_kala.gif` | 93 x 120, 4 frames, loops | a fish nibbles: in every frame a big burst with "!" beside his hat, flashing yellow and red, and the float dragged under, bobbing back, splashing |
| `mies_napautus.gif` | 93 x 120, 4 frames, once | he taps the rod; ends in the calm waiting pose |
| `mies_nosto.gif` | 93 x 120, 4 frames, once | he lifts the line; ends with the rod up, float hanging |
| `mies_lasku.gif` | 93 x 120, 5 frames, once | he lowers the line back in; ends in the waiting pose |
| `koho3.gif` | 100 x 100 | bait display: a whole worm on the hook |
| `koho2.gif` | 100 x 100 | bait display: the worm half eaten |
| `koho1.gif` | 100 x 100 | bait display: a bare hook |
| `mato_dis.gif` | 100 x 100 | the bait display greyed out |
| `ahven_pieni.gif`, `ahven_keski.gif`, `ahven_iso.gif` | 40 x 60, 60 x 80, 60 x 100 | perch, head up |
| `hauki_pieni.gif`, `hauki_keski.gif`, `hauki_iso.gif` | 20 x 52, 25 x 85, 30 x 100 | pike, head up |
| `hauki.gif` | 28 x 95 | a pike between the medium and large classes |

No angler frame draws anything in its top row: with the boat at its starting
place that row is the lake's top edge. The game shows the bait pictures in a
97 x 89 box, so their frame and everything in it lies in the top-left 97 x 89
of the file; the rest only continues the dark rim.

## Lakes (`maps/`)
Each `*.ars` description is Windows-1252 text with CR LF line ends and ten
lines: the picture folder, then for each of the three spots its name and the
top and left of its 40 x 40 marker on the 200 x 200 overview. Each folder holds
the overview `1.gif` (200 x 200, spots drawn as numbered lifebuoys) and the
backgrounds `taka1.gif` ... `taka3.gif` (250 x 305) of the water around each spot.
Every spot is a place of its own, showing what lies by its lifebuoy on the map:
"""

README_SOUND = """
## Music
- `music2.mp3`: the menu tune, a wistful evening waltz in A minor.
- `music.mp3`: the game tune, an easy-going folk walk in G major.

Both are plucked kantele-like melody, soft bass, strummed chords and brushed
drums, about 96 kbit/s, and fade to near silence at the end so they loop
without a click.

## The angler's chatter (`sound/`)
22050 Hz mono 16-bit WAV, the old angler muttering to himself. Each line is
mastered against the game music as the game plays it (the music at the game
screen's volume 20, the clips at full volume over it): while he talks his voice
is 1.7 times the music's RMS, heard but not drowning it, and its peaks stay
well under -3 dBFS. The words of each line below are also its subtitle: the
same code writes them, with each clip's length, into `core/chatterlines_table.h`,
which the game is built with (`--only texts` rewrites that table alone).
"""


README_CUES = """
## The nibble cue (`sound/`)
22050 Hz mono 16-bit WAV, plain tones peaking at -6 dBFS, played on a player of
their own so they never cut off the angler's chatter (the A key turns them off).
"""


def write_readme():
    from assetgen import cues, lakes, voices

    lines = [README_HEAD, "| file | spots |", "| --- | --- |"]
    for info in lakes.LAKES:
        spots = "; ".join(f"{n}. {s.name}: {lakes.SCENES[s.scene]}" for n, s in enumerate(info.spots, start=1))
        lines.append(f"| `maps/{info.file}` ({info.title}, folder `{info.folder}/`) | {spots} |")
    lines.append(README_SOUND)
    for n, (text, _, _) in enumerate(voices.LINES, start=1):
        lines.append(f"- `{voices.file_name(n)}`: {text}")
    lines.append(README_CUES)
    for name, text in cues.FILES.items():
        lines.append(f"- `{name}`: {text}")
    with open(os.path.join(DATA, "README.md"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--only", choices=("pictures", "sounds", "music", "texts"))
    ap.add_argument("--table", default=TABLE)
    ap.add_argument("--no-check", action="store_true")
    args = ap.parse_args()

    if args.only == "texts":
        from assetgen import voices
        print("subtitles:", voices.write_table(os.path.join(DATA, "sound"), args.table))
        return
    if args.only in (None, "pictures"):
        from assetgen import sheets
        sheet = []
        make_pictures(sheet)
        write_readme()
        os.makedirs(BUILD, exist_ok=True)
        print("contact sheet:", sheets.contact_sheet(sheet, os.path.join(BUILD, "contact_sheet.png")))
    # the music first: the voices are mastered against it
    if args.only in (None, "music"):
        from assetgen import music
        music.make_all(DATA, os.path.join(BUILD, "music"))
    if args.only in (None, "sounds"):
        from assetgen import cues
        cues.make_all(os.path.join(DATA, "sound"))
        from assetgen import voices
        voices.make_all(os.path.join(DATA, "sound"), os.path.join(BUILD, "voices"),
                        os.path.join(DATA, "music.mp3"), args.table)
    if not args.no_check:
        from assetgen import checks
        problems = checks.run(ROOT)
        if problems:
            for p in problems:
                print("PROBLEM:", p)
            sys.exit(1)
        print("all assets checked")


if __name__ == "__main__":
    main()
