#!/usr/bin/python3
"""What a screen reader gets from the real program: Xvfb and openbox, a private session bus with
the AT-SPI registry on it, and the program started with accessibility on, read through pyatspi
(Debian's python3-pyatspi, hence Debian's own interpreter).

`Listener` keeps what a screen reader would say, as Orca 43 does (tests/e2e/orca_test.py hears
Orca itself).

    tests/e2e/screen_reader_test.py --binary build/kadro [ScreenReader.test_...]

Exits 77 (skipped) only when the registry itself cannot start."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from harness import Screen  # noqa: E402

BINARY = None
SKIPPED = 77


def start_registry():
    """A session bus of this run's own, the accessibility bus and the registry on it. Returns
    the bus daemon, or says why there is none."""
    runtime = tempfile.mkdtemp(prefix="kadro-a11y-")  # the accessibility bus's socket goes here
    os.environ["XDG_RUNTIME_DIR"] = runtime
    os.environ.pop("DISPLAY", None)  # the bus launcher is not to touch another display
    try:
        daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    except FileNotFoundError:
        return None, "dbus-daemon is not installed"
    address = daemon.stdout.readline().strip()
    if not address:
        return None, "the session bus did not start"
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
    bus = subprocess.run(["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus", "/org/a11y/bus",
                          "org.a11y.Bus.GetAddress"], capture_output=True, text=True, timeout=20)
    if bus.returncode != 0 or not bus.stdout.strip():
        daemon.kill()
        return None, "the accessibility bus did not start: " + bus.stderr.strip()
    registry = subprocess.run(["dbus-send", "--bus=" + bus.stdout.strip(), "--print-reply",
                               "--dest=org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root",
                               "org.freedesktop.DBus.Peer.Ping"], capture_output=True, text=True, timeout=20)
    if registry.returncode != 0:
        daemon.kill()
        return None, "the AT-SPI registry did not start: " + registry.stderr.strip()
    return daemon, None


class Listener:
    """The program's accessible tree and what a screen reader would say, from its events, as Orca
    43 says it: a newly focused object's name, role (not a filler's), value and description; a
    notification shown, wherever the focus is; a change of the focused object's value; and a
    change of its name or description only from the event's own data, which must be text."""

    def __init__(self, pyatspi):
        from gi.repository import GLib
        self.pyatspi, self.context = pyatspi, GLib.MainContext.default()
        self.said, self.values, self.focused = [], [], None
        for kind in ("object:state-changed:focused", "object:state-changed:showing",
                     "object:property-change:accessible-description", "object:property-change:accessible-name",
                     "object:property-change:accessible-value"):
            pyatspi.Registry.registerEventListener(self.on_event, kind)

    def on_event(self, event):
        source = event.source
        if event.type == "object:state-changed:focused":
            if event.detail1:
                self.focused = source
                role = source.getRoleName()
                self.said.append(", ".join(part for part in (source.name, "" if role == "filler" else role,
                                                             self.shown_value(source), source.description) if part))
            return
        if event.type == "object:state-changed:showing":
            if event.detail1 and source.getRoleName() == "notification":
                self.said.append(source.name)
            return
        if event.type.endswith("accessible-value"):
            self.values.append((source.name, self.value_of(source)))
        if source != self.focused:
            return  # a screen reader says what changes where the focus is
        if event.type.endswith("accessible-value"):
            self.said.append(self.shown_value(source))
        elif isinstance(event.any_data, str) and event.any_data:
            self.said.append(event.any_data)

    def shown_value(self, accessible):
        """A spin box's value as its text shows it, as Orca says it; other values as numbers."""
        if accessible.getRoleName() == "spin button":
            try:
                text = accessible.queryText()
                return text.getText(0, text.characterCount)
            except NotImplementedError:
                pass
        return self.value_of(accessible)

    @staticmethod
    def value_of(accessible):
        try:
            return str(round(accessible.queryValue().currentValue))
        except NotImplementedError:
            return ""

    def pump(self, seconds):
        end = time.time() + seconds
        while True:
            while self.context.iteration(False):
                pass
            if time.time() >= end:
                return
            time.sleep(0.005)

    def application(self, name, timeout=20.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            self.pump(0.1)
            for app in self.pyatspi.Registry.getDesktop(0):
                if app is not None and app.name == name:
                    return app
        raise AssertionError(f"no application named {name} reached the registry")


def walk(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from walk(child)


class ScreenReader(unittest.TestCase):
    def setUp(self):
        os.environ.update(QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.screen = Screen(BINARY)
        self.manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.screen.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        import pyatspi  # once the program runs: the registry then lists it
        self.pyatspi = pyatspi
        self.listener = Listener(pyatspi)
        self.app = self.listener.application("KADRO")
        self.window = self.app[0]
        self.wait_until_still()
        self.screen.run("xdotool", "windowactivate", "--sync", self.screen.window)
        self.listener.pump(0.3)
        self.keys = 0

    def tearDown(self):
        self.manager.kill()
        self.manager.wait()
        self.screen.close()

    def find(self, role, name):
        found = [a for a in walk(self.window) if a.getRoleName() == role and a.name == name]
        self.assertEqual(len(found), 1, f"{role} {name!r}")
        return found[0]

    def swatch_names(self):
        return [a.name for a in walk(self.window) if a.getRoleName() == "push button" and " cube" in a.name]

    def wait_until_still(self):
        """The start-up animation is over after a second and a half, every colour at 200 cubes."""
        self.listener.pump(max(0.0, self.screen.started + 1.5 - time.time()))
        deadline = time.time() + 10
        while time.time() < deadline:
            self.listener.pump(0.2)
            if all(name.endswith(", 200 cubes") for name in self.swatch_names()):
                return
        self.fail(f"the animation never ended: {self.swatch_names()}")

    def key(self, key, says=None):
        """Presses a key; with `says`, waits for the screen reader to say it, as its last words."""
        del self.listener.said[:]
        self.screen.run("xdotool", "key", key)
        self.keys += 1
        deadline = time.time() + 5
        while True:
            self.listener.pump(0.02)
            said = self.listener.said
            if says is None or (said and said[-1] == says) or time.time() > deadline:
                break
        if says is not None:
            self.assertEqual(said[-1:], [says], f"after {key}")
        else:
            self.listener.pump(0.05)

    def test_the_tree_names_roles_values_and_events(self):
        self.assertEqual((self.window.getRoleName(), self.window.name), ("frame", "KADRO"))
        everything = list(walk(self.window))
        for accessible in everything:
            self.assertTrue(accessible.getState().contains(self.pyatspi.STATE_SHOWING),
                            f"{accessible.getRoleName()} {accessible.name!r} is offered but not shown")
        roles = [a.getRoleName() for a in everything]
        self.assertEqual(roles.count("scroll bar"), 1)  # the two hidden bars are not offered
        self.assertNotIn("text", roles)  # nor the hidden edit box
        names = {a.name for a in everything}
        self.assertFalse({"button1", "Button8", "Button10"} & names)
        self.assertEqual(self.swatch_names(), [f"{c}, 200 cubes" for c in ("Yellow", "Lime", "Aqua", "Fuchsia", "Red")])
        self.find("push button", "Close")
        size = self.find("scroll bar", "Size")
        layer = self.find("spin button", "Depth layer")
        self.assertEqual([a.name for a in layer], ["One layer back", "One layer forward"])
        value = layer.queryValue()
        self.assertEqual((value.currentValue, value.minimumValue, value.maximumValue), (1, 1, 10))
        self.assertEqual(size.queryValue().currentValue, 10)
        area = self.find("filler", "Drawing area, placing yellow")
        self.assertEqual(area.description, "Size 10 x 10 x 10, layer 1, 1000 cubes visible")

        # Each change of size and layer, whatever made it, is one value event with the new value.
        del self.listener.values[:]
        self.key("plus")  # from anywhere
        self.key("Right", says="12")  # on the focused size bar, which speaks its value
        self.key("Prior")
        self.key("Prior")
        self.key("Next")
        layer.queryValue().currentValue = 4  # a screen reader setting the spin box's value
        self.listener.pump(0.3)
        self.assertEqual(self.listener.values, [("Size", "11"), ("Size", "12"), ("Depth layer", "2"),
                                                ("Depth layer", "3"), ("Depth layer", "2"),
                                                ("Depth layer", "4")])  # one value set, one event
        text = layer.queryText()
        self.assertEqual((value.maximumValue, text.getText(0, text.characterCount)), (12, "Layer 4 of 12"))

        # CLEAR and the red swatch through their press actions.
        red = [a for a in walk(self.window) if a.name.startswith("Red, ")]
        for control in (self.find("push button", "CLEAR"), *red):
            action = control.queryAction()
            action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))
        self.listener.pump(0.3)
        self.assertEqual(self.swatch_names()[4], "Red, 0 cubes")  # of the visible block, layers 4 to 12

        # The cell cursor: focus and description say the cell after every move and Enter.
        self.key("Shift+Tab", says="Drawing area, placing red, Size 12 x 12 x 12, layer 4, 0 cubes visible")
        self.key("Left", says="Column 7, row 7, layer 4: empty")  # the first press shows it at the centre
        self.key("Left", says="Column 6, row 7, layer 4: empty")
        self.key("Down", says="Column 6, row 6, layer 4: empty")
        self.key("Return", says="Red placed")
        self.assertEqual(self.swatch_names()[4], "Red, 1 cube")
        self.key("Escape", says="Cell cursor hidden")
        # From a button the arrows take the focus along, and it says the cell first.
        self.key("Tab")
        self.key("Tab")
        self.key("Tab", says="CLEAR, push button, Empties the visible block (Ctrl+Z undoes it)")
        self.key("Up", says="Column 7, row 7, layer 4: empty")
        self.key("5", says="Placing red")  # a colour that is already chosen is said too
        self.key("Page_Up", says="Layer 5 of 12, column 7, row 7: empty")


def main():
    global BINARY
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    args, rest = parser.parse_known_args()
    BINARY = os.path.abspath(args.binary)
    daemon, why = start_registry()
    if daemon is None:
        print(f"SKIPPED: {why}; a screen reader cannot be tried here")
        sys.exit(SKIPPED)
    try:
        program = unittest.main(argv=[sys.argv[0]] + rest, verbosity=2, exit=False,
                                warnings="ignore")  # pyatspi warns of its own deprecations
    finally:
        daemon.kill()
        shutil.rmtree(os.environ["XDG_RUNTIME_DIR"], ignore_errors=True)
    sys.exit(0 if program.result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
