"""Reads every generated file back and checks it is what the game expects."""

import os
import subprocess
import wave

from PIL import Image

from .palette import RGB, TRANSPARENT

# name -> (width, height, frames, transparent)
DATA_PICTURES = {
    "mies.gif": (93, 120, 4, True),
    "mies_kala.gif": (93, 120, 4, True),
    "mies_napautus.gif": (93, 120, 4, True),
    "mies_nosto.gif": (93, 120, 4, True),
    "mies_lasku.gif": (93, 120, 5, True),
    "koho3.gif": (100, 100, 1, False),
    "koho2.gif": (100, 100, 1, False),
    "koho1.gif": (100, 100, 1, False),
    "mato_dis.gif": (100, 100, 1, False),
    "ahven_pieni.gif": (40, 60, 1, True),
    "ahven_keski.gif": (60, 80, 1, True),
    "ahven_iso.gif": (60, 100, 1, True),
    "hauki_pieni.gif": (20, 52, 1, True),
    "hauki_keski.gif": (25, 85, 1, True),
    "hauki_iso.gif": (30, 100, 1, True),
    "hauki.gif": (28, 95, 1, True),
}

BUILT_IN = {
    "help_ahven_pieni.gif": (40, 60, 1, True),
    "help_ahven_keski.gif": (60, 80, 1, True),
    "help_ahven_iso.gif": (60, 100, 1, True),
    "help_hauki_pieni.gif": (20, 52, 1, True),
    "help_hauki_keski.gif": (25, 85, 1, True),
    "help_hauki_iso.gif": (30, 100, 1, True),
    "vene.gif": (79, 81, 1, True),
    "mies.gif": (93, 120, 4, True),
    "vesi.gif": (250, 305, 1, False),
    "kala.gif": (30, 100, 1, True),
    "mato.gif": (100, 100, 1, False),
    "va.gif": (100, 100, 5, True),
    "peli_tausta.gif": (250, 305, 1, False),
    "icon32.png": (32, 32, 1, True),
    "icon48.png": (48, 48, 1, True),
    "icon64.png": (64, 64, 1, True),
    "icon128.png": (128, 128, 1, True),
    "icon256.png": (256, 256, 1, True),
    "ohje_corner.png": (32, 32, 1, True),
    "nuoli_ylos.png": (20, 20, 1, True),
    "nuoli_alas.png": (20, 20, 1, True),
}

ONCE = ("mies_napautus.gif", "mies_nosto.gif", "mies_lasku.gif", "va.gif")
LOOPING = ("mies.gif", "mies_kala.gif")


def check_picture(path, w, h, frames, transparent):
    problems = []
    name = os.path.basename(path)
    if not os.path.exists(path):
        return [f"{path}: missing"]
    im = Image.open(path)
    if im.size != (w, h):
        problems.append(f"{path}: size {im.size}, want {(w, h)}")
    n = getattr(im, "n_frames", 1)
    if n != frames:
        problems.append(f"{path}: {n} frames, want {frames}")
    if path.endswith(".gif"):
        key = im.info.get("transparency")
        if transparent:
            if key is None:
                problems.append(f"{path}: no transparent colour")
            else:
                pal = im.getpalette()
                if tuple(pal[key * 3:key * 3 + 3]) != RGB[TRANSPARENT]:
                    problems.append(f"{path}: transparent colour is not the lake blue")
        elif key is not None:
            problems.append(f"{path}: should be opaque")
        if name in ONCE and "loop" in im.info and im.info["loop"] != 0:
            problems.append(f"{path}: loop count {im.info['loop']}")
        if name in LOOPING and im.info.get("loop") != 0:
            problems.append(f"{path}: does not loop forever")
        previous = None
        for i in range(n):
            im.seek(i)
            frame = im.convert("RGBA")
            if frame.size != (w, h):
                problems.append(f"{path}: frame {i} decodes at {frame.size}")
            if transparent:
                alpha = frame.getchannel("A")
                lo, hi = alpha.getextrema()
                if lo != 0 or hi != 255:
                    problems.append(f"{path}: frame {i} should have both clear and solid pixels")
            if previous is not None and frame.tobytes() == previous:
                problems.append(f"{path}: frame {i} repeats frame {i - 1}")
            previous = frame.tobytes()
    else:
        rgba = im.convert("RGBA")
        if transparent and rgba.getchannel("A").getextrema() != (0, 255):
            problems.append(f"{path}: should have both clear and solid pixels")
    return problems


def check_maps(data):
    problems = []
    maps = os.path.join(data, "maps")
    descriptions = sorted(f for f in os.listdir(maps) if f.endswith(".ars"))
    if len(descriptions) < 3:
        problems.append("fewer than three lakes")
    renamed = 0
    for d in descriptions:
        raw = open(os.path.join(maps, d), "rb").read()
        if not d.isascii():
            problems.append(f"{d}: file name not ASCII")
        if raw.count(b"\r\n") != 10 or raw.replace(b"\r\n", b"").count(b"\n") or not raw.endswith(b"\r\n"):
            problems.append(f"{d}: not ten CR LF lines")
        lines = raw.decode("cp1252").split("\r\n")[:10]
        folder = lines[0]
        if folder + ".ars" != d:
            renamed += 1
        if not (folder.isascii() and folder == folder.lower()):
            problems.append(f"{d}: folder name {folder!r} should be plain lower-case ASCII")
        for k in range(3):
            top, left = int(lines[2 + 3 * k]), int(lines[3 + 3 * k])
            if not (0 <= top <= 160 and 0 <= left <= 160):
                problems.append(f"{d}: marker {k + 1} outside the map")
        sub = os.path.join(maps, folder)
        problems += check_picture(os.path.join(sub, "1.gif"), 200, 200, 1, False)
        for n in (1, 2, 3):
            path = os.path.join(sub, f"taka{n}.gif")
            problems += check_picture(path, 250, 305, 1, False)
            if os.path.exists(path):
                problems += check_open_lane(path)
    if descriptions and renamed == 0:
        problems.append("every description is named after its folder")
    return problems


def check_open_lane(path):
    """The boat's lane and the strip corner must be nothing but open water."""
    im = Image.open(path)
    px = im.load()
    w, h = im.size
    for y in range(h):
        for x in range(146 if y >= 73 else 153):
            if px[x, y] != TRANSPARENT:  # index 0 is the open water colour
                return [f"{path}: something other than open water at ({x}, {y})"]
    return []


def wav_info(path):
    with wave.open(path, "rb") as w:
        return w.getframerate(), w.getnchannels(), w.getsampwidth(), w.getnframes() / w.getframerate()


def sox_stat(path):
    return sox_stat_effect(path, [])


def check_sounds(data):
    from . import voices

    problems = []
    music = voices.music_rms(os.path.join(data, "music.mp3")) if os.path.exists(
        os.path.join(data, "music.mp3")) else None
    for n in range(1, 16):
        path = os.path.join(data, "sound", f"kala0{n}.wav")
        if not os.path.exists(path):
            problems.append(f"{path}: missing")
            continue
        rate, ch, width, secs = wav_info(path)
        if (rate, ch, width) != (22050, 1, 2):
            problems.append(f"{path}: {rate} Hz, {ch} channels, {width * 8} bit")
        if not 1.5 <= secs <= 6.0:
            problems.append(f"{path}: {secs:.2f} s long")
        samples, rate = voices.read_mono(path)
        peak = max(abs(s) for s in samples) / 32768
        if peak >= 10 ** (-3 / 20):
            problems.append(f"{path}: peaks at {peak:.3f}, not under -3 dBFS")
        if music:
            # over the game music as the game plays it: heard, never drowning it
            ratio = voices.speech_rms(samples, rate) / music
            if not 1.0 <= ratio <= 2.0:
                problems.append(f"{path}: speech is {ratio:.2f} x the game music (RMS)")
    for name in ("nykaisy.wav", "koukku.wav"):
        path = os.path.join(data, "sound", name)
        if not os.path.exists(path):
            problems.append(f"{path}: missing")
            continue
        rate, ch, width, secs = wav_info(path)
        if (rate, ch, width) != (22050, 1, 2) or not 0.1 <= secs <= 0.6:
            problems.append(f"{path}: {rate} Hz, {ch} channels, {width * 8} bit, {secs:.2f} s")
    for name in ("music.mp3", "music2.mp3"):
        path = os.path.join(data, name)
        if not os.path.exists(path):
            problems.append(f"{path}: missing")
            continue
        st = sox_stat(path)
        secs = st.get("Length (seconds)", 0)
        if not 30 <= secs <= 61:
            problems.append(f"{path}: {secs:.1f} s long")
        # the loop seam: both ends must be near silence once decoded
        for where, args in (("start", ["trim", "0", "0.02"]), ("end", ["reverse", "trim", "0", "0.1"])):
            rms = sox_stat_effect(path, args).get("RMS     amplitude", 1.0)
            if rms > 0.01:
                problems.append(f"{path}: loud at the {where} (RMS {rms:.4f}); the loop would click")
        if st.get("RMS     amplitude", 0) < 0.05:
            problems.append(f"{path}: too quiet overall")
    return problems


def sox_stat_effect(path, effects):
    out = subprocess.run(["sox", path, "-n"] + effects + ["stat"], capture_output=True, text=True).stderr
    stats = {}
    for line in out.splitlines():
        if ":" in line:
            k, v = line.split(":", 1)
            try:
                stats[k.strip()] = float(v.split()[0])
            except (ValueError, IndexError):
                pass
    return stats


def folder_size(path):
    total = 0
    for dirpath, _, files in os.walk(path):
        for f in files:
            total += os.path.getsize(os.path.join(dirpath, f))
    return total


def run(root):
    data = os.path.join(root, "data")
    pics = os.path.join(root, "resources", "pictures")
    problems = []
    for name, expected in DATA_PICTURES.items():
        problems += check_picture(os.path.join(data, name), *expected)
    for name, expected in BUILT_IN.items():
        problems += check_picture(os.path.join(pics, name), *expected)
    problems += check_maps(data)
    problems += check_sounds(data)
    size = folder_size(data)
    if size >= 6 * 1024 * 1024:
        problems.append(f"data/ is {size / 1048576:.2f} MB")
    print(f"data/ holds {size / 1048576:.2f} MB")
    return problems
