"""The old angler's muttering: Finnish speech from espeak-ng, roughened with sox.

He is a bit crazy and talks to himself. The lines are spoken slowly by the
synthesiser's old-man voice, pitched down a little and given a touch of grit.

Then each line is mastered against the game music as the game plays it: the
music at the game screen's volume, the clips at full volume over it. While he
speaks his voice is a little louder than the music, so he is understood, but
never more than twice as loud (RMS), and his peaks stay well under full scale.

Whatever he says is also shown as a subtitle, so the same code writes the table
the game reads its subtitles from (core/chatterlines_table.h): the clip, the
words spoken in it and how long it plays. Rewriting that table alone needs
nothing but the clips already in data/sound (make_assets.py --only texts).
"""

import array
import math
import os
import subprocess
import wave

# (text, words per minute, pitch 0..99)
LINES = [
    ("No niin. Taas täällä. Kala, kala, missä sinä olet?", 155, 30),
    ("Ei syö. Ei syö ei. Liian hieno mato tälle järvelle.", 160, 25),
    ("Mitähän se ahven nyt miettii. Varmaan samaa kuin minä.", 165, 32),
    ("Hauki! Tule tänne! Minulla on sinulle asiaa.", 155, 38),
    ("Ennen oli kalat isompia. Ja madot pitkiä kuin villasukat.", 165, 24),
    ("Tuulee lounaasta. Tai koillisesta. Ihan sama.", 150, 28),
    ("Minä puhun kaloille, eikä kukaan vastaa. Tyypillistä.", 160, 26),
    ("Ei tässä kiirettä. Järvi ei karkaa minnekään.", 150, 22),
    ("Mato, ole reipas. Tee isä ylpeäksi.", 145, 34),
    ("Kuka siellä naputtelee? Ahven, sinäkö?", 150, 40),
    ("Jos ei tule kalaa, syön makkaraa. Hah!", 155, 30),
    ("Voi räkä. Koho heiluu, mutta ei mitään.", 150, 26),
    ("Isoisä sanoi, että tämä on hyvä paikka. Isoisä ei osannut kalastaa.", 175, 28),
    ("Hyttynen! Mene pois, minä kalastan tässä!", 160, 42),
    ("Hiljaa nyt, kalat kuulevat. Kuulevatko kalat? Eivät kuule.", 165, 24),
]

VOICE = "fi+grandpa"
# lower, a little gravel in the throat, a warmer low end, room for the highs
EFFECTS = ["gain", "-8", "highpass", "70", "pitch", "-120", "overdrive", "4", "25",
           "equalizer", "250", "1q", "+3", "lowpass", "6000",
           "pad", "0.12", "0.2", "gain", "-n", "-1.5"]

# The game screen sets the music's volume to 20 of 100, which the sound player
# hands to the mixer as 20 * 128 / 100 = 25 of its 128 steps; clips play at 128.
MUSIC_VOLUME = (20 * 128 // 100) / 128
# How loud his speech is against the music as played (RMS), and the ceiling
# for his peaks: -3 dBFS, with a decibel to spare.
SPEECH_OVER_MUSIC = 1.7
PEAK_CEILING = 10 ** (-4 / 20)
# Speech is measured over the 50 ms stretches in which he talks: those within
# 30 dB of the line's loudest stretch, so pauses do not water it down.
BLOCK_S = 0.05
GATE_DB = 30


def file_name(n):
    # the game asks for "kala0" + number: kala09.wav, then kala010.wav
    return f"kala0{n}.wav"


def speak(text, wpm, pitch, raw_path):
    subprocess.run(["espeak-ng", "-v", VOICE, "-s", str(wpm), "-p", str(pitch), "-a", "120",
                    "-w", raw_path, text], check=True)


def roughen(raw_path, out_path):
    subprocess.run(["sox", "-R", "-D", raw_path, "-r", "22050", "-c", "1", "-b", "16",
                    "-e", "signed-integer", out_path] + EFFECTS, check=True)


def read_mono(path):
    with wave.open(path, "rb") as w:
        assert w.getsampwidth() == 2 and w.getnchannels() == 1
        data = array.array("h", w.readframes(w.getnframes()))
        return data, w.getframerate()


def envelope(samples, rate, ms=20):
    step = max(1, int(rate * ms / 1000))
    out = []
    for i in range(0, len(samples) - step, step):
        chunk = samples[i:i + step]
        out.append(math.sqrt(sum(s * s for s in chunk) / step))
    return out


def envelope_match(raw_path, out_path):
    """How closely the processed line follows the clean speech's loudness contour.

    Syllables are what make speech understandable; if the effects smeared them
    the 20 ms loudness envelopes would stop lining up. 1.0 is identical.
    """
    a, ra = read_mono(raw_path)
    b, rb = read_mono(out_path)
    ea, eb = envelope(a, ra), envelope(b, rb)
    # the processed file has a little silence padded in front and a slightly
    # different length after the pitch change: find the best alignment
    best = -1.0
    for shift in range(0, 12):
        n = min(len(ea), len(eb) - shift)
        xa, xb = ea[:n], eb[shift:shift + n]
        ma, mb = sum(xa) / n, sum(xb) / n
        cov = sum((p - ma) * (q - mb) for p, q in zip(xa, xb))
        va = math.sqrt(sum((p - ma) ** 2 for p in xa))
        vb = math.sqrt(sum((q - mb) ** 2 for q in xb))
        if va and vb:
            best = max(best, cov / (va * vb))
    return best


def speech_rms(samples, rate):
    """RMS over the stretches in which he talks, as a fraction of full scale."""
    step = max(1, int(rate * BLOCK_S))
    blocks = []
    for i in range(0, len(samples) - step + 1, step):
        blocks.append(sum(s * s for s in samples[i:i + step]) / step)
    loudest = max(blocks)
    gate = loudest * 10 ** (-GATE_DB / 10)
    spoken = [b for b in blocks if b >= gate]
    return math.sqrt(sum(spoken) / len(spoken)) / 32768


def music_rms(mp3_path):
    """RMS of the game music as the game plays it: decoded, at the game's volume."""
    # -R -D: no random dither when sox brings the decoded music down to 16 bits,
    # so the level, and with it every mastered line, comes out the same each run
    raw = subprocess.run(["sox", "-R", "-D", mp3_path, "-t", "raw", "-r", "44100", "-e", "signed-integer",
                          "-b", "16", "-c", "2", "-"], check=True, capture_output=True).stdout
    samples = array.array("h", raw)
    return math.sqrt(sum(s * s for s in samples) / len(samples)) / 32768 * MUSIC_VOLUME


def master(in_path, out_path, target):
    """Scale a line so that its speech has the target RMS; returns its RMS and peak."""
    samples, rate = read_mono(in_path)
    gain = target / speech_rms(samples, rate)
    peak = max(abs(s) for s in samples) * gain / 32768
    if peak > PEAK_CEILING:
        raise RuntimeError(f"{out_path}: peaks at {20 * math.log10(peak):.1f} dBFS once mastered; "
                           "the line needs a limiter")
    out = array.array("h", (int(round(s * gain)) for s in samples))
    with wave.open(out_path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(out.tobytes())
    return speech_rms(out, rate), max(abs(s) for s in out) / 32768


TABLE_HEAD = """\
// The old angler's muttering: each voice clip in data/sound, the Finnish words he
// says in it and how long it plays. Written by tools/make_assets.py together with
// the clips (`--only texts` rewrites this file alone from the clips in data/sound);
// edit the lines there, not here. The English comes from the game's translation.
#pragma once

#include <QtGlobal>

namespace chatter {

struct TableLine {
    const char* file;
    const char* text;
    int ms;
};

// clang-format off
inline constexpr TableLine kTable[] = {
"""

TABLE_TAIL = """\
};
// clang-format on

} // namespace chatter
"""


def clip_ms(path):
    with wave.open(path, "rb") as w:
        return round(w.getnframes() * 1000 / w.getframerate())


def cpp_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def table_text(sound_dir):
    """The subtitle table for the clips in sound_dir, one line of it per voice line."""
    rows = []
    for n, (text, _, _) in enumerate(LINES, start=1):
        name = file_name(n)
        ms = clip_ms(os.path.join(sound_dir, name))
        rows.append(f'    {{"{name}", QT_TRANSLATE_NOOP("chatter", {cpp_string(text)}), {ms}}},\n')
    return TABLE_HEAD + "".join(rows) + TABLE_TAIL


def write_table(sound_dir, table_path):
    with open(table_path, "w", encoding="utf-8", newline="\n") as f:
        f.write(table_text(sound_dir))
    return table_path


def make_all(out_dir, work_dir, music_path, table_path):
    os.makedirs(out_dir, exist_ok=True)
    os.makedirs(work_dir, exist_ok=True)
    music = music_rms(music_path)
    target = music * SPEECH_OVER_MUSIC
    print(f"game music as played: RMS {music:.4f}; speech mastered to {target:.4f}")
    report = []
    for n, (text, wpm, pitch) in enumerate(LINES, start=1):
        raw = os.path.join(work_dir, f"raw{n:02d}.wav")
        rough = os.path.join(work_dir, f"rough{n:02d}.wav")
        out = os.path.join(out_dir, file_name(n))
        speak(text, wpm, pitch, raw)
        roughen(raw, rough)
        rms, peak = master(rough, out, target)
        report.append((file_name(n), envelope_match(raw, out), rms / music, peak))
    for name, match, ratio, peak in report:
        print(f"{name}: speech contour kept {match:.2f}, {ratio:.2f} x the music, "
              f"peak {20 * math.log10(peak):.1f} dBFS")
        if match < 0.85:
            raise RuntimeError(f"{name}: the effects smear the speech (contour match {match:.2f})")
    print("subtitles:", write_table(out_dir, table_path))
    return report
