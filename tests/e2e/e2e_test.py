#!/usr/bin/env python3
"""End-to-end tests: the real program on a real X server (Xvfb), driven with xdotool, checked
by the pixels of screenshots. Run one scenario with CTest (ctest -R e2e.start), or by hand:
PYTHONPATH=tools tests/e2e/e2e_test.py --binary build/kadro Scenario.test_start

Expected pictures are computed here from the geometry of the design, never from the program."""
import argparse
import os
import tempfile
import random
import shutil
import signal
import subprocess
import sys
import time
import unittest

from harness import BLACK, IMAGE1, RED, START, WHITE, YELLOW, Screen, cube_pixels, wakeups

BINARY = None
FAILURES = None


class Scenario(unittest.TestCase):
    def setUp(self):
        self.screen = Screen(BINARY)
        self.shots = []

    def tearDown(self):
        result = self._outcome.result
        failed = any(test is self for test, _ in result.failures + result.errors)
        if failed and FAILURES:
            os.makedirs(FAILURES, exist_ok=True)
            self.screen.shot().save(os.path.join(FAILURES, self.id().split(".")[-1] + ".png"))
        self.screen.close()

    # Helpers in window coordinates of the drawing area.
    def image_point(self, x, y):
        left, top, _, _ = self.screen.geometry()
        return left + IMAGE1[0] + x, top + IMAGE1[1] + y

    def image_pixel(self, shot, x, y):
        return shot[self.image_point(x, y)]

    def image_origin(self):
        left, top, _, _ = self.screen.geometry()
        return left + IMAGE1[0], top + IMAGE1[1]

    def wait_until_still(self, timeout=5.0):
        still = self.screen.wait_until_still(timeout)
        if still is None:
            self.fail("the picture never stood still")
        return still

    def press_button(self, x, y):
        self.screen.click_in_window(x, y)
        self.screen.settle()

    def all_taken(self):
        all_taken(self.screen)

    def clear(self):
        self.press_button(312 + 24, 544 + 8)

    def fill(self):
        self.press_button(312 + 24, 560 + 8)

    def toggle_grid(self):
        self.press_button(440 + 48, 512 + 12)

    def swatch(self, code):
        self.press_button(8 + 24 * (code - 1) + 12, 512 + 12)

    def expect_pixels(self, expected, timeout=5.0):
        """Waits until every (x, y) of the drawing area shows its colour; a frame may be late
        on a loaded machine. Returns the last shot."""
        self.screen.pointer_away()
        deadline = time.time() + timeout
        while True:
            shot = self.screen.shot()
            wrong = {p: self.image_pixel(shot, *p) for p, c in expected.items() if self.image_pixel(shot, *p) != c}
            if not wrong or time.time() > deadline:
                self.assertEqual(wrong, {})
                return shot
            time.sleep(0.1)

    def expect_drawing_area(self, expected, timeout=5.0):
        self.screen.pointer_away()
        deadline = time.time() + timeout
        while True:
            wrong = self.drawing_area_differences(self.screen.shot(), expected)
            if not wrong or time.time() > deadline:
                self.assertEqual(len(wrong), 0, wrong[:5])
                return
            time.sleep(0.1)

    def expect_window_at(self, left, top, timeout=5.0):
        deadline = time.time() + timeout
        while self.screen.geometry()[:2] != (left, top) and time.time() < deadline:
            time.sleep(0.05)
        self.assertEqual(self.screen.geometry()[:2], (left, top))

    def drawing_area_differences(self, shot, expected):
        """Pixels of the visible drawing area (x < 542 inside the 550 wide window) that differ from
        `expected(x, y)`, which returns a colour or None for 'any'."""
        left, top = self.image_origin()
        wrong = []
        for y in range(0, 417):
            for x in range(0, 542):
                want = expected(x, y)
                if want is not None and shot[left + x, top + y] != want:
                    wrong.append((x, y))
        return wrong

    # The scenarios.
    def test_start(self):
        self.assertEqual(self.screen.geometry(), (START[0], START[1], 550, 580))
        hints = self.screen.run("xprop", "-id", self.screen.window, "_MOTIF_WM_HINTS")
        flags, _, decorations = [int(v, 16) for v in hints.split("=")[1].split(",")[:3]]
        self.assertTrue(flags & 2)  # the decorations field is given ...
        self.assertEqual(decorations, 0)  # ... and asks for none
        shot = self.wait_until_still()
        # The block is full: every cell of the front face, and the top and right faces, coloured.
        for column in range(10):
            for row in range(10):
                colour = self.image_pixel(shot, int(10 + 26 * column + 13 + 13), int(400 - 26 * row - 13 - 13))
                self.assertNotEqual(colour, BLACK, (column, row))

    def test_clear_hide_grid_and_show_again(self):
        self.wait_until_still()
        self.clear()
        self.toggle_grid()
        preview = cube_pixels(0, 0, 1, 10)  # the preview stacks from (360, 400) like a cube at 350
        preview = {(x + 350, y) for x, y in preview}
        self.expect_drawing_area(lambda x, y: YELLOW if (x, y) in preview else BLACK)
        self.toggle_grid()
        self.expect_pixels({(23, 386): WHITE})  # the grid outline of cell 0, 0

    def test_placing_a_cube_paints_exactly_its_stack(self):
        self.wait_until_still()
        self.clear()
        self.toggle_grid()
        self.swatch(1)
        self.expect_pixels({(30, 380): BLACK})  # cleared and hidden before the click
        self.screen.click(*self.image_point(50, 380))
        cube = cube_pixels(1, 0, 1, 10)
        preview = {(x + 350, y) for x, y in cube_pixels(0, 0, 1, 10)}
        self.expect_drawing_area(lambda x, y: YELLOW if (x, y) in cube or (x, y) in preview else BLACK)

    def test_a_brush_stroke_and_a_rectangle_dragged_and_undone_whole(self):
        self.wait_until_still()
        self.clear()
        self.toggle_grid()
        self.swatch(5)
        self.expect_pixels({(30, 380): BLACK})
        self.screen.run("xdotool", "windowfocus", "--sync", self.screen.window)  # no window manager gives it

        def top_face(column, row):  # the centre of a cell's top face on layer 1 at size 10
            return self.image_point(int(10 + 26 * column + 26), int(400 - 26 * row - 26))

        def cubes(cells):
            return set().union(*(cube_pixels(c, r, 1, 10) for c, r in cells))

        def drag(points):
            args = ["mousemove", *map(str, points[0]), "mousedown", "1"]
            for point in points[1:]:  # apart in time, or the toolkit may join two moves into one
                args += ["sleep", "0.1", "mousemove", *map(str, point)]
            self.screen.run("xdotool", *args, "mouseup", "1")

        preview = {(x + 350, y) for x, y in cube_pixels(0, 0, 1, 10)}
        self.screen.run("xdotool", "key", "r")
        drag([top_face(1, 1), top_face(2, 2), top_face(3, 2)])
        box = cubes((c, r) for c in range(1, 4) for r in range(1, 3))
        # Three moves across nine cells: the stroke leaves no gap between them.
        self.screen.run("xdotool", "key", "b")
        drag([top_face(0, 6), top_face(3, 6), top_face(6, 7), top_face(8, 7)])
        stroke = cubes([(0, 6), (1, 6), (2, 6), (3, 6), (4, 6), (5, 7), (6, 7), (7, 7), (8, 7)])
        for red in (box | stroke | preview, box | preview, preview):
            self.expect_drawing_area(lambda x, y: RED if (x, y) in red else BLACK)
            self.screen.run("xdotool", "key", "ctrl+z")

    def test_fill_layers_and_size(self):
        self.wait_until_still()
        self.swatch(5)
        self.fill()
        front = (30, 380)  # inside cell (0, 0) of layer 1
        self.expect_pixels({front: RED})
        for _ in range(9):  # up to layer 10: the front layers are cut away
            self.screen.click_in_window(256 + 8, 512 + 6)
        self.expect_pixels({front: BLACK, (380, 20): RED})  # the back layer stays
        for _ in range(9):
            self.screen.click_in_window(256 + 8, 512 + 19)
        self.expect_pixels({front: RED})
        # The size scroll bar's right arrow: size 11, and a new FILL: the block keeps its area.
        self.screen.click_in_window(192 + 81 - 6, 544 + 12)
        self.screen.settle()
        self.fill()
        self.expect_pixels({(14, 395): RED, (395, 14): RED, (200, 200): RED,
                            (402, 200): BLACK, (200, 5): BLACK, (5, 200): BLACK})

    def test_out_of_range_click_load_and_save_change_nothing(self):
        before = self.wait_until_still()
        origin = self.image_origin()
        before_at = lambda x, y: before[origin[0] + x, origin[1] + y]
        self.screen.click(*self.image_point(5, 200))  # left of the accepted window
        self.press_button(368 + 36, 544 + 8)  # LOAD
        self.press_button(368 + 36, 560 + 8)  # SAVE
        self.all_taken()
        self.screen.pointer_away()
        self.assertEqual(self.drawing_area_differences(self.screen.shot(), lambda x, y: before_at(x, y)), [])
        # Size 20 at layer 1: (399, 20) maps beyond the grid; nothing may change.
        for _ in range(10):
            self.screen.click_in_window(192 + 81 - 6, 544 + 12)
        before = self.wait_until_still()
        self.screen.click(*self.image_point(399, 20))
        self.all_taken()
        self.screen.pointer_away()
        self.assertEqual(self.drawing_area_differences(self.screen.shot(), lambda x, y: before_at(x, y)), [])

    def test_about_window_over_the_running_main_window(self):
        self.wait_until_still()
        self.press_button(448 + 44, 544 + 16)
        about = self.screen.wait_for_window("^ABOUT KADRO$")
        self.assertNotEqual(about, self.screen.window)
        self.screen.run("xdotool", "windowmove", about, "700", "0")
        self.screen.settle(0.3)
        self.swatch(5)  # the preview turns red: the main window goes on drawing
        self.expect_pixels({(380, 380): RED})
        # Pasting into the About text with an empty clipboard, by keyboard and by the middle
        # button, once crashed the program.
        x, y, _, _ = self.screen.geometry(about)
        self.screen.click(x + 200, y + 300)
        self.screen.run("xdotool", "key", "ctrl+v", "shift+Insert")
        self.screen.click(x + 200, y + 300, 2)
        self.swatch(1)  # the preview turns yellow again: the program took the pastes and lives
        self.expect_pixels({(380, 380): YELLOW})
        self.assertIsNone(self.screen.program.poll())

    def test_undo_after_clear_and_the_parts_list_on_the_clipboard(self):
        before = self.wait_until_still()
        origin = self.image_origin()
        self.clear()
        self.expect_pixels({(30, 380): BLACK})  # inside the grid pattern of cell (0, 0)
        self.screen.run("xdotool", "key", "ctrl+z")
        self.expect_drawing_area(lambda x, y: before[origin[0] + x, origin[1] + y])
        self.screen.run("xdotool", "key", "ctrl+c")
        text = self.clipboard(until=lambda text: text.startswith("KADRO parts list"))
        lines = text.split("\n")
        self.assertEqual(lines[0], "KADRO parts list, size 10 x 10 x 10, layers 1 to 10 visible")
        # After the animation every count label shows 200.
        for line, name in zip(lines[2:7], ["yellow", "lime", "aqua", "fuchsia", "red"]):
            self.assertEqual(line, f"{name}\t200\t200")
        self.assertEqual(lines[7], "total\t1000\t1000")
        html = self.screen.run("xclip", "-o", "-selection", "clipboard", "-t", "text/html")
        self.assertIn('<td>red</td><td align="right" style="text-align:right">200</td>'
                      '<td align="right" style="text-align:right">200</td>', html)

    def clipboard(self, *target, until):
        """The clipboard's text (of `target`, if given) once `until(text)` holds: the program takes
        the copy key in its own time. Fails after 5 s."""
        deadline = time.time() + 5
        while True:
            read = subprocess.run(["xclip", "-o", "-selection", "clipboard", *(("-t",) + target if target else ())],
                                  env=self.screen.env, capture_output=True, text=True)
            if read.returncode == 0 and until(read.stdout):
                return read.stdout
            if time.time() > deadline:
                self.fail(f"the clipboard never held what was copied: {read.stdout[:80]!r}")
            time.sleep(0.05)

    def offer(self, text):
        """Puts text on the clipboard from another program, as a mail or an editor would."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text, text=True, env=self.screen.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)

    def visible_windows(self, name="^KADRO$"):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=self.screen.env,
                               capture_output=True, text=True)
        return found.stdout.split()

    def test_a_design_through_the_clipboard(self):
        before = self.wait_until_still()
        origin = self.image_origin()
        self.screen.run("xdotool", "windowfocus", "--sync", self.screen.window)  # no window manager gives it
        self.screen.run("xdotool", "key", "ctrl+c")
        copied = self.clipboard("application/x-kadro-design", until=lambda text: text.startswith("KADRO design"))
        self.assertTrue(copied.startswith("KADRO design\nsize 10\nlayer 1\n"), copied[:40])
        self.clear()
        self.expect_pixels({(30, 380): BLACK})
        self.screen.run("xdotool", "key", "ctrl+v")
        self.expect_drawing_area(lambda x, y: before[origin[0] + x, origin[1] + y])

        # A design the user wrote elsewhere: size 5, a red cube at the front bottom left, a lime
        # one at the back top right; the grid pattern hidden, so the rest is black.
        rows = {1: ["....."] * 4 + ["R...."], 5: ["....L"] + ["....."] * 4}
        text = "Here it is:\r\nKADRO design\r\nsize 5\r\n"
        for layer in range(1, 6):
            text += f"layer {layer}\r\n" + "".join(row + "\r\n" for row in rows.get(layer, ["....."] * 5))
        self.offer(text)
        self.toggle_grid()
        self.screen.run("xdotool", "key", "ctrl+v")
        red, lime = cube_pixels(0, 0, 1, 5), cube_pixels(4, 4, 5, 5)
        preview = {(x + 350, y) for x, y in cube_pixels(0, 0, 1, 5)}
        self.expect_drawing_area(
            lambda x, y: RED if (x, y) in red else (0, 255, 0) if (x, y) in lime else YELLOW if (x, y) in preview else BLACK)
        pasted = self.screen.shot()

        # A text that is no design: a message, closed by Escape, and not a pixel has changed.
        self.offer("KADRO design\nsize 25\n")
        self.screen.run("xdotool", "key", "ctrl+v")
        deadline = time.time() + 5
        while len(self.visible_windows()) < 2 and time.time() < deadline:
            time.sleep(0.05)
        self.assertEqual(len(self.visible_windows()), 2, "the message box did not open")
        self.screen.run("xdotool", "key", "Escape")
        while len(self.visible_windows()) > 1 and time.time() < deadline + 5:
            time.sleep(0.05)
        self.assertEqual(len(self.visible_windows()), 1, "Escape did not close the message")
        self.expect_drawing_area(lambda x, y: pasted[origin[0] + x, origin[1] + y])

    def own_clipboard(self, *args):
        """Another program owning the clipboard (tools/clipboard_owner.cpp), once it holds it."""
        owner = subprocess.Popen([os.path.join(os.path.dirname(os.path.abspath(BINARY)), "tools", "clipboard_owner"),
                                  *args], env=self.screen.env, stdout=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (owner.kill(), owner.wait()))
        self.assertEqual(owner.stdout.readline().strip(), "owner")
        return owner

    def test_a_paste_is_bounded_whatever_the_clipboards_owner_offers(self):
        """An owner listing 100,000 types once froze the window for half a minute; one that
        never answers for 5 s."""
        self.wait_until_still()
        self.screen.run("xdotool", "windowfocus", "--sync", self.screen.window)
        self.toggle_grid()
        self.own_clipboard("--types", "100000", "KADRO design\nsize 2\nlayer 1\n..\nR.\nlayer 2\n..\n..\n")
        started = time.time()
        self.screen.run("xdotool", "key", "ctrl+v")
        red = {pixel: RED for pixel in sorted(cube_pixels(0, 0, 1, 2))[::997]}  # a spread of the cube's pixels
        self.expect_pixels(red, timeout=1.0)
        print(f"pasted from an owner of 100,000 types in {time.time() - started:.2f} s", file=sys.stderr)
        # Handed over in parts of 16 bytes (INCR): a lime cube at the back; and a text of 2 MiB in
        # parts of 64 KiB, refused as too long once 1 MiB has come.
        self.own_clipboard("--chunk", "16", "KADRO design\nsize 2\nlayer 1\n..\n..\nlayer 2\n..\n.L\n")
        self.screen.run("xdotool", "key", "ctrl+v")
        lime = {pixel: (0, 255, 0) for pixel in sorted(cube_pixels(1, 0, 2, 2))[::997]}
        self.expect_pixels(lime, timeout=2.0)
        self.own_clipboard("--chunk", "65536", "@2097152")
        self.screen.run("xdotool", "key", "ctrl+v")
        self.assertTrue(wait_until(lambda: len(self.visible_windows()) == 2, 7), "no message for 2 MiB")
        self.screen.run("xdotool", "key", "Escape")
        self.assertTrue(wait_until(lambda: len(self.visible_windows()) == 1, 5), "Escape did not close it")
        self.own_clipboard("--types", "100000", "KADRO design\nsize 2\nlayer 1\n..\nR.\nlayer 2\n..\n..\n")
        self.screen.run("xdotool", "windowfocus", "--sync", self.screen.window, "key", "ctrl+v")  # no manager gives it back
        self.expect_pixels(red, timeout=2.0)
        # An owner that never answers: the window goes on answering, a second Ctrl+V is ignored,
        # and after 5 s one message says so.
        self.own_clipboard("--silent")
        started = time.time()
        self.screen.run("xdotool", "key", "ctrl+v")
        self.swatch(3)  # taken while the paste waits: the preview turns aqua
        self.expect_pixels({(380, 380): (0, 255, 255)}, timeout=1.0)
        self.screen.run("xdotool", "key", "ctrl+v")
        self.assertTrue(wait_until(lambda: len(self.visible_windows()) == 2, 7), "no message")
        waited = time.time() - started
        print(f"the silent owner given up on after {waited:.2f} s", file=sys.stderr)
        self.assertLess(waited, 6.5)
        self.screen.run("xdotool", "key", "Escape")
        self.assertTrue(wait_until(lambda: len(self.visible_windows()) == 1, 5), "Escape did not close it")
        self.expect_pixels(red)
        # Ctrl+Q while a paste waits ends the program at once.
        self.screen.run("xdotool", "windowfocus", "--sync", self.screen.window, "key", "ctrl+v", "ctrl+q")
        self.assertTrue(wait_until(lambda: self.screen.program.poll() is not None, 2), "Ctrl+Q did not end it")

    def test_a_tower_built_onto_upper_faces(self):
        """With A, a press where no cube is puts one down as P does; three presses on the upper
        face of the top cube build a tower on it, and Ctrl+Z takes back the last."""
        self.wait_until_still()
        self.clear()
        self.toggle_grid()
        self.swatch(5)
        self.screen.run("xdotool", "windowfocus", "--sync", self.screen.window)
        self.screen.run("xdotool", "key", "a")

        def upper_face(column, row):  # above the front square of a cube on layer 1 at size 10
            return self.image_point(10 + 26 * column + 9, 400 - 26 * row - 31)

        self.screen.click(*self.image_point(10 + 26 * 4 + 26, 400 - 26))  # the top face of (4, 0)
        for row in range(3):
            self.expect_pixels({(10 + 26 * 4 + 9, 400 - 26 * row - 31): RED})
            self.screen.click(*upper_face(4, row))
        self.expect_pixels({(10 + 26 * 4 + 9, 400 - 26 * 3 - 31): RED})

        def design(rows):
            lines = ["KADRO design", "size 10", "layer 1"]
            lines += ["." * 4 + ("R" if r in rows else ".") + "." * 5 for r in reversed(range(10))]
            for layer in range(2, 11):
                lines += [f"layer {layer}"] + ["." * 10] * 10
            return "\n".join(lines) + "\n"

        self.screen.run("xdotool", "key", "ctrl+c")
        self.assertEqual(self.clipboard("application/x-kadro-design", until=lambda text: "R" in text),
                         design({0, 1, 2, 3}))
        self.screen.run("xdotool", "key", "ctrl+z", "ctrl+c")
        self.assertEqual(
            self.clipboard("application/x-kadro-design", until=lambda text: text == design({0, 1, 2})),
            design({0, 1, 2}))

    def test_a_pasted_design_turned_with_t(self):
        """A design offered by another program, pasted, turned with T: the copied design is the one
        the turn (c, r, l) -> (l-1, r, N-c) gives, and the screen shows its cubes."""
        self.wait_until_still()
        self.screen.run("xdotool", "windowfocus", "--sync", self.screen.window)
        n, cubes = 4, {(0, 0, 1): "R", (3, 0, 1): "Y", (1, 2, 4): "L"}
        def design(cells):
            text = f"KADRO design\nsize {n}\n"
            for layer in range(1, n + 1):
                text += f"layer {layer}\n" + "".join(
                    "".join(cells.get((c, r, layer), ".") for c in range(n)) + "\n" for r in reversed(range(n)))
            return text
        self.offer(design(cubes))
        self.toggle_grid()
        self.screen.run("xdotool", "key", "ctrl+v", "t", "ctrl+c")
        turned = {(l - 1, r, n - c): colour for (c, r, l), colour in cubes.items()}
        # The paste is read from the other program while T and Ctrl+C wait for it, in order.
        copied = self.clipboard("application/x-kadro-design", until=lambda text: text != design(cubes))
        self.assertEqual(copied, design(turned))
        colours = {"R": RED, "Y": YELLOW, "L": (0, 255, 0)}
        painted = {}
        for (c, r, l), colour in sorted(turned.items(), key=lambda cell: -cell[0][2]):  # back to front
            painted.update(dict.fromkeys(cube_pixels(c, r, l, n), colours[colour]))
        preview = {(x + 350, y) for x, y in cube_pixels(0, 0, 1, n)}  # the current colour's preview
        self.expect_drawing_area(lambda x, y: painted.get((x, y), YELLOW if (x, y) in preview else BLACK))
        self.screen.run("xdotool", "key", "ctrl+z", "ctrl+c")
        self.assertEqual(self.screen.run("xclip", "-o", "-selection", "clipboard", "-t", "application/x-kadro-design"),
                         design(cubes))

    def test_loose_cubes_outlined_and_the_build_sheet(self):
        """A 4-block with a tower and one cube in the air: Ctrl+L outlines the floating cube and
        nothing else on screen changes; the parts list counts it; the build sheet, parsed, has the
        loose cube's group and why, a course per row with its picture and counts adding up, square
        cells, the legend, and a picture of the finished model cropped to the block."""
        self.wait_until_still()
        self.screen.run("xdotool", "windowfocus", "--sync", self.screen.window)
        n, cubes = 4, {(0, 0, 1): "R", (0, 1, 1): "R", (0, 2, 1): "Y", (2, 2, 2): "A"}
        text = f"KADRO design\nsize {n}\n"
        for layer in range(1, n + 1):
            text += f"layer {layer}\n" + "".join(
                "".join(cubes.get((c, r, layer), ".") for c in range(n)) + "\n" for r in reversed(range(n)))
        self.offer(text)
        self.screen.run("xdotool", "key", "ctrl+v")
        red = sorted(cube_pixels(0, 0, 1, n))[len(cube_pixels(0, 0, 1, n)) // 2]
        before = self.expect_pixels({red: RED})  # the pasted design is drawn, in one frame
        self.screen.run("xdotool", "key", "ctrl+l")
        floating = cube_pixels(2, 2, 2, n)
        xs, ys = [x for x, _ in floating], [y for _, y in floating]
        box = (min(xs) - 2, min(ys) - 2, max(xs) + 2, max(ys) + 2)  # the outline and its black rims
        left, top = self.image_origin()
        deadline = time.time() + 5
        while True:  # the outline is drawn at once, over the picture
            after = self.screen.shot()
            changed = [(x, y) for y in range(417) for x in range(542)
                       if before[left + x, top + y] != after[left + x, top + y]]
            if changed or time.time() > deadline:
                break
            time.sleep(0.05)
        self.assertTrue(changed, "no outline")
        self.assertEqual([p for p in changed if not (box[0] <= p[0] <= box[2] and box[1] <= p[1] <= box[3])], [])
        self.assertIn(WHITE, {after[left + x, top + min(ys)] for x in range(box[0], box[2])})
        self.screen.run("xdotool", "key", "ctrl+c")
        plain = self.clipboard("text/plain", until=lambda text: "loose cubes" in text)
        self.assertIn("total\t4\t4\nloose cubes\t1\t1\n", plain)

        from html.parser import HTMLParser

        class Tables(HTMLParser):
            def __init__(self):
                super().__init__()
                self.tables, self.images, self.cells = [], [], []
            def handle_starttag(self, tag, attrs):
                attrs = dict(attrs)
                if tag == "table":
                    self.tables.append([])
                elif tag == "tr":
                    self.tables[-1].append([])
                elif tag in ("td", "th"):
                    self.tables[-1][-1].append("")
                    if "height" in attrs:
                        self.cells.append((attrs.get("width"), attrs["height"]))
                elif tag == "img":
                    self.images.append((attrs["src"], attrs["alt"]))
            def handle_data(self, data):
                if self.tables and self.tables[-1] and self.tables[-1][-1]:
                    self.tables[-1][-1][-1] += data.strip()

        sheet = Tables()
        sheet.feed(self.screen.run("xclip", "-o", "-selection", "clipboard", "-t", "text/html"))
        titles = [table[0][0] for table in sheet.tables]
        self.assertEqual(titles[:5], ["KADRO parts list, size 4 x 4 x 4, layers 1 to 4 visible", "Build sheet",
                                      "the finished model", "Legend", "Loose cubes: 1 in 1 group"])
        self.assertEqual(sheet.tables[4][2], ["group 1", "1", "3", "touches no other cube", "column 3, row 3, layer 2"])
        courses = [t for t in sheet.tables if t[0][0].startswith("Course")]
        self.assertEqual([t[0][0] for t in courses], [f"Course {k} of 3 (row {k})" for k in (1, 2, 3)])
        # Counts across: the colours the course uses, then this course, after it, still to place.
        placed, parts = {}, {row[0]: int(row[2]) for row in sheet.tables[0][2:7]}
        for course in courses:
            names, now, after, left = course[1:5]
            for name, here, total, rest in zip(names[1:], now[1:], after[1:], left[1:]):
                if name.startswith("loose"):
                    continue
                placed[name] = placed.get(name, 0) + int(here)
                self.assertEqual((int(total), int(rest)), (placed[name], parts[name] - placed[name]))
        self.assertEqual(placed, {name: count for name, count in parts.items() if count})
        self.assertEqual({w for w, h in sheet.cells}, {"16"})  # every cell square, the same size
        self.assertEqual({h for w, h in sheet.cells}, {"16"})
        self.assertIn("A!", [cell for t in sheet.tables for row in t for cell in row])
        # A picture of the finished model, then one per course, named by its course.
        self.assertEqual([alt.split(":")[0] for _, alt in sheet.images[1:]],
                         [f"Course {k} of 3 (row {k})" for k in (1, 2, 3)])
        import base64
        png = base64.b64decode(sheet.images[0][0].split(",", 1)[1])
        size = subprocess.run(["identify", "-format", "%w %h", "png:-"], input=png, capture_output=True, check=True)
        width, height = map(int, size.stdout.split())
        raw = subprocess.run(["convert", "png:-", "-depth", "8", "rgb:-"], input=png, capture_output=True, check=True).stdout
        x0 = min(x for x, _ in cube_pixels(0, 0, 1, n))
        y0 = min(y for _, y in cube_pixels(n - 1, n - 1, n, n))
        self.assertEqual((x0 + width - 1, y0 + height - 1),
                         (max(x for x, _ in cube_pixels(n - 1, n - 1, n, n)), max(y for _, y in cube_pixels(0, 0, 1, n))))
        # The bottom cube's front face in its own colour, the floating cube shown though cut away.
        front = sorted(cube_pixels(0, 0, 1, n))[len(cube_pixels(0, 0, 1, n)) // 3]
        at = ((front[1] - y0) * width + front[0] - x0) * 3
        self.assertEqual(tuple(raw[at:at + 3]), RED)

    def test_the_build_sheet_prints_a_page_per_course(self):
        """The house of the README's screen-reader section (5 x 5 x 5: three rows of yellow walls,
        a red roof row, a red ridge of three) pasted and copied; the HTML another program gets,
        printed to PDF by Chromium and by LibreOffice: the parts list, legend and picture on the
        first page, then a page for each of its 5 courses; Gnumeric's CSV of it labels every row."""
        self.wait_until_still()
        self.screen.run("xdotool", "windowfocus", "--sync", self.screen.window)
        rows = ["." + "RRR" + "."] + ["RRRRR"] + ["YYYYY"] * 3  # from the top
        self.offer("KADRO design\nsize 5\n" + "".join(f"layer {l}\n" + "\n".join(rows) + "\n" for l in range(1, 6)))
        self.screen.run("xdotool", "key", "ctrl+v", "ctrl+c")
        html = self.clipboard("text/html", until=lambda text: "Course 5 of 5" in text)
        folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, folder)
        page = os.path.join(folder, "house.html")
        with open(page, "w") as f:
            f.write('<!DOCTYPE html><html><head><meta charset="utf-8"></head><body>' + html + "</body></html>")
        env = dict(os.environ, HOME=folder)

        def pages(pdf):
            info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
            return int(next(line.split()[1] for line in info.splitlines() if line.startswith("Pages:")))

        subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-pdf-header-footer",
                        "--print-to-pdf=" + os.path.join(folder, "chromium.pdf"), "file://" + page],
                       env=env, capture_output=True, timeout=120, check=True)
        self.assertEqual(pages(os.path.join(folder, "chromium.pdf")), 1 + 5)
        subprocess.run(["soffice", "--headless", "--convert-to", "pdf", "--outdir", folder, page],
                       env=env, capture_output=True, timeout=180, check=True)
        self.assertEqual(pages(os.path.join(folder, "house.pdf")), 1 + 5)
        csv_path = os.path.join(folder, "house.csv")
        subprocess.run(["ssconvert", "--import-type=Gnumeric_html:html", page, csv_path],
                       env=env, capture_output=True, timeout=120, check=True)
        import csv
        with open(csv_path) as f:
            rows = [row for row in csv.reader(f)]
        self.assertIn(["Build sheet"], [[cell for cell in row if cell] for row in rows])
        self.assertEqual([row for row in rows if not row or not row[0]], [])  # every row has a label
        # Where a count row has a label, every colour it counts has a number.
        counted = [row for row in rows if row[0] in ("this course", "after this course", "still to place")]
        self.assertEqual(len(counted), 3 * 5)
        for row in counted:
            self.assertTrue(all(cell.isdigit() for cell in row[1:] if cell), row)

    def test_undo_history_keeps_its_memory_bound(self):
        """10,000 FILL and CLEAR of a full 20-block, 4 KB a step, far past the history's 16 MiB:
        the memory the program holds grows by little more than that, never twice it, and undo
        still gives back the exact pictures."""
        self.wait_until_still()
        for _ in range(10):  # size 20
            self.screen.click_in_window(192 + 81 - 6, 544 + 12)
        self.screen.settle(0.3)

        def kib(field):
            with open(f"/proc/{self.screen.program.pid}/status") as f:
                return next(int(line.split()[1]) for line in f if line.startswith(field + ":"))

        started = kib("VmRSS")
        left, top, _, _ = self.screen.geometry()
        fill, clear = (left + 336, top + 568), (left + 336, top + 552)
        origin = self.image_origin()
        steps = 10000
        clicker = os.path.join(os.path.dirname(os.path.abspath(BINARY)), "tools", "press_latency")
        self.screen.click(*fill)  # the picture after a FILL, and after the CLEAR that follows it
        filled = self.expect_pixels({(23, 387): YELLOW})  # the front cube's top face
        self.screen.click(*clear)
        deadline = time.time() + 5
        while self.image_pixel(self.screen.shot(), 23, 387) == YELLOW and time.time() < deadline:
            time.sleep(0.05)
        self.screen.settle()
        cleared = self.screen.shot()
        self.screen.run(clicker, "--alternate", str(steps - 2), *map(str, fill + clear))
        self.all_taken()
        rss, peak = kib("VmRSS"), kib("VmHWM")
        print(f"RSS after start-up {started} KiB, after {steps} steps {rss} KiB, peak {peak} KiB", file=sys.stderr)
        self.assertLess(rss - started, 17 * 1024)
        self.assertLess(peak - started, 20 * 1024)
        self.screen.run("xdotool", "key", "ctrl+z")
        self.expect_drawing_area(lambda x, y: filled[origin[0] + x, origin[1] + y])
        self.screen.run("xdotool", "key", "ctrl+z")
        self.expect_drawing_area(lambda x, y: cleared[origin[0] + x, origin[1] + y])

    def test_a_burst_of_clicks_keeps_the_memory_bound(self):
        """10,000 FILL and CLEAR of a full 20-block sent 1,000 clicks at a time, queued for the
        program: the events' memory comes and goes (once 25.7 MiB stayed held), and at rest the
        program holds little more than the history's 16 MiB."""
        self.wait_until_still()
        for _ in range(10):  # size 20
            self.screen.click_in_window(192 + 81 - 6, 544 + 12)
        self.all_taken()

        def kib(field):
            with open(f"/proc/{self.screen.program.pid}/status") as f:
                return next(int(line.split()[1]) for line in f if line.startswith(field + ":"))

        started = kib("VmRSS")
        left, top, _, _ = self.screen.geometry()
        clicker = os.path.join(os.path.dirname(os.path.abspath(BINARY)), "tools", "press_latency")
        self.screen.run(clicker, "--burst", "10000", *map(str, (left + 336, top + 568, left + 336, top + 552)))
        self.all_taken()
        settled = wait_until(lambda: kib("VmRSS") - started < 17 * 1024, 5)
        rss, peak = kib("VmRSS"), kib("VmHWM")
        print(f"RSS after start-up {started} KiB, after a burst of 10,000 clicks {rss} KiB, peak {peak} KiB",
              file=sys.stderr)
        self.assertTrue(settled, f"{(rss - started) / 1024:.1f} MiB more held at rest")

    def test_whole_model_steps_keep_the_memory_bound(self):
        """10,000 turns, tips, flips and colour swaps of a varied 20-block, about 8 KB a step, then
        5,000 presses: the memory grows as for FILL and CLEAR, by little more than the history's
        16 MiB."""
        self.wait_until_still()
        for _ in range(10):  # size 20
            self.screen.click_in_window(192 + 81 - 6, 544 + 12)
        generator = random.Random(1)
        text = "KADRO design\nsize 20\n" + "".join(
            f"layer {layer}\n" + "".join("".join(generator.choice("YLAFR....") for _ in range(20)) + "\n"
                                         for _ in range(20)) for layer in range(1, 21))
        self.offer(text)
        self.screen.run("xdotool", "windowfocus", "--sync", self.screen.window, "key", "ctrl+v")
        self.toggle_grid()  # a moment for the paste; the grid pattern hidden shows it
        self.all_taken()

        def kib(field):
            with open(f"/proc/{self.screen.program.pid}/status") as f:
                return next(int(line.split()[1]) for line in f if line.startswith(field + ":"))

        started = kib("VmRSS")
        keys = ["t", "shift+t", "v", "shift+v", "h", "ctrl+2", "ctrl+3", "ctrl+4"]
        for _ in range(25):  # 10,000 steps: each key changes the varied block
            self.screen.run("xdotool", "key", "--delay", "0", *(keys * 50))
        self.all_taken()
        rss, peak = kib("VmRSS"), kib("VmHWM")
        print(f"RSS after start-up and paste {started} KiB, after 10,000 whole-model steps {rss} KiB, "
              f"peak {peak} KiB", file=sys.stderr)
        self.assertLess(rss - started, 17 * 1024)
        self.assertLess(peak - started, 20 * 1024)
        # Then single cells: 10,000 clicks alternating a cell and ERASE, so that each click on the
        # cell places or erases a cube, a step of its own.
        left, top, _, _ = self.screen.geometry()
        cell = (left + IMAGE1[0] + 10 + 13 * 3 + 13, top + IMAGE1[1] + 400 - 13 * 4 - 13)  # the top face of (3, 4)
        clicker = os.path.join(os.path.dirname(os.path.abspath(BINARY)), "tools", "press_latency")
        self.screen.run(clicker, "--alternate", "10000", *map(str, cell + (left + 312 + 60, top + 512 + 12)))
        self.all_taken()
        rss, peak = kib("VmRSS"), kib("VmHWM")
        print(f"after 5,000 presses more {rss} KiB, peak {peak} KiB", file=sys.stderr)
        self.assertLess(rss - started, 17 * 1024)
        self.assertLess(peak - started, 20 * 1024)

    def test_at_rest_it_sleeps_and_a_click_wakes_it(self):
        self.wait_until_still()
        time.sleep(0.5)
        pid = self.screen.program.pid
        before, start = wakeups(pid), time.time()
        time.sleep(3.0)
        rate = (wakeups(pid) - before) / (time.time() - start)
        self.assertLess(rate, 5.0)  # was 100 a second: the frame timer ticked for nothing
        self.clear()
        self.expect_pixels({(30, 380): BLACK})  # the next frame shows the change

    def test_dragging_by_the_background(self):
        left, top, _, _ = self.screen.geometry()
        run = self.screen.run
        run("xdotool", "mousemove", str(left + 100), str(top + 40), "mousedown", "1")
        run("xdotool", "mousemove", str(left + 101), str(top + 40))
        self.expect_window_at(left + 101, top + 40)
        run("xdotool", "mousemove", str(left + 104), str(top + 38))
        self.expect_window_at(left + 104, top + 38)
        run("xdotool", "mouseup", "1")
        # A press on a blank image area does not drag.
        left, top, _, _ = self.screen.geometry()
        run("xdotool", "mousemove", str(left + 4), str(top + 570), "mousedown", "1")
        run("xdotool", "mousemove", str(left + 40), str(top + 560))
        run("xdotool", "mouseup", "1")
        self.all_taken()
        self.assertEqual(self.screen.geometry()[:2], (left, top))

    def test_close_mark_ends_with_zero(self):
        self.screen.click_in_window(528 + 7, 8 + 8)
        self.assertEqual(self.screen.program.wait(timeout=5), 0)


def main_window_controls():
    """Name and centre, in window coordinates, of every control the main window's layout shows."""
    import xml.etree.ElementTree as ElementTree
    layout = ElementTree.parse(os.path.join(os.path.dirname(__file__), "..", "..", "ui", "form", "Unit1.ui")).getroot()
    controls = []
    for widget in layout.iter("widget"):
        props = {p.get("name"): p for p in widget.findall("property")}
        hidden = props.get("visible") is not None and props["visible"].findtext("bool") == "false"
        if widget.get("name") == "TForm1" or hidden or "geometry" not in props:
            continue
        x, y, w, h = (int(props["geometry"].findtext(f"rect/{k}")) for k in ("x", "y", "width", "height"))
        w = min(w, 550 - x)  # the drawing area reaches past the window's edge
        controls.append((widget.get("name"), x + w // 2, y + h // 2))
    return controls


def all_taken(screen):
    """Returns once the program has taken every event sent before: the ERASE button is clicked
    twice, and each click's caption shows, which the program draws only after what came first.
    The drawing area is left as it was."""
    left, top, _, _ = screen.geometry()

    def button(shot):
        return [shot[left + x, top + y] for x in range(314, 431, 2) for y in range(514, 536, 2)]

    for _ in range(2):
        before = button(screen.shot())
        screen.click_in_window(312 + 60, 512 + 12)
        deadline = time.time() + 10
        while button(screen.shot()) == before:
            if time.time() > deadline:
                raise AssertionError("the ERASE button never answered a click")
            time.sleep(0.05)


def wait_until(check, timeout=10):
    """Waits until `check()` holds, for at most `timeout` seconds; returns whether it did."""
    deadline = time.time() + timeout
    while not check():
        if time.time() > deadline:
            return False
        time.sleep(0.05)
    return True


def wait_for_manager(screen):
    """Openbox has taken the screen over when it names itself on the root window and has framed the
    program's window; a busy machine may take seconds."""
    deadline = time.time() + 30
    while time.time() < deadline and not (
            "window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=screen.env,
                                          capture_output=True, text=True).stdout
            and "_NET_FRAME_EXTENTS(" in subprocess.run(["xprop", "-id", screen.window, "_NET_FRAME_EXTENTS"],
                                                        env=screen.env, capture_output=True, text=True).stdout):
        time.sleep(0.05)


class Storms(unittest.TestCase):
    """Bursts of input that once nested a menu loop per press until the stack overflowed."""

    def viewable_windows(self, screen):
        tree = screen.run("xwininfo", "-root", "-children")
        ids = [line.split()[0] for line in tree.splitlines() if line.strip().startswith("0x")]
        return sum("IsViewable" in screen.run("xwininfo", "-id", i) for i in ids)

    def storm(self, with_manager):
        if with_manager and not shutil.which("openbox"):
            self.skipTest("openbox is not installed (scripts/install-deps.sh --test installs it)")
        screen = Screen(BINARY)
        manager = None
        if with_manager:
            manager = subprocess.Popen(["openbox", "--sm-disable"], env=screen.env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        clicker = os.path.join(os.path.dirname(os.path.abspath(BINARY)), "tools", "press_latency")
        try:
            if manager:
                wait_for_manager(screen)
            self.assertIsNotNone(screen.wait_until_still(), "the start-up animation never ended")
            left, top, width, height = screen.geometry()
            windows = self.viewable_windows(screen)
            for name, x, y in main_window_controls():
                if name == "Image1":
                    x, y = IMAGE1[0] + 5, IMAGE1[1] + 200  # a press there changes nothing
                at = (left + x, top + y)
                screen.run(clicker, "--alternate", "1", *map(str, at + at), "3")  # what one right press does
                all_taken(screen)
                once = screen.shot()
                screen.run(clicker, "--alternate", "1000", *map(str, at + at), "3")
                all_taken(screen)
                self.assertIsNone(screen.program.poll(), f"the program ended after right presses on {name}")
                self.assertEqual(self.viewable_windows(screen), windows, f"a window opened on {name}")
                after = screen.shot()
                self.assertEqual(after.raw, once.raw, f"1000 right presses on {name} did more than one")
            # A burst of pastes of a text that is no design: one message, and the design intact.
            subprocess.run(["xclip", "-selection", "clipboard", "-i"], input="KADRO design\nsize 99\n", text=True,
                           env=screen.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
            screen.run("xdotool", "windowfocus", "--sync", screen.window)
            all_taken(screen)
            before = screen.shot()  # with the focus frame the focus brings
            screen.run("xdotool", "key", "--repeat", "1000", "--delay", "1", "ctrl+v")
            wait_until(lambda: self.viewable_windows(screen) > windows)
            self.assertIsNone(screen.program.poll(), "the program ended after a burst of pastes")
            self.assertEqual(self.viewable_windows(screen), windows + 1,
                             "not exactly one message")
            for _ in range(3):  # close the message: Escape where the focus is
                screen.run("xdotool", "key", "Escape")
                if wait_until(lambda: self.viewable_windows(screen) == windows, 3):
                    break
                ids = screen.run("xdotool", "search", "--onlyvisible", "--name", "^KADRO$").split()
                for i in ids:
                    if i != screen.window:
                        screen.run("xdotool", "windowfocus", i)
            self.assertEqual(self.viewable_windows(screen), windows, "the message did not close")
            screen.run("xdotool", "windowfocus", "--sync", screen.window)  # no manager gives it back
            wait_until(lambda: screen.shot().raw == before.raw, 5)
            self.assertEqual(screen.shot().raw, before.raw, "the pastes changed the picture")
        finally:
            if manager:
                manager.kill()
                manager.wait()
            screen.close()

    def test_right_presses_and_pastes_in_bursts_without_a_window_manager(self):
        self.storm(with_manager=False)

    def test_right_presses_and_pastes_in_bursts_under_openbox(self):
        self.storm(with_manager=True)


class Desktop(unittest.TestCase):
    """How the program meets the desktop it is started on: none at all, a small screen, a window
    manager."""

    def test_without_a_display_one_line_and_status_one(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        for display in (None, ":9999"):  # none set, and one that does not answer
            if display:
                env["DISPLAY"] = display
            result = subprocess.run([BINARY], env=env, capture_output=True, text=True, timeout=30)
            self.assertEqual(result.returncode, 1, result.stderr)  # not Qt's abort (-6) with a core
            lines = result.stderr.strip().split("\n")
            self.assertEqual(len(lines), 1, result.stderr)
            self.assertIn("cannot open a display", lines[0])
            self.assertIn("xvfb-run", lines[0])

    def test_a_display_that_never_answers_one_line_and_status_one_within_seconds(self):
        """A stopped X server takes the connection and never answers: the program once waited in
        its density probe for good, without a word."""
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp"], pass_fds=(write_end,),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        try:
            xvfb.send_signal(signal.SIGSTOP)
            for scale in (None, "2"):  # the density probe, and Qt's own connection with the scale chosen
                env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
                env["DISPLAY"] = ":" + number
                if scale:
                    env["QT_SCALE_FACTOR"] = scale
                started = time.time()
                result = subprocess.run([BINARY], env=env, capture_output=True, text=True, timeout=60)
                took = time.time() - started
                self.assertEqual(result.returncode, 1, result.stderr)
                lines = result.stderr.strip().split("\n")
                self.assertEqual(len(lines), 1, result.stderr)
                self.assertIn("does not answer", lines[0])
                self.assertIn("xvfb-run", lines[0])
                self.assertLess(took, 8.0)
        finally:
            xvfb.send_signal(signal.SIGCONT)
            xvfb.kill()
            xvfb.wait()

    def test_a_scale_that_cannot_work_is_said_and_left_out(self):
        """QT_SCALE_FACTOR=0 once gave no window at all, and 1000 one of 32767 pixels at full CPU."""
        for name, value in (("QT_SCALE_FACTOR", "0"), ("QT_SCALE_FACTOR", "nan"), ("QT_SCALE_FACTOR", "1000"),
                            ("QT_SCALE_FACTOR", "-1"), ("QT_SCREEN_SCALE_FACTORS", "1e9")):
            os.environ[name] = value
            try:
                screen = Screen(BINARY)
            finally:
                del os.environ[name]
            try:
                self.assertEqual(screen.geometry()[2:], (550, 580), f"{name}={value}")
                screen.log.seek(0)
                said = [line for line in screen.log.read().decode().splitlines() if name in line]
                self.assertEqual(len(said), 1, f"{name}={value}: {said}")
                self.assertIn("is not a scale from 0.5 to 8", said[0])
            finally:
                screen.close()

    def test_small_screens_keep_the_corner_and_close_mark_on_screen(self):
        for size, place in (((800, 600), (93, 22)), ((640, 480), (13, 0))):
            screen = Screen(BINARY, size=size)
            try:
                self.assertEqual(screen.geometry()[:2], place, size)
                screen.click_in_window(528 + 7, 8 + 8)  # the close mark is there to be pressed
                self.assertEqual(screen.program.wait(timeout=5), 0)
            finally:
                screen.close()

    def test_closing_through_the_window_manager_ends_the_program(self):
        if not shutil.which("openbox"):
            self.skipTest("openbox is not installed (scripts/install-deps.sh --test installs it)")
        screen = Screen(BINARY)
        manager = subprocess.Popen(["openbox", "--sm-disable"], env=screen.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            wait_for_manager(screen)
            screen.click_in_window(448 + 44, 544 + 16)  # ABOUT KADRO
            screen.wait_for_window("^ABOUT KADRO$")
            screen.run("xdotool", "windowactivate", "--sync", screen.window)
            screen.run("xdotool", "key", "alt+F4")
            self.assertEqual(screen.program.wait(timeout=10), 0)
        finally:
            manager.kill()
            manager.wait()
            screen.close()


class KeysAndMouse(unittest.TestCase):
    """The same session by mouse and by keys leaves the same picture."""

    def session(self, steps):
        screen = Screen(BINARY)
        try:
            self.assertIsNotNone(screen.wait_until_still(), "the start-up animation never ended")
            screen.click_in_window(312 + 24, 544 + 8)  # CLEAR, by mouse in both: the stripes differ by run
            for step in steps:
                if isinstance(step, tuple):
                    screen.click_in_window(*step)
                else:
                    screen.run("xdotool", "key", step)
                time.sleep(0.05)
            all_taken(screen)
            screen.pointer_away()
            shot = screen.shot()
            left, top, _, _ = screen.geometry()
            return [[shot[left + IMAGE1[0] + x, top + IMAGE1[1] + y] for x in range(542)] for y in range(417)]
        finally:
            screen.close()

    def test_keys_leave_every_pixel_as_the_mouse_does(self):
        by_mouse = self.session([(56 + 12, 524), (312 + 60, 524), (312 + 60, 524), (440 + 48, 524),
                                 (256 + 8, 512 + 6), (192 + 81 - 6, 544 + 12), (312 + 24, 560 + 8)])
        # After the click on CLEAR the focus is there; five steps on it reaches FILL.
        by_keys = self.session(["3", "e", "e", "g", "Prior", "plus", "Tab", "Tab", "Tab", "Tab", "Tab", "Return"])
        wrong = [(x, y) for y in range(417) for x in range(542) if by_keys[y][x] != by_mouse[y][x]]
        self.assertEqual(wrong[:5], [], f"{len(wrong)} pixels differ")


class HighDensity(unittest.TestCase):
    """On a 192 dpi screen the program runs at scale 2: every pixel doubled, clicks alike."""

    def drawing_area_after_a_click(self, scale, **screen):
        """The drawing area after CLEAR, red, and a click on cell (1, 0), as rows of pixels in
        scale-1 coordinates, each checked to be a whole scale x scale block."""
        screen = Screen(BINARY, **screen)
        try:
            self.assertIsNotNone(screen.wait_until_still(), "the start-up animation never ended")
            left, top, width, height = screen.geometry()
            self.assertEqual((width, height), (550 * scale, 580 * scale))
            for x, y in ((336, 552), (116, 524)):  # CLEAR, the red swatch
                screen.click(left + x * scale, top + y * scale)
            screen.click(left + (IMAGE1[0] + 50) * scale, top + (IMAGE1[1] + 380) * scale)
            screen.pointer_away()
            # The click's cube shows: the press, after CLEAR and red, has been taken.
            wait_until(lambda: screen.shot()[left + (IMAGE1[0] + 50) * scale, top + (IMAGE1[1] + 380) * scale] == RED)
            shot = screen.shot()
            rows = []
            for y in range(417):
                row = []
                for x in range(542):
                    block = {shot[left + (IMAGE1[0] + x) * scale + i, top + (IMAGE1[1] + y) * scale + j]
                             for i in range(scale) for j in range(scale)}
                    self.assertEqual(len(block), 1, (x, y))  # no smoothing: one colour a block
                    row.append(block.pop())
                rows.append(row)
            return rows
        finally:
            screen.close()

    def test_every_pixel_doubled_and_clicks_land_in_the_same_cell(self):
        plain = self.drawing_area_after_a_click(1, size=(1200, 800))
        for screen in ({"dpi": 192}, {"resources": "Xft.dpi: 192\n"}):
            doubled = self.drawing_area_after_a_click(2, size=(2400, 1600), **screen)
            wrong = [(x, y) for y in range(417) for x in range(542) if doubled[y][x] != plain[y][x]]
            self.assertEqual(wrong[:5], [], f"{len(wrong)} pixels differ at {screen}")
        self.assertEqual(plain[380][50], RED)  # the click placed its cube

    def test_a_screen_too_small_for_scale_two_keeps_scale_one(self):
        screen = Screen(BINARY, size=(1024, 768), dpi=192)
        try:
            self.assertEqual(screen.geometry(), (START[0], START[1], 550, 580))
        finally:
            screen.close()


def main():
    global BINARY, FAILURES
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--failures", default=None, help="folder for screenshots of failures")
    args, rest = parser.parse_known_args()
    BINARY = os.path.abspath(args.binary)
    FAILURES = args.failures
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
