"""The three lakes: their overview maps, spot descriptions and spot backgrounds."""

from dataclasses import dataclass

from .scenery import Lake


@dataclass
class Spot:
    name: str          # shown to the player
    top: int           # marker square (40 x 40) on the 200 x 200 overview
    left: int
    scene: str         # what the water around the spot looks like
    seed: int


@dataclass
class LakeInfo:
    file: str          # description file name under data/maps
    folder: str        # picture folder under data/maps, line 1 of the description
    title: str
    lake: Lake
    spots: list
    extras: list


LAKES = [
    LakeInfo(
        "Pitkajarvi.ars", "pitka", "Pitkäjärvi",
        Lake(blobs=[(38, 42, 30, 24), (72, 72, 34, 24), (106, 100, 32, 26), (140, 134, 34, 26),
                    (166, 166, 26, 22), (96, 84, 20, 30)],
             islands=[(96, 120, 10, 8), (150, 118, 5, 4)], name_seed=101),
        [Spot("Kaislikko", 24, 16, "reeds", 11),
         Spot("Saaren kärki", 62, 96, "island_tip", 12),
         Spot("Syvänne", 140, 140, "deep", 13)],
        [("reeds", [(14, 36), (20, 56), (26, 24), (46, 66)]),
         ("islands_trees", [(95, 119, 4.5), (99, 121, 3.5), (150, 118, 3)]),
         ("cottage", (158, 96)), ("jetty", (150, 108, 157)),
         ("lilies", [(124, 140), (130, 146), (119, 135)])],
    ),
    LakeInfo(
        "Saarijarvi.ars", "saari", "Saarijärvi",
        Lake(blobs=[(106, 104, 80, 72), (154, 44, 30, 24), (58, 160, 30, 24)],
             islands=[(108, 106, 28, 20), (164, 120, 4, 3)], name_seed=202),
        [Spot("Mökkiranta", 80, 26, "cottage", 21),
         Spot("Lumpeikko", 136, 90, "lilies", 22),
         Spot("Saaren takana", 30, 84, "behind_island", 23)],
        [("cottage", (10, 92)), ("jetty", (18, 102, 28)),
         ("islands_trees", [(100, 104, 5), (110, 100, 5), (118, 108, 4.5), (104, 113, 4), (92, 109, 4)]),
         ("lilies", [(104, 170), (112, 168), (96, 166), (118, 174), (108, 176)]),
         ("rocks", [(164, 120)])],
    ),
    LakeInfo(
        "Kivijarvi.ars", "kivi", "Kivijärvi",
        Lake(blobs=[(66, 78, 50, 44), (126, 108, 52, 48), (100, 160, 44, 28), (160, 56, 30, 26)],
             islands=[(96, 96, 6, 5), (150, 150, 5, 4)], name_seed=303),
        [Spot("Kivikko", 48, 36, "rocks", 31),
         Spot("Koivuranta", 94, 134, "birches", 32),
         Spot("Selkävesi", 122, 72, "wind", 33)],
        [("rocks", [(40, 58), (46, 64), (54, 52), (30, 80), (96, 96), (150, 150), (62, 100)]),
         ("islands_trees", [(96, 94, 3.5)]),
         ("reeds", [(168, 40), (176, 52)])],
    ),
]


# what each kind of spot background shows, for the data folder's README
SCENES = {
    "reeds": "a reed bed along a wooded shore",
    "island_tip": "the rocky point of a small wooded island, the far shore in the corner",
    "deep": "dark deep water with a marker buoy, the end of the bay curving round",
    "cottage": "a red cottage with a jetty and a rowing boat",
    "lilies": "water lilies in the shallows under birches",
    "behind_island": "the strait between the mainland and the big island's shore, with a boathouse",
    "rocks": "boulders in the shallows under spruces",
    "birches": "a sandy birch shore with an upturned boat",
    "wind": "open water rippled by the wind, a skerry with gulls, the far shore",
}


def description_bytes(info):
    """Ten lines, CR LF, Windows-1252: folder, then name/top/left for each spot."""
    lines = [info.folder]
    for s in info.spots:
        lines += [s.name, str(s.top), str(s.left)]
    assert len(lines) == 10
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")
