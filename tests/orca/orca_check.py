#!/usr/bin/env python3
"""Plays the real game by keys alone under the real screen reader, Orca, and
checks from Orca's own log what a player who cannot see the screen hears.

Usage: orca_check.py BUILD_FOLDER [--lang fi|en] [--keep DIR]

Everything runs on a display, session bus and accessibility bus of its own:
Xvfb, dbus-daemon, the accessibility bus launcher, Orca (with its debug log,
where every "SPEECH OUTPUT" line is what it would say: it needs no speech server
or sound card for that) and the game, on a clock three times as fast so that a
whole game ends in a minute. Every wait is bounded, the whole run has a hard
deadline, and every process started here is ended at the end, found by the
marker this script puts in their environment.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

# The whole run, set-up and clean-up included, ends by then whatever happens.
DEADLINE_SECONDS = 170
# The game's time runs this many times faster than the wall clock.
CLOCK_RATE = 3
GAME_SECONDS = 180 / CLOCK_RATE

# Orca writes its debug log through a buffered file: started this way it
# writes each line at once, so the script can answer what Orca says as a
# player would.
ORCA_LAUNCHER = r"""
import builtins, runpy, sys
log = sys.argv[sys.argv.index("--debug-file") + 1]
real_open = builtins.open
def line_buffered(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode:
        return real_open(file, mode, 1, encoding="utf-8", errors="replace")
    return real_open(file, mode, *args, **kwargs)
builtins.open = line_buffered
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""


TRANSLATIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                            "translations", "norppala_en.ts")


class Words:
    """The game's words in the language it plays in, from its own translation file."""

    def __init__(self, language):
        self.pairs = []
        if language == "en":
            for message in ElementTree.parse(TRANSLATIONS).iter("message"):
                source, translation = message.findtext("source"), message.findtext("translation")
                if source and translation:
                    self.pairs.append((source, translation))

    def __call__(self, text):
        """The words of `text` (the Finnish, with its numbers filled in) as the game says them."""
        if not self.pairs:
            return text
        # A window as Orca names it: its own name, then its role.
        if text.endswith(" frame"):
            return self(text[: -len(" frame")]) + " frame"
        for source, translation in self.pairs:
            if source == text:
                return translation
        # The longest pattern first: "Kalapaikka %1 valittu" before "Kalapaikka %1".
        for source, translation in sorted(self.pairs, key=lambda pair: -len(pair[0])):
            if "%1" not in source:
                continue
            pattern = re.escape(source)
            for n in range(1, 10):
                pattern = pattern.replace(re.escape(f"%{n}"), "(.+?)")
            filled = re.fullmatch(pattern, text)
            if filled:
                for n, value in enumerate(filled.groups(), 1):
                    translation = translation.replace(f"%{n}", value)
                return translation
        return text

    def around(self, text):
        """The words before the first and after the last place marker of `text`."""
        said = self(text)
        return [said.split("%1")[0], said.rsplit("%2", 1)[-1].rstrip(".")]


# What the game itself tells during play: its announcements. Anything else
# Orca says then, but for the key it echoes, is noise over them.
NEWS = ["Kala nykii!", "Kala tarttui, se nousee veneeseen.", "Mato on syöty, vaihda mato.",
        "Mato on puoliksi syöty.", "Kymmenen sekuntia jäljellä.", "Tauko", "Peli jatkuu",
        "Äänet pois", "Äänet päällä", "Nykäisymerkki pois", "Nykäisymerkki päällä"]
LANDED = "Saalis: %1, %2 grammaa."
KEY_ECHO = re.compile(r"^\S+ $")

UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*)'(?:\s*\{.*\})?\s*$")


class Failure(Exception):
    pass


class Deadline(Exception):
    pass


def on_alarm(signum, frame):
    raise Deadline(f"the check ran past its {DEADLINE_SECONDS} s deadline")


class Speech:
    """What Orca has said so far, read from its debug log as it grows."""

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.partial = ""
        self.said = []
        self.lines = 0

    def poll(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as log:
                log.seek(self.offset)
                chunk = log.read()
                self.offset = log.tell()
        except FileNotFoundError:
            return
        text = self.partial + chunk
        *complete, self.partial = text.split("\n")
        for line in complete:
            self.lines += 1
            # SPEECH OUTPUT: 'what is said' and, after it, maybe the voice: {...}
            said = UTTERANCE.search(line)
            if said:
                self.said.append(said.group(1))

    def mark(self):
        self.poll()
        return len(self.said)

    def since(self, mark):
        self.poll()
        return self.said[mark:]


def same(utterance, text):
    # Orca ends what it says with a full stop of its own.
    return utterance.rstrip(". ") == text.rstrip(". ")


class Check:
    def __init__(self, build, keep, language="fi"):
        self.language = language
        self.t = Words(language)
        self.build = os.path.abspath(build)
        self.game = os.path.join(self.build, "norppala")
        self.work = tempfile.mkdtemp(prefix="norppala-orca-")
        self.keep = keep
        self.marker = f"NORPPALA_ORCA_CHECK={self.work}"
        self.env = self.clean_environment()
        self.speech = Speech(os.path.join(self.work, "orca.log"))
        self.passed = []
        self.failed = []
        self.game_process = None
        self.worm_heard = False
        self.started = self.game_mark = 0
        self.game_log = os.path.join(self.work, "game.log")

    def clean_environment(self):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("DBUS_", "AT_SPI", "XDG_", "QT_", "WAYLAND", "GTK_"))
               and k not in ("DISPLAY", "NO_AT_BRIDGE", "SESSION_MANAGER")}
        home = os.path.join(self.work, "home")
        runtime = os.path.join(self.work, "runtime")
        os.makedirs(home)
        os.makedirs(runtime, mode=0o700)
        env.update(HOME=home, XDG_RUNTIME_DIR=runtime,
                   XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_CACHE_HOME=os.path.join(home, ".cache"),
                   XDG_DATA_HOME=os.path.join(home, ".local/share"),
                   LANG="C.UTF-8", LC_ALL="C.UTF-8")
        name, value = self.marker.split("=", 1)
        env[name] = value
        return env

    # --- processes ---------------------------------------------------------

    def start(self, args, log_name, **extra_env):
        env = dict(self.env, **extra_env)
        log = open(os.path.join(self.work, log_name), "wb")
        return subprocess.Popen(args, env=env, stdout=log, stderr=subprocess.STDOUT,
                                stdin=subprocess.DEVNULL, start_new_session=True)

    def wait_until(self, what, condition, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if condition():
                return True
            time.sleep(0.02)
        return condition()

    def start_display(self):
        number = 90
        while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
            number += 1
        self.start(["Xvfb", f":{number}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                   "xvfb.log")
        if not self.wait_until("display", lambda: os.path.exists(f"/tmp/.X11-unix/X{number}"), 10):
            raise Failure("Xvfb did not start (see xvfb.log)")
        self.env["DISPLAY"] = f":{number}"
        # The socket appears a moment before the server takes connections.
        if not self.wait_until("display", lambda: self.xdotool("getmouselocation", check=False), 10):
            raise Failure("Xvfb takes no connections (see xvfb.log)")
        # A window manager gives each new window of the game the focus, as on a desktop.
        end = time.monotonic() + 15
        while time.monotonic() < end:
            manager = self.start(["openbox", "--sm-disable"], "openbox.log")
            if self.wait_until("window manager",
                               lambda: manager.poll() is not None or self.window_manager_ready(), 5):
                if manager.poll() is None:
                    return
        raise Failure("openbox did not start (see openbox.log)")

    def window_manager_ready(self):
        result = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                capture_output=True, text=True, timeout=5)
        return "window id" in result.stdout

    def start_buses(self):
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                               stdin=subprocess.DEVNULL, start_new_session=True, text=True)
        address = bus.stdout.readline().strip()
        if not address:
            raise Failure("the session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], "atspi.log")

    def start_orca(self):
        prefs = os.path.join(self.work, "orca-prefs")
        os.makedirs(prefs)
        others = subprocess.run(["pgrep", "-x", "orca"], capture_output=True, text=True).stdout.split()
        if others:
            raise Failure(f"another Orca is running (pid {' '.join(others)}); Orca allows one per user")
        # Orca's own Python, the one its modules are installed for.
        orca = shutil.which("orca")
        with open(orca, encoding="utf-8") as script:
            python = script.readline()[2:].strip() or "/usr/bin/python3"
        self.start([python, "-c", ORCA_LAUNCHER.replace("/usr/bin/orca", orca), "-u", prefs,
                    "--debug-file", self.speech.path], "orca.out")
        if self.wait_for_speech("Screen reader on.", 30, start=0) is None:
            raise Failure("Orca did not start (see orca.out and orca.log)")

    def start_game(self):
        log = open(self.game_log, "wb")
        env = dict(self.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                   SDL_AUDIODRIVER="dummy", NORPPALA_NO_DIALOGS="1",
                   NORPPALA_TEST_CLOCK_RATE=str(CLOCK_RATE),
                   QT_MESSAGE_PATTERN="%{time hh:mm:ss.zzz} %{message}")
        self.game_process = subprocess.Popen([self.game, "--lang", self.language], env=env, stdout=log,
                                             stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                             start_new_session=True)

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                                timeout=10)
        if check and result.returncode != 0:
            raise Failure(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
        return result.returncode == 0

    def key(self, *keys):
        self.xdotool("key", "--delay", "60", *keys)

    def ours(self):
        """The processes started here: every one carries the marker in its environment."""
        found = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit() or int(entry) == os.getpid():
                continue
            try:
                with open(f"/proc/{entry}/environ", "rb") as environ:
                    if self.marker.encode() in environ.read().split(b"\0"):
                        found.append(int(entry))
            except OSError:
                pass
        return found

    def stop_everything(self):
        # The game first, while its display is still there; then the rest.
        if self.game_process and self.game_process.poll() is None:
            self.game_process.terminate()
            try:
                self.game_process.wait(5)
            except subprocess.TimeoutExpired:
                self.game_process.kill()
        for sig in (signal.SIGTERM, signal.SIGKILL):
            pids = self.ours()
            for pid in pids:
                try:
                    os.kill(pid, sig)
                except OSError:
                    pass
            if not self.wait_until("exit", lambda: not self.ours(), 3):
                continue
            break
        for pid in self.ours():
            print(f"orca check: process {pid} would not end", file=sys.stderr)
        # Reap our own children.
        while True:
            try:
                if os.waitpid(-1, os.WNOHANG) == (0, 0):
                    break
            except ChildProcessError:
                break

    # --- what Orca says -------------------------------------------------------

    def wait_for_speech(self, text, seconds, start=None):
        """Index of the first utterance from `start` on that says `text`, or None."""
        mark = self.speech.mark() if start is None else start
        found = []
        said = self.t(text)

        def heard():
            for i, utterance in enumerate(self.speech.since(mark)):
                if same(utterance, said):
                    found.append(mark + i)
                    return True
            return False

        return found[0] if self.wait_until(text, heard, seconds) else None

    def expect(self, what, text, seconds, start):
        """Records a check: `text` is said (after `start`) within `seconds`."""
        index = self.wait_for_speech(text, seconds, start)
        if index is None:
            heard = self.speech.since(start)
            self.failed.append(f"{what}: Orca did not say {text!r}; it said {heard[-12:]!r}")
            print(f"FAIL  {what}: {text!r} not heard")
            return False
        self.passed.append(what)
        print(f"ok    {what}: Orca said {self.speech.said[index]!r}")
        return True

    def press_and_expect(self, what, keys, text, seconds=5):
        mark = self.speech.mark()
        self.key(*keys)
        return self.expect(what, text, seconds, mark)

    def press_and_expect_containing(self, what, keys, words, seconds=5):
        mark = self.speech.mark()
        self.key(*keys)
        return self.expect_containing(what, words, seconds, mark)

    def expect_containing(self, what, words, seconds, start):
        words = [self.t(word) for word in words]

        def heard():
            return any(all(w in u for w in words) for u in self.speech.since(start))

        if self.wait_until(what, heard, seconds):
            said = next(u for u in self.speech.since(start) if all(w in u for w in words))
            self.passed.append(what)
            print(f"ok    {what}: Orca said {said!r}")
            return True
        self.failed.append(f"{what}: nothing with {words!r}; Orca said {self.speech.since(start)[-12:]!r}")
        print(f"FAIL  {what}: nothing with {words!r}")
        return False

    # --- the game, by keys ---------------------------------------------------

    def menu(self):
        self.wait_until("menu", lambda: self.xdotool("search", "--name", "^Norppala$", check=False), 20)
        if not self.expect("the menu window", "Norppala: päävalikko frame", 20, 0):
            raise Failure("the game's window never reached Orca")
        # The arrows carry the focus from item to item: Orca says each as the
        # button it is, and nothing else speaks the item.
        for what, key, item in (("menu item by arrow", "Down", "Pelaa"),
                                ("next menu item", "Down", "Tekijät"),
                                ("the same item said again", "Up", "Pelaa")):
            self.press_and_expect_containing(what, [key], [item, "button"])

    def setup(self):
        mark = self.speech.mark()
        self.key("Return")
        # The focus starts on "Aloita", then Tab reaches the map list.
        self.expect_containing("the map choice window opens", ["Aloita"], 10, mark)
        self.expect("the map choice window says what it is for",
                    "Norppala: järven ja kalapaikan valinta frame", 5, mark)
        self.press_and_expect_containing("the map list", ["Tab"], ["Järvet"])
        mark = self.speech.mark()
        self.key("Down")
        self.expect_containing("the lake reached by arrow", ["Kivijarvi"], 5, mark)
        self.expect("the lake loaded, by its name", "Kivijarvi ladattu.", 5, mark)
        self.press_and_expect("a spot by its number", ["3"], "Kalapaikka 3 valittu")
        self.press_and_expect_containing("Tab reaches the spots", ["Tab"], ["Kalapaikka 1"])
        self.press_and_expect_containing("the arrows go round the spots", ["Right"], ["Kalapaikka 2"])
        self.press_and_expect("the spot reached, chosen by Space", ["space"], "Kalapaikka 2 valittu")
        # Round to "Aloita" and start.
        self.press_and_expect_containing("Tab comes back to Aloita", ["Tab", "Tab"], ["Aloita"])
        self.started = time.monotonic()
        self.game_mark = mark = self.speech.mark()
        self.key("Return")
        self.expect_containing("the game window opens", ["Norppala"], 10, mark)

    def game_keys(self):
        self.press_and_expect("mute", ["m"], "Äänet pois")
        self.press_and_expect("unmute", ["m"], "Äänet päällä")
        self.press_and_expect("nibble cue off", ["a"], "Nykäisymerkki pois")
        self.press_and_expect("nibble cue on", ["a"], "Nykäisymerkki päällä")
        paused = time.monotonic()
        self.press_and_expect("pause", ["p"], "Tauko")
        self.press_and_expect("go on", ["p"], "Peli jatkuu")
        self.started += time.monotonic() - paused

    def fishing(self):
        """Lifts at each nibble until a fish is hooked and landed; changes an eaten worm."""
        wanted = {"Kala nykii!", "Kala tarttui, se nousee veneeseen.", "Saalis"}
        seen = set()
        budget = time.monotonic() + 30
        while wanted - seen and time.monotonic() < budget:
            mark = self.speech.mark()
            index = self.wait_for_speech("Kala nykii!", 8, mark)
            if index is None:
                break
            if "Kala nykii!" not in seen:
                seen.add("Kala nykii!")
                self.passed.append("a nibble")
                print(f"ok    a nibble: Orca said {self.speech.said[index]!r}")
            mark = self.speech.mark()
            self.key("space")
            outcome = self.wait_for_any(["Kala tarttui, se nousee veneeseen.", "Mato on syöty, vaihda mato.",
                                         "Mato on puoliksi syöty."], 1.5, mark)
            if outcome == "Kala tarttui, se nousee veneeseen.":
                self.record_heard("a hooked fish", outcome)
                seen.add(outcome)
                if self.expect_containing("the landed fish, species and weight", self.t.around(LANDED),
                                          5, mark):
                    seen.add("Saalis")
            elif outcome == "Mato on syöty, vaihda mato.":
                self.worm_eaten()
                continue
            self.key("space")
        for missing in sorted(wanted - seen):
            self.failed.append(f"fishing: never heard {missing!r} in 30 s of nibbles; "
                               f"Orca said {self.speech.said[-15:]!r}")
            print(f"FAIL  fishing: {missing!r} never heard")

    def wait_for_any(self, texts, seconds, start):
        found = []

        def heard():
            for utterance in self.speech.since(start):
                for text in texts:
                    if same(utterance, self.t(text)):
                        found.append(text)
                        return True
            return False

        return found[0] if self.wait_until("any", heard, seconds) else None

    def record_heard(self, what, text):
        if what not in self.passed:
            self.passed.append(what)
            print(f"ok    {what}: Orca said {self.t(text)!r}")

    def worm_eaten(self):
        self.record_heard("an eaten worm found on lifting", "Mato on syöty, vaihda mato.")
        self.worm_heard = True
        # A new worm takes five seconds of game time; then the line goes down.
        self.key("v")
        time.sleep(5.5 / CLOCK_RATE)
        self.key("space")

    def eaten_worm(self):
        """Leaves the line down through nibbles until one leaves the worm eaten."""
        if self.worm_heard:
            return
        # Taps of the rod make the fish nibble more often.
        self.key(*["n"] * 30)
        budget = time.monotonic() + 20
        while time.monotonic() < budget:
            # A worm eaten to the bone tempts no fish: the nibbles stop.
            mark = self.speech.mark()
            quiet = self.wait_for_speech("Kala nykii!", 3, mark) is None
            if not quiet:
                continue
            mark = self.speech.mark()
            self.key("space")
            outcome = self.wait_for_any(["Mato on syöty, vaihda mato.", "Mato on puoliksi syöty."], 2, mark)
            if outcome == "Mato on syöty, vaihda mato.":
                self.worm_eaten()
                return
            self.key("space")
        self.failed.append("an eaten worm: never heard 'Mato on syöty, vaihda mato.'")
        print("FAIL  an eaten worm: never heard")

    def end(self):
        # Heard since the game began: they may come while the worm is still being eaten.
        left = self.started + GAME_SECONDS - time.monotonic()
        self.expect("the last ten seconds", "Kymmenen sekuntia jäljellä.", max(left, 0) + 10,
                    self.game_mark)
        self.expect("the end of the game", "Aika loppui, peli päättyi.", 10 / CLOCK_RATE + 10,
                    self.game_mark)
        self.expect_containing("the results: the total",
                               self.t("Yhteispaino %1 grammaa").split("%1"), 10, self.game_mark)

    def quiet_play(self):
        """From the game window's opening to the next window, Orca says the game's
        news and echoes the keys, and nothing else: no control the focus was thrown to."""
        said = self.speech.since(self.game_mark)
        frames = [i for i, utterance in enumerate(said) if utterance.endswith(" frame.")]
        if not frames:
            self.failed.append("quiet play: Orca never said the game window")
            return
        game_window = said[frames[0]]
        end = next((i for i in frames[1:] if said[i] != game_window), len(said))
        play = said[frames[0] + 1:end]
        news = [self.t(text) for text in NEWS]
        landed = self.t.around(LANDED)

        def is_news(utterance):
            return (utterance == game_window or KEY_ECHO.match(utterance)
                    or any(same(utterance, text) for text in news)
                    or (utterance.startswith(landed[0]) and landed[1] in utterance))

        noise = [utterance for utterance in play if not is_news(utterance)]
        if noise or len(play) < 10:
            self.failed.append(f"quiet play: besides the news Orca said {noise!r} "
                               f"({len(play)} utterances in play)")
            print(f"FAIL  quiet play: {noise!r}")
        else:
            self.passed.append("quiet play")
            print(f"ok    quiet play: {len(play)} utterances in play, all of them news or keys")

    def run(self):
        self.start_display()
        self.start_buses()
        self.start_orca()
        self.start_game()
        self.menu()
        self.setup()
        self.game_keys()
        self.fishing()
        self.eaten_worm()
        self.end()
        self.quiet_play()

    def report(self):
        try:
            with open(self.game_log, encoding="utf-8", errors="replace") as log:
                game_output = log.read()
        except OSError:
            game_output = ""
        errors = game_output.count("keyEventError")
        late = game_output.count("with no queued key called")
        if errors:
            print(f"note: Orca answered the game's keys too late {errors} times (keyEventError), "
                  f"{late} answers came after the game had stopped waiting")
        for failure in self.failed:
            print(f"  {failure}")
        print(f"orca: {len(self.passed)} passed, {len(self.failed)} failed")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("--lang", choices=("fi", "en"), default="fi",
                        help="the language the game plays in")
    parser.add_argument("--keep", help="copy the logs into this folder")
    args = parser.parse_args()
    for tool in ("Xvfb", "dbus-daemon", "openbox", "xprop", "xdotool", "orca"):
        if not shutil.which(tool):
            print(f"orca check: {tool} is missing (tools/install-deps.sh installs it)")
            return 1
    check = Check(args.build, args.keep, args.lang)
    signal.signal(signal.SIGALRM, on_alarm)
    signal.signal(signal.SIGTERM, on_alarm)
    signal.alarm(DEADLINE_SECONDS)
    status = 1
    try:
        check.run()
        status = 0 if not check.failed and check.passed else 1
    except (Failure, Deadline, subprocess.TimeoutExpired) as problem:
        check.failed.append(str(problem))
        print(f"FAIL  {problem}")
        print(f"      Orca's last words: {check.speech.said[-10:]!r}")
    finally:
        signal.alarm(0)
        check.stop_everything()
        check.report()
        if args.keep:
            shutil.copytree(check.work, args.keep, dirs_exist_ok=True,
                            ignore=shutil.ignore_patterns("runtime", "home"))
        shutil.rmtree(check.work, ignore_errors=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
