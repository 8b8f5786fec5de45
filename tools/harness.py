"""Drives the real program on a private X server: Xvfb started for one run, the program on it,
xdotool for input and ImageMagick's import for screenshots. The end-to-end tests, the package
test and the tools (soak, CPU, screenshots) all use it.

    screen = harness.Screen("build/kadro")
    screen.click_in_window(336, 552)   # CLEAR
    shot = screen.shot()
    screen.close()"""
import argparse
import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

SCREEN_SIZE = (1024, 768)
START = (205, 106)  # where the main window opens on a 1024 x 768 screen
IMAGE1 = (8, 88)  # the drawing area inside the main window
BLACK, YELLOW, RED, WHITE = (0, 0, 0), (255, 255, 0), (255, 0, 0), (255, 255, 255)
LIME, AQUA, FUCHSIA = (0, 255, 0), (0, 255, 255), (255, 0, 255)


def find_main_window(screen, scale=1, timeout=15, gone=lambda: False):
    """Where a compositor put the main window: its top left corner on the screen and the shot it
    was found in, found by its five swatches in a row (yellow, lime, aqua, fuchsia, red, 24 pixels
    apart, the first at 9, 513 in the window, all times `scale`). None after `timeout` seconds, or
    as soon as `gone()`."""
    deadline = time.time() + timeout
    run = bytes(YELLOW) * (16 * scale)
    while True:
        shot = screen.shot()
        i = shot.raw.find(run)
        while i != -1:
            x, y = i // 3 % shot.width, i // 3 // shot.width
            if i % 3 == 0 and 0 < x < shot.width - 100 * scale and y > 0 and shot[x - 1, y] != YELLOW and \
                    shot[x, y - 1] != YELLOW and all(shot[x + 24 * scale * k, y] == colour
                                                     for k, colour in enumerate((LIME, AQUA, FUCHSIA, RED), 1)):
                return x - 9 * scale, y - 513 * scale, shot
            i = shot.raw.find(run, i + 1)
        if time.time() > deadline or gone():
            return None
        time.sleep(0.2)


def holds_pixel(raw, colour):
    """Whether rows of (r, g, b) bytes hold a pixel of `colour`."""
    i = raw.find(bytes(colour))
    while i != -1 and i % 3:
        i = raw.find(bytes(colour), i + 1)
    return i != -1


def drawing_area(shot, left, top, scale=1):
    """The visible drawing area (542 x 417 at scale 1) of the main window at left, top, as bytes."""
    rows = range(top + IMAGE1[1] * scale, top + (IMAGE1[1] + 417) * scale)
    return b"".join(shot.raw[(y * shot.width + left + IMAGE1[0] * scale) * 3:][:542 * scale * 3] for y in rows)


def animation_over(previous, current):
    """Whether two looks at the drawing area a quarter second apart show the start-up animation
    over: they agree and hold lime cubes (the last pattern has every colour; the intro draws only
    the empty grid and the yellow preview, and stands still too)."""
    return current == previous and holds_pixel(current, LIME)


def main_window_at_rest(screen, started, timeout=15, gone=lambda: False):
    """Where a compositor put the main window once the start-up animation is over: the drawing
    area stands still for a quarter second, a second or more after `started`. None when the
    window never shows or never stands still."""
    deadline, previous = time.time() + timeout, None
    while time.time() < deadline:
        found = find_main_window(screen, timeout=max(0.0, deadline - time.time()), gone=gone)
        if not found:
            return None
        left, top, shot = found
        area = drawing_area(shot, left, top)
        if time.time() > started + 1 and animation_over(previous, area):
            return left, top
        previous = area
        time.sleep(0.25)
    return None


def cube_pixels(column, row, layer, size):
    """Pixels of the drawing area covered by the stack of squares of one cube (ignoring what
    other cubes paint), from the projection: corner (10 + s * column + ...), squares one pixel
    up and right, each half-open."""
    s = 260.0 / size
    x = int(10 + s * column + (layer - 1) * s / 2)
    y = int(400 - s * row - (layer - 1) * s / 2)
    pixels = set()
    k = 0.0
    while s / 2 > k:
        x += 1
        y -= 1
        for py in range(int(y - s), y):
            for px in range(x, int(x + s)):
                pixels.add((px, py))
        k += 1
    return pixels


def wakeups(pid):
    """Voluntary context switches of all the process's threads: the times it went to sleep
    after having been woken."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/status") as f:
            total += sum(int(line.split()[1]) for line in f if line.startswith("voluntary_ctxt_switches:"))
    return total


class Screen:
    """An Xvfb server of the given size and the program on it. `resources` are X resources set
    before the program starts (xrdb), `dpi` the screen's physical density. With `binary` None
    the program waits for `launch`, so that something else can start on the display first."""

    def __init__(self, binary, size=SCREEN_SIZE, dpi=None, resources=None, name="^KADRO$", args=()):
        self.width, self.height = size
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{self.width}x{self.height}x24",
             "-nolisten", "tcp", "-noreset"] + (["-dpi", str(dpi)] if dpi else []),
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=":" + number, QT_QPA_PLATFORM="xcb")
        self.env.pop("WAYLAND_DISPLAY", None)
        if resources:
            subprocess.run(["xrdb", "-merge"], input=resources, text=True, env=self.env, check=True)
        self.program = None
        if binary:
            self.launch(binary, name, args)

    def launch(self, binary, name="^KADRO$", args=()):
        self.started = time.time()
        self.log = tempfile.TemporaryFile()
        self.program = subprocess.Popen([os.path.abspath(binary), *args], env=self.env, stdout=self.log, stderr=self.log)
        self.window = self.wait_for_window(name)

    def close(self):
        for process in (self.program, self.xvfb):
            if process and process.poll() is None:
                process.kill()
                process.wait()

    def run(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, text=True, check=True).stdout

    def wait_for_window(self, name, timeout=30.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=self.env,
                                    capture_output=True, text=True)
            ids = result.stdout.split()
            if ids:
                return ids[0]
            time.sleep(0.05)
        self.log.seek(0)
        raise AssertionError(f"no window named {name}; program exit {self.program.poll()}; "
                             f"its output: {self.log.read().decode(errors='replace')}")

    def geometry(self, window=None):
        out = self.run("xdotool", "getwindowgeometry", "--shell", window or self.window)
        values = dict(line.split("=") for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def move(self, x, y):
        """Moves the pointer and makes sure the X server has it there: a rig whose input went
        astray fails saying so, before anything is judged of the program. A window manager may
        hold the pointer for a while (openbox freezes it while it looks at a press), so the move
        may land late: it is waited for."""
        self.run("xdotool", "mousemove", str(x), str(y))
        deadline = time.time() + 10
        while True:
            values = dict(line.split("=") for line in self.run("xdotool", "getmouselocation", "--shell").split())
            if (int(values["X"]), int(values["Y"])) == (x, y):
                return
            if time.time() > deadline:
                raise AssertionError(f"rig: the X server did not take the pointer move to {x}, {y}; "
                                     f"it has it at {values['X']}, {values['Y']}")
            time.sleep(0.02)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.run("xdotool", "click", str(button))

    def pointer_away(self):
        """Moves the pointer to the screen's top left corner, off the window: what it outlines where
        it rests (the cell a press would change) goes, and the picture alone shows."""
        self.move(0, 0)

    def click_in_window(self, x, y, button=1):
        left, top, _, _ = self.geometry()
        self.click(left + x, top + y, button)

    def shot(self):
        """The whole screen as rows of (r, g, b)."""
        raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=self.env,
                             capture_output=True, check=True).stdout
        return Shot(raw, self.width, self.height)

    def wait_until_still(self, timeout=10.0):
        """Waits for the start-up animation to end (animation_over), a second or more after the
        start. Returns the last shot, or None when that never came."""
        time.sleep(max(0.0, self.started + 1.0 - time.time()))
        deadline = time.time() + timeout
        left, top, _, height = self.geometry()
        scale = max(1, round(height / 580))
        previous = drawing_area(self.shot(), left, top, scale)
        while time.time() < deadline:
            time.sleep(0.25)
            current = self.shot()
            area = drawing_area(current, left, top, scale)
            if animation_over(previous, area):
                return current
            previous = area
        return None

    def settle(self, seconds=0.15):
        time.sleep(seconds)


class NestedWeston:
    """weston in a window of `screen` (its X11 backend), with its socket in `runtime`, and the rig
    proven before any test uses it: the pointer probe (a client of the tests' own, named by
    KADRO_POINTER_PROBE) must see a pointer move, a click and a key arrive where xdotool sent them.
    weston's X11 backend follows the X pointer only once the pointer has entered its window, and
    Xvfb's pointer starts inside that window, so no entry would ever come and weston's pointer would
    stay in its top left corner, over its terminal launcher: the rig moves the pointer out of the
    window and back in first. A rig that still cannot move weston's pointer fails, saying so."""

    def __init__(self, screen, runtime, socket, size):
        self.screen = screen
        self.process = subprocess.Popen(
            ["weston", "--backend=x11-backend.so", f"--width={size[0]}", f"--height={size[1]}",
             f"--socket={socket}", "--idle-time=0"], env=screen.env | {"XDG_RUNTIME_DIR": runtime},
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.size = size
        self.client_env = {k: v for k, v in screen.env.items() if k not in ("DISPLAY", "QT_QPA_PLATFORM")}
        self.client_env |= {"XDG_RUNTIME_DIR": runtime, "WAYLAND_DISPLAY": socket}
        deadline = time.time() + 20
        while not os.path.exists(os.path.join(runtime, socket)):
            if time.time() > deadline or self.process.poll() is not None:
                self.close()
                raise RuntimeError("weston did not start")
            time.sleep(0.05)

    def origin(self):
        """Where weston's window shows its screen on the X screen (a window manager may frame it)."""
        deadline = time.time() + 10
        while True:
            for line in self.screen.run("xwininfo", "-root", "-tree").splitlines():
                if '"Weston Compositor' in line:  # ... 1000x700+1+20  +12+41: the last is on the screen
                    x, y = line.split()[-1].lstrip("+").split("+")
                    return int(x), int(y)
            if time.time() > deadline:
                raise AssertionError("rig: weston's window is not on the X screen")
            time.sleep(0.05)

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def prove(self, probe=None):
        """Shows the probe full screen, gives weston the pointer, and checks that a move to two
        points, a click and a key reach the probe where they were sent. Raises AssertionError
        naming the rig when they do not."""
        probe = probe or os.environ.get("KADRO_POINTER_PROBE")
        if not probe:
            raise AssertionError("rig: KADRO_POINTER_PROBE names no pointer probe")
        process = subprocess.Popen([probe], env=self.client_env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                   text=True)
        lines = queue.Queue()
        threading.Thread(target=lambda: [lines.put(line.strip()) for line in process.stdout], daemon=True).start()
        seen = []

        def expect(wanted, what, timeout=10):
            deadline = time.time() + timeout
            while time.time() < deadline:
                try:
                    line = lines.get(timeout=0.05)
                except queue.Empty:
                    continue
                seen.append(line)
                if wanted(line.split()):
                    return line
            raise AssertionError(f"rig: {what}; the probe saw {seen[-8:]}")

        try:
            expect(lambda w: w[0] == "shown", "the pointer probe never showed on weston", 30)
            left, top = self.origin()
            outside = (0, 0) if (left, top) != (0, 0) else (self.screen.width - 1, self.screen.height - 1)
            self.screen.move(*outside)
            for x, y in ((300, 400), (self.size[0] - 100, self.size[1] - 100)):
                self.screen.move(left + x, top + y)
                expect(lambda w: w[0] in ("enter", "move") and w[1:] == [str(x), str(y)],
                       f"the compositor did not take the pointer move to {x}, {y} of its screen")
            self.screen.run("xdotool", "click", "1")
            expect(lambda w: w[0] == "press" and w[1:] == [str(x), str(y)],
                   f"the compositor did not take the click at {x}, {y}")
            self.screen.run("xdotool", "key", "k")
            expect(lambda w: w == ["key", "k"], "the compositor did not pass on the key k")
        finally:
            process.kill()
            process.wait()
        return seen


class Shot:
    def __init__(self, raw, width, height):
        self.raw, self.width, self.height = raw, width, height

    def __getitem__(self, point):
        x, y = point
        i = (y * self.width + x) * 3
        return tuple(self.raw[i:i + 3])

    def save(self, path):
        subprocess.run(["convert", "-size", f"{self.width}x{self.height}", "-depth", "8", "rgb:-", path],
                       input=self.raw, check=True)


SKIPPED = 77  # CTest's SKIP_RETURN_CODE for the tests that need something this machine may lack


def run_tests(why_not, what):
    """Runs the unittest cases of the calling script on the program given by --binary, which it
    sets as the script's BINARY, or exits SKIPPED saying why `what` cannot be tried here when
    `why_not()` gives a reason (also the script's WHY_NOT); SKIPPED too when every case skipped."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    args, rest = parser.parse_known_args()
    script = sys.modules["__main__"]
    script.BINARY = os.path.abspath(args.binary)
    script.WHY_NOT = why_not()
    if script.WHY_NOT:
        print(f"SKIPPED: {script.WHY_NOT}; {what} cannot be tried here")
        sys.exit(SKIPPED)
    result = unittest.main(module="__main__", argv=[sys.argv[0]] + rest, verbosity=2, exit=False).result
    if result.wasSuccessful() and result.skipped and len(result.skipped) == result.testsRun:
        sys.exit(SKIPPED)
    sys.exit(0 if result.wasSuccessful() else 1)
