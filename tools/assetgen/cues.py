"""The nibble cue: two short, plain sounds a player can catch without looking.

nykaisy.wav plays as a nibble starts: two quick plips, like the float bobbing.
koukku.wav plays as a hooked fish starts to rise: three notes going up.
Pure tones built sample by sample, so the files come out the same every time.
"""

import math
import os
import struct
import wave

RATE = 22050
PEAK = 0.5  # -6 dBFS: clear over the game music, never clipping

FILES = {
    "nykaisy.wav": "two quick falling plips, the float bobbing (0.22 s)",
    "koukku.wav": "three notes going up, the fish on its way (0.42 s)",
}


def plip(start_hz, end_hz, ms):
    n = int(RATE * ms / 1000)
    out, phase = [], 0.0
    for i in range(n):
        t = i / n
        phase += 2 * math.pi * (start_hz + (end_hz - start_hz) * t) / RATE
        env = min(1.0, i / (RATE * 0.004)) * (1 - t) ** 2
        out.append(math.sin(phase) * env)
    return out


def note(hz, ms):
    n = int(RATE * ms / 1000)
    out = []
    for i in range(n):
        t = i / n
        env = min(1.0, i / (RATE * 0.005)) * (1 - t) ** 1.5
        out.append((math.sin(2 * math.pi * hz * i / RATE) + 0.3 * math.sin(4 * math.pi * hz * i / RATE)) * env)
    return out


def silence(ms):
    return [0.0] * int(RATE * ms / 1000)


def write(path, samples):
    top = max(abs(s) for s in samples)
    frames = b"".join(struct.pack("<h", round(s / top * PEAK * 32767)) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def make_all(sound_dir):
    os.makedirs(sound_dir, exist_ok=True)
    write(os.path.join(sound_dir, "nykaisy.wav"),
          plip(1800, 900, 70) + silence(50) + plip(1800, 900, 70) + silence(30))
    write(os.path.join(sound_dir, "koukku.wav"),
          note(660, 120) + note(880, 120) + note(1320, 180))
