"""The two tunes, composed and synthesised here in plain Python.

A plucked kantele-like melody (Karplus-Strong string), a soft plucked bass,
strummed chords and light brushed drums, mixed to stereo, written as WAV and
encoded with lame at 96 kbit/s.

Looping: each tune ends on the tonic whose ring dies away into a short fade,
and starts with a few milliseconds of fade-in. The decoder's encoder delay
and padding therefore fall into near silence, and the seam does not click.
"""

import array
import math
import os
import random
import subprocess
import wave

SR = 44100

NOTE_INDEX = {"C": 0, "C#": 1, "Db": 1, "D": 2, "D#": 3, "Eb": 3, "E": 4, "F": 5, "F#": 6,
              "Gb": 6, "G": 7, "G#": 8, "Ab": 8, "A": 9, "A#": 10, "Bb": 10, "B": 11}


def freq(name):
    """'A4' -> 440.0"""
    pitch, octave = name[:-1], int(name[-1])
    midi = 12 * (octave + 1) + NOTE_INDEX[pitch]
    return 440.0 * 2 ** ((midi - 69) / 12)


CHORDS = {
    "G": ["G2", "B3", "D4", "G4"], "C": ["C3", "C4", "E4", "G4"], "D": ["D3", "A3", "D4", "F#4"],
    "Em": ["E2", "B3", "E4", "G4"], "Am": ["A2", "A3", "C4", "E4"], "Dm": ["D3", "A3", "D4", "F4"],
    "F": ["F2", "A3", "C4", "F4"], "E": ["E2", "B3", "E4", "G#4"], "E7": ["E2", "B3", "D4", "G#4"],
}
FIFTH = {"G": "D3", "C": "G2", "D": "A2", "Em": "B2", "Am": "E3", "Dm": "A2", "F": "C3", "E": "B2", "E7": "B2"}


# -- instruments -------------------------------------------------------------

def pluck(f, seconds, rnd, decay=0.9985, bright=0.6, gain=1.0):
    """Karplus-Strong string with an all-pass tuning filter for exact pitch."""
    period = SR / f - 0.5          # the averaging filter delays half a sample
    n = int(period - 0.1)
    frac = period - n
    coef = (1 - frac) / (1 + frac)
    # excitation: noise, smoothed more for a darker, softer pluck
    buf = [rnd.uniform(-1, 1) for _ in range(n)]
    passes = int((1 - bright) * 4)
    for _ in range(passes):
        buf = [(buf[i - 1] + buf[i]) * 0.5 for i in range(n)]
    mean = sum(buf) / n
    buf = [b - mean for b in buf]
    total = int(seconds * SR)
    out = [0.0] * total
    idx, prev, ax, ay = 0, 0.0, 0.0, 0.0
    for i in range(total):
        x = buf[idx]
        out[i] = x * gain
        lp = (x + prev) * 0.5 * decay
        prev = x
        ap = coef * lp + ax - coef * ay
        ax, ay = lp, ap
        buf[idx] = ap
        idx += 1
        if idx == n:
            idx = 0
    # a short fade at the very end so a cut-off ring never clicks
    fade = min(total, int(0.03 * SR))
    for k in range(fade):
        out[total - 1 - k] *= k / fade
    return out


def soft_bass(f, seconds, gain=1.0):
    """Round plucked bass: fundamental plus a little second and third harmonic."""
    total = int(seconds * SR)
    out = [0.0] * total
    w = 2 * math.pi * f / SR
    for i in range(total):
        t = i / SR
        env = (1 - math.exp(-t / 0.004)) * math.exp(-t / 0.55)
        out[i] = gain * env * (math.sin(w * i) + 0.35 * math.sin(2 * w * i) + 0.12 * math.sin(3 * w * i))
    fade = min(total, int(0.03 * SR))
    for k in range(fade):
        out[total - 1 - k] *= k / fade
    return out


def kick(gain=1.0):
    total = int(0.32 * SR)
    out, phase = [0.0] * total, 0.0
    for i in range(total):
        t = i / SR
        f = 48 + 70 * math.exp(-t / 0.03)
        phase += 2 * math.pi * f / SR
        out[i] = gain * math.sin(phase) * math.exp(-t / 0.12) * (1 - math.exp(-t / 0.002))
    return out


def brush(rnd, seconds=0.16, tone=0.55, gain=1.0):
    """Filtered noise: a brushed snare when long, a shaker tick when short."""
    total = int(seconds * SR)
    out, lo, prev = [0.0] * total, 0.0, 0.0
    for i in range(total):
        t = i / SR
        n = rnd.uniform(-1, 1)
        lo += (n - lo) * tone              # soften the top
        hp = lo - prev * 0.6               # and thin out the bottom
        prev = lo
        out[i] = gain * hp * math.exp(-t / (seconds / 4)) * (1 - math.exp(-t / 0.003))
    return out


# -- arranging -----------------------------------------------------------------

class Mix:
    def __init__(self, seconds):
        self.n = int(seconds * SR)
        self.left = array.array("d", bytes(8 * self.n))
        self.right = array.array("d", bytes(8 * self.n))
        self.melody = array.array("d", bytes(8 * self.n))  # dry melody, for the echo

    def add(self, sound, at, pan=0.0, gain=1.0, melody=False):
        start = int(at * SR)
        gl = gain * math.cos((pan + 1) * math.pi / 4)
        gr = gain * math.sin((pan + 1) * math.pi / 4)
        left, right, mel = self.left, self.right, self.melody
        end = min(self.n, start + len(sound))
        for i in range(start, end):
            v = sound[i - start]
            left[i] += v * gl
            right[i] += v * gr
            if melody:
                mel[i] += v * gain

    def echo(self, delay_l, delay_r, amount):
        dl, dr = int(delay_l * SR), int(delay_r * SR)
        mel, left, right = self.melody, self.left, self.right
        for i in range(self.n):
            if i >= dl:
                left[i] += mel[i - dl] * amount
            if i >= dr:
                right[i] += mel[i - dr] * amount * 0.9
            if i >= dl + dr:
                left[i] += mel[i - dl - dr] * amount * 0.35
                right[i] += mel[i - dl - dr] * amount * 0.3

    def finish(self, fade_in=0.005, fade_out=0.35, peak=0.89):
        left, right = self.left, self.right
        fi, fo = int(fade_in * SR), int(fade_out * SR)
        for i in range(fi):
            left[i] *= i / fi
            right[i] *= i / fi
        for k in range(fo):
            g = (k / fo) ** 2
            left[self.n - 1 - k] *= g
            right[self.n - 1 - k] *= g
        # gentle saturation keeps the odd pile-up of notes from poking out
        for arr in (left, right):
            for i in range(self.n):
                arr[i] = math.tanh(arr[i] * 0.9) / 0.9
        top = max(max(abs(v) for v in left), max(abs(v) for v in right)) or 1.0
        scale = peak / top
        out = array.array("h", bytes(4 * self.n))
        for i in range(self.n):
            out[2 * i] = int(round(left[i] * scale * 32767))
            out[2 * i + 1] = int(round(right[i] * scale * 32767))
        return out


def render(tune, seed):
    rnd = random.Random(seed)
    beat = 60.0 / tune["bpm"]
    per_bar = tune["meter"]
    bars = tune["chords"]
    seconds = len(bars) * per_bar * beat
    mix = Mix(seconds)

    # melody
    t = 0.0
    for name, beats in tune["melody"]:
        if name != "r":
            ring = min(2.4, beats * beat + 1.2)
            accent = 1.0 if abs((t / beat) % per_bar) < 1e-6 else 0.85
            mix.add(pluck(freq(name), ring, rnd, decay=0.9988, bright=0.7), t, pan=0.25,
                    gain=0.5 * accent, melody=True)
        t += beats * beat
    assert abs(t - seconds) < 1e-6, f"melody is {t / beat} beats, chords {seconds / beat}"

    # bass, chords and drums follow the bar pattern
    for b, chord in enumerate(bars):
        bar_t = b * per_bar * beat
        names = chord.split("/")
        half = per_bar * beat / len(names)
        for k, cname in enumerate(names):
            ct = bar_t + k * half
            root = CHORDS[cname][0]
            tune["comp"](mix, rnd, cname, root, ct, half, beat, b)
        tune["drums"](mix, rnd, bar_t, beat, b, len(bars))

    mix.echo(beat * 0.75, beat * 1.5, 0.22)
    return mix.finish()


def strum(mix, rnd, notes, at, gain, pan, spread=0.012, ring=0.5, decay=0.994):
    for i, n in enumerate(notes):
        mix.add(pluck(freq(n), ring, rnd, decay=decay, bright=0.45), at + i * spread, pan=pan, gain=gain)


# -- the game tune: a relaxed polka-ish walk in G, 4/4 ---------------------------

def _game_comp(mix, rnd, cname, root, at, span, beat, bar):
    # oom-pah: root, chord, fifth, chord (two chords in a bar share it)
    steps = int(round(span / beat))
    for s in range(steps):
        tt = at + s * beat
        if s % 2 == 0:
            note = root if (s // 2) % 2 == 0 else FIFTH[cname]
            mix.add(soft_bass(freq(note), beat * 1.6), tt, pan=0.0, gain=0.36)
        else:
            strum(mix, rnd, CHORDS[cname][1:], tt, 0.13, -0.35)


def _game_drums(mix, rnd, at, beat, bar, bars):
    last = bar == bars - 1
    for s in range(4):
        tt = at + s * beat
        if last and s == 3:
            break  # let the last bar breathe out for the loop
        if s % 2 == 0:
            mix.add(kick(), tt, gain=0.38)
        else:
            mix.add(brush(rnd, 0.16), tt, pan=0.1, gain=0.16)
        mix.add(brush(rnd, 0.05, tone=0.8), tt + beat / 2, pan=-0.3, gain=0.06)


GAME = {
    "bpm": 112,
    "meter": 4,
    "chords": ["G", "C", "G", "D", "G", "C", "D", "G",
               "G", "C", "G", "D", "Em", "C", "D", "G",
               "Em", "C", "G", "D", "Em", "C", "Am/D", "G"],
    "melody": [
        # A
        ("D5", 1), ("B4", .5), ("G4", .5), ("B4", 1), ("D5", 1),
        ("E5", 1), ("C5", .5), ("E5", .5), ("G5", 1.5), ("E5", .5),
        ("D5", 1), ("B4", 1), ("G4", .5), ("A4", .5), ("B4", 1),
        ("A4", 2), ("F#4", 1), ("A4", 1),
        ("D5", 1), ("B4", .5), ("G4", .5), ("B4", 1), ("D5", 1),
        ("E5", .5), ("F#5", .5), ("G5", 1), ("E5", 1), ("C5", 1),
        ("B4", 1), ("A4", .5), ("G4", .5), ("F#4", 1), ("A4", 1),
        ("G4", 3), ("r", 1),
        # A'
        ("D5", 1), ("B4", .5), ("G4", .5), ("B4", 1), ("D5", 1),
        ("E5", 1), ("C5", .5), ("E5", .5), ("G5", 1.5), ("E5", .5),
        ("D5", 1), ("B4", 1), ("G4", .5), ("A4", .5), ("B4", 1),
        ("A4", 1.5), ("B4", .5), ("C5", 1), ("D5", 1),
        ("E5", 1), ("G5", 1), ("B4", 1), ("E5", 1),
        ("C5", .5), ("D5", .5), ("E5", 1), ("G4", 1), ("C5", 1),
        ("B4", 1), ("A4", .5), ("B4", .5), ("A4", 1), ("F#4", 1),
        ("G4", 3), ("D4", 1),
        # B
        ("G5", 1.5), ("F#5", .5), ("E5", 1), ("B4", 1),
        ("C5", 1), ("E5", 1), ("G5", 1), ("E5", 1),
        ("D5", 1.5), ("B4", .5), ("G4", 1), ("B4", 1),
        ("A4", 1), ("D5", 1), ("F#5", 1), ("A5", 1),
        ("G5", 1.5), ("F#5", .5), ("E5", 1), ("D5", 1),
        ("C5", 1), ("E5", .5), ("D5", .5), ("C5", 1), ("B4", 1),
        ("A4", 1), ("C5", 1), ("D5", .5), ("E5", .5), ("F#5", 1),
        ("G5", 1.5), ("D5", .5), ("G4", 1), ("r", 1),
    ],
    "comp": _game_comp,
    "drums": _game_drums,
}


# -- the menu tune: a wistful evening waltz in A minor, 3/4 -----------------------

def _menu_comp(mix, rnd, cname, root, at, span, beat, bar):
    steps = int(round(span / beat))
    for s in range(steps):
        tt = at + s * beat
        if s == 0:
            mix.add(soft_bass(freq(root), beat * 2.5), tt, pan=0.0, gain=0.4)
        else:
            strum(mix, rnd, CHORDS[cname][1:], tt, 0.10, -0.4, spread=0.02, ring=0.9, decay=0.997)


def _menu_drums(mix, rnd, at, beat, bar, bars):
    if bar == bars - 1:
        mix.add(kick(), at, gain=0.3)
        return
    mix.add(kick(), at, gain=0.32)
    mix.add(brush(rnd, 0.12, tone=0.5), at + beat, pan=0.2, gain=0.07)
    mix.add(brush(rnd, 0.12, tone=0.5), at + 2 * beat, pan=0.2, gain=0.06)
    if bar % 2 == 1:
        mix.add(brush(rnd, 0.05, tone=0.85), at + 2.5 * beat, pan=-0.3, gain=0.05)


MENU = {
    "bpm": 92,
    "meter": 3,
    "chords": ["Am", "Am", "Dm", "Am", "F", "G", "E", "E",
               "Am", "Am", "Dm", "Am", "F", "G", "E7", "Am",
               "C", "G", "Am", "Em", "F", "C", "Dm/E", "Am"],
    "melody": [
        ("E5", 1.5), ("D5", .5), ("C5", 1),
        ("A4", 2), ("E4", 1),
        ("F4", 1), ("A4", 1), ("D5", 1),
        ("C5", 1.5), ("B4", .5), ("A4", 1),
        ("A4", 1), ("C5", 1), ("F5", 1),
        ("D5", 1.5), ("C5", .5), ("B4", 1),
        ("B4", 1), ("G#4", 1), ("E4", 1),
        ("B4", 2), ("r", 1),
        ("E5", 1.5), ("D5", .5), ("C5", 1),
        ("A4", 1), ("C5", 1), ("E5", 1),
        ("F5", 1.5), ("E5", .5), ("D5", 1),
        ("E5", 1), ("C5", 1), ("A4", 1),
        ("C5", 1), ("A4", 1), ("F4", 1),
        ("G4", 1), ("B4", 1), ("D5", 1),
        ("D5", 1), ("B4", 1), ("G#4", 1),
        ("A4", 2), ("r", 1),
        ("G5", 1.5), ("E5", .5), ("C5", 1),
        ("D5", 1.5), ("B4", .5), ("G4", 1),
        ("A4", 1), ("C5", 1), ("E5", 1),
        ("G5", 1), ("E5", 1), ("B4", 1),
        ("A4", 1), ("C5", 1), ("F5", 1),
        ("E5", 1.5), ("D5", .5), ("C5", 1),
        ("D5", 1), ("C5", .5), ("B4", .5), ("G#4", 1),
        ("A4", 2), ("r", 1),
    ],
    "comp": _menu_comp,
    "drums": _menu_drums,
}


def write_wav(path, frames):
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(SR)
        w.writeframes(frames.tobytes())


def encode(wav_path, mp3_path):
    subprocess.run(["lame", "--silent", "-b", "96", "--cbr", "-q", "2", "-m", "j",
                    "--noreplaygain", wav_path, mp3_path], check=True)


def make_all(data_dir, work_dir):
    os.makedirs(work_dir, exist_ok=True)
    for name, tune, seed in (("music.mp3", GAME, 7), ("music2.mp3", MENU, 8)):
        wav_path = os.path.join(work_dir, name.replace(".mp3", ".wav"))
        write_wav(wav_path, render(tune, seed))
        encode(wav_path, os.path.join(data_dir, name))
        print(f"{name}: {len(tune['chords'])} bars at {tune['bpm']} bpm")
