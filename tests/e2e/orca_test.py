#!/usr/bin/python3
"""What Orca itself says as a blind user designs: Xvfb and openbox, a private session bus with the
accessibility bus (ScreenReaderEnabled set, as a desktop sets it for Orca), speech-dispatcher
with an output module that appends every utterance to a file instead of sounding it, Orca with
settings of its own, and the program, driven with xdotool. Each key is checked by what Orca
spoke after it.

    tests/e2e/orca_test.py --binary build/kadro [Orca.test_...]

Exits 77 (skipped) only when Orca or speech-dispatcher cannot start here."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from harness import NestedWeston, Screen, main_window_at_rest, run_tests  # noqa: E402

BINARY = None
WHY_NOT = None  # why Orca cannot be heard here


def speech_settings(folder, spoken):
    """speech-dispatcher's settings in `folder`: a `generic` module whose command appends each
    utterance to `spoken`, and ALSA's null device, so nothing needs a sound card."""
    modules = os.path.join(folder, "config", "speech-dispatcher", "modules")
    os.makedirs(modules)
    with open(os.path.join(modules, "..", "speechd.conf"), "w") as f:
        f.write(f'LogDir "{folder}"\nAudioOutputMethod "alsa"\nAddModule "capture" "sd_generic" "capture.conf"\n'
                'DefaultModule "capture"\nLanguageDefaultModule "en" "capture"\n'
                'Include "/etc/speech-dispatcher/clients/*.conf"\n')
    with open(os.path.join(modules, "capture.conf"), "w") as f:
        f.write(f'GenericExecuteSynth "printf \'%s\\\\n\' \\\'$DATA\\\' >> {spoken}"\n'
                'AddVoice "en" "MALE1" "capture"\nGenericLanguage "en" "en" "utf-8"\n')
    with open(os.path.join(folder, "home", ".asoundrc"), "w") as f:
        f.write("pcm.!default { type null }\nctl.!default { type hw card 0 }\n")


class Orca(unittest.TestCase):
    def setUp(self):
        if WHY_NOT:
            self.skipTest(WHY_NOT)
        self.folder = tempfile.mkdtemp(prefix="kadro-orca-")
        for sub in ("runtime", "home", "prefs"):
            os.makedirs(os.path.join(self.folder, sub), mode=0o700)
        self.spoken = os.path.join(self.folder, "spoken.txt")
        speech_settings(self.folder, self.spoken)
        self.processes = []
        self.screen = Screen(None)
        env = self.screen.env
        env.update(XDG_RUNTIME_DIR=os.path.join(self.folder, "runtime"), HOME=os.path.join(self.folder, "home"),
                   XDG_CONFIG_HOME=os.path.join(self.folder, "config"))
        for variable in ("QT_ACCESSIBILITY", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "DBUS_SESSION_BUS_ADDRESS"):
            env.pop(variable, None)
        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE)
        env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        for setting in ("IsEnabled", "ScreenReaderEnabled"):
            subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                            "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", f"string:{setting}",
                            "variant:boolean:true"], env=env, capture_output=True, timeout=20, check=True)
        self.start(["openbox", "--sm-disable"])
        said = self.orca_out = open(os.path.join(self.folder, "orca.out"), "w")
        orca = self.start(["orca", "-u", os.path.join(self.folder, "prefs"), "--debug-file",
                           os.path.join(self.folder, "orca.log")], stdout=said, stderr=subprocess.STDOUT)
        deadline = time.time() + 30
        while "Screen reader on" not in self.heard() and orca.poll() is None and time.time() < deadline:
            time.sleep(0.05)
        if "Screen reader on" not in self.heard():
            said.close()
            with open(os.path.join(self.folder, "orca.out")) as f:
                why = f.read().strip()[-300:]
            self.tearDown()
            self.skipTest(f"Orca or speech-dispatcher did not start ({why or 'nothing said in 30 s'})")
        try:
            self.launch()
        except BaseException:
            self.tearDown()
            raise
        self.heard_until("Size scroll bar 10", 20, "Orca did not hear the program start")
        self.assertIsNotNone(self.screen.wait_until_still(), "the start-up animation never ended")
        self.keys = 0

    def tearDown(self):
        if not WHY_NOT:
            for process in reversed(self.processes):
                process.kill()
                process.wait()
            self.processes = []
            self.orca_out.close()
            self.screen.close()
            if os.environ.get("KADRO_KEEP_ORCA_LOG"):
                print(f"\nOrca's log and what it spoke: {self.folder}", file=sys.stderr)
            else:
                shutil.rmtree(self.folder, ignore_errors=True)

    def launch(self):
        self.screen.launch(BINARY)

    def start(self, command, **kwargs):
        process = subprocess.Popen(command, env=kwargs.pop("env", self.screen.env), stdin=subprocess.DEVNULL,
                                   **{"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, **kwargs})
        self.processes.append(process)
        return process

    def heard(self):
        try:
            with open(self.spoken) as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def heard_until(self, words, timeout, why):
        deadline = time.time() + timeout
        while words not in self.heard().replace("\n", " "):
            if time.time() > deadline:
                self.fail(f"{why}: {words!r} not in {self.heard()!r}")
            time.sleep(0.05)

    def key(self, key, says):
        """Presses a key and waits until Orca has spoken `says` after it."""
        start = len(self.heard())
        self.screen.run("xdotool", "key", key)
        self.keys += 1
        deadline = time.time() + 10
        while True:
            spoken = " ".join(self.heard()[start:].split())
            if says in spoken:
                return spoken
            if time.time() > deadline:
                self.fail(f"after {key}, Orca said {spoken!r}, not {says!r}")
            time.sleep(0.02)

    def test_every_key_of_a_short_design_is_heard(self):
        self.key("minus", says="9")  # the focused size bar says its value
        self.key("Tab", says="Depth layer Layer 1 of 9 spin button")
        self.key("Tab", says="CLEAR push button. Empties the visible block (Ctrl+Z undoes it)")
        self.key("Return", says="Cleared 729 cubes")
        self.key("5", says="5 Placing red")  # the key itself is echoed: Orca saw its press
        self.key("Up", says="Column 5, row 5, layer 1: empty")  # the cursor shows; the focus follows it
        self.key("Right", says="Column 6, row 5, layer 1: empty")
        self.key("Return", says="Red placed")
        self.key("Up", says="Column 6, row 6, layer 1: empty")
        self.key("e", says="Erasing")
        self.key("Down", says="Column 6, row 5, layer 1: red")
        self.key("Return", says="Emptied")
        self.key("ctrl+z", says="Undone: column 6, row 5, layer 1: red. 1 cube visible")
        self.key("Prior", says="Layer 2 of 9, column 6, row 5: empty")
        self.key("Escape", says="Cell cursor hidden")
        self.key("plus", says="Size 10")
        self.key("g", says="Grid pattern hidden")
        self.key("ctrl+y", says="Redone: column 6, row 5, layer 1: empty")
        self.key("ctrl+y", says="Nothing to redo")
        self.key("shift+Tab", says="ABOUT KADRO push button")
        spoken = self.key("Tab", says="Drawing area, erasing")
        self.assertNotIn("hidden", spoken)  # said once, not again at every visit
        self.key("shift+Tab", says="ABOUT KADRO push button")
        self.key("shift+Tab", says="FILL push button")
        self.key("Return", says="Filled with red, 1000 cubes visible")
        self.key("t", says="Turned: the right side is in front.")
        self.key("ctrl+l", says="No loose cubes")
        self.key("r", says="Rectangle")
        self.key("Up", says="Column 6, row 6, layer 1: red")
        self.key("Return", says="Start marked at column 6, row 6")
        self.key("Right", says="Column 7, row 6, layer 1: red")
        self.key("Return", says="Rectangle: 2 cells emptied")
        self.key("m", says="Mirror on: changes are made on both sides")
        self.key("ctrl+z", says="Undone: rectangle. 1000 cubes visible")
        self.key("m", says="Mirror off")
        self.key("b", says="Brush")
        self.key("f", says="Flood fill")
        self.key("a", says="Attach")
        self.key("c", says="Colour")
        self.key("o", says="Cubes with edges")
        self.key("o", says="Cubes as designed")
        self.key("l", says="Line")
        self.key("Return", says="Start marked at column 7, row 6")
        self.key("Escape", says="Start dropped")
        # A refusal is shown over the picture too, and still heard once.
        start = len(self.heard())
        self.key("ctrl+Left", says="The model touches the left side; nothing moved.")
        self.key("g", says="Grid pattern shown")  # what came before it has been said by now
        self.assertEqual(" ".join(self.heard()[start:].split()).count("nothing moved"), 1)

    def test_a_house_designed_by_what_orca_says(self):
        """The README's 5 x 5 x 5 house: three rows of yellow walls, a red roof row and a red ridge
        of three with the two top corners empty, on every layer; every key checked by ear."""
        for size in ("9", "8", "7", "6", "5"):
            self.key("minus", says=size)
        self.key("1", says="Placing yellow")
        self.key("shift+Tab", says="Drawing area, placing yellow")
        self.key("shift+Tab", says="ABOUT KADRO push button")
        self.key("shift+Tab", says="FILL push button")
        self.key("Return", says="Filled with yellow, 125 cubes visible")
        self.key("5", says="Placing red")
        self.key("Up", says="Column 3, row 3, layer 1: yellow")
        self.key("Up", says="Column 3, row 4, layer 1: yellow")
        self.key("Left", says="Column 2, row 4, layer 1: yellow")
        self.key("Left", says="Column 1, row 4, layer 1: yellow")
        cell, erasing, layer = [1, 4], False, 1

        def at(column, row, holds):
            nonlocal erasing
            key = {(1, 0): "Right", (-1, 0): "Left", (0, 1): "Up", (0, -1): "Down"}.get((column - cell[0], row - cell[1]))
            if key:
                cell[:] = column, row
                self.key(key, says=f"Column {column}, row {row}, layer {layer}: yellow")
            if (holds == "empty") != erasing:
                erasing = holds == "empty"
                self.key(*(("e", "Erasing") if erasing else ("5", "Placing red")))
            self.key("Return", says="Emptied" if erasing else "Red placed")

        roof = [(c, 4, "red") for c in range(1, 6)] + [(5, 5, "empty")] + [(c, 5, "red") for c in (4, 3, 2)] + \
            [(1, 5, "empty")]
        for layer in range(1, 6):
            if layer > 1:
                self.key("Prior", says=f"Layer {layer} of 5, column {cell[0]}, row {cell[1]}: yellow")
            for step in (roof if layer % 2 else roof[::-1]):
                at(*step)
        print(f"\nthe house took {self.keys} keys, each answered by Orca", file=sys.stderr)
        house = ["KADRO design", "size 5"]
        for layer in range(1, 6):
            house += [f"layer {layer}", ".RRR.", "RRRRR", "YYYYY", "YYYYY", "YYYYY"]
        self.screen.run("xdotool", "key", "ctrl+c")
        deadline = time.time() + 5
        while True:  # the program takes the key in its own time
            copied = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", "text/plain"], env=self.screen.env,
                                    capture_output=True, text=True).stdout
            if "\n\n" in copied or time.time() > deadline:
                break
            time.sleep(0.05)
        self.assertEqual(copied.split("\n\n", 1)[1].strip().split("\n"), house)


class OrcaOnWayland(Orca):
    """The same with the program as a Wayland client of weston, nested on the test's Xvfb (the X
    server takes xdotool's keys and hands them to weston)."""
    test_every_key_of_a_short_design_is_heard = None
    test_a_house_designed_by_what_orca_says = None

    def launch(self):
        from wayland_test import why_wayland_cannot_run
        why = why_wayland_cannot_run()
        if why:
            self.tearDown()
            self.skipTest(why)
        self.weston = NestedWeston(self.screen, os.path.join(self.folder, "runtime"), "wayland-orca", (1000, 700))
        self.processes.append(self.weston.process)
        self.weston.prove()
        started = time.time()
        program = self.start([BINARY], env=self.weston.client_env)
        # The picture is weston's: the main window is found on it, by its swatches.
        self.screen.wait_until_still = lambda: main_window_at_rest(self.screen, started,
                                                                   gone=lambda: program.poll() is not None)

    def test_keys_are_heard_natively(self):
        left, top = self.screen.wait_until_still()
        self.screen.click(left + 150, top + 524)  # the DEPTH LAYER caption: weston takes the keys
        self.key("minus", says="9")
        self.key("5", says="5 Placing red")
        self.key("Prior", says="Layer 2 of 9")
        self.key("shift+Tab", says="Drawing area, placing red. Size 9 x 9 x 9, layer 2")
        self.key("Up", says="Column 5, row 5, layer 2")
        self.key("Return", says="Red placed")
        self.key("r", says="Rectangle")
        self.key("Escape", says="Cell cursor hidden")
        self.key("ctrl+z", says="Undone: column 5, row 5, layer 2")


def why_orca_cannot_start():
    for program in ("orca", "speech-dispatcher", "dbus-daemon", "openbox"):
        if not shutil.which(program):
            return f"{program} is not installed"
    if not os.path.exists("/usr/lib/speech-dispatcher-modules/sd_generic"):
        return "speech-dispatcher's generic module is not installed"
    return None


if __name__ == "__main__":
    run_tests(why_orca_cannot_start, "Orca")
