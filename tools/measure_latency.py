#!/usr/bin/env python3
"""Press-to-pixels latency of the real program under Xvfb, side by side with a floor: a minimal Qt
window that repaints itself at once when pressed (tools/latency_floor.cpp), and beside both the
least a program can do, a window that repaints only a small square where it is pressed. Each press is timed
by tools/press_latency.cpp, from the press sent to the first change of the screen's pixel under
the pointer. KADRO is pressed on the top faces of empty cells of an empty layer, each press after
the frame timer has gone to sleep, as a user's first click after a pause. The three windows run
at once and take their presses in turn.

    tools/measure_latency.py BUILD_FOLDER [presses] [--brush | --attach]  (build with -DKADRO_TESTS=ON)
Prints both medians and their ratio; exits 1 when KADRO's median is over 1.5 times the floor's.

With --brush, a brush stroke instead: each window is pressed on one point and, with the button
down, the pointer moved to the next cell (KADRO with its brush, B); the time is from the move sent
to the first change of the pixel there.

With --attach, KADRO's attach tool (A): yellow cubes are put on rows 0, 2, 4, 6 and 8 of layer 1
first (at most 50 presses), and each press lands on the upper face of one of them, where the red
cube it puts above shows."""
import os
import statistics
import subprocess
import sys
import time

import harness

GOAL = 1.5


def press(screen, timer, point):
    out = subprocess.run([timer, *map(str, point)], env=screen.env, capture_output=True, text=True, check=True)
    return float(out.stdout)


def summary(name, times):
    return f"{name}: median {statistics.median(times):.2f} ms ({min(times):.2f} to {max(times):.2f}, {len(times)} presses)"


def measure(build, count=30, brush=False, attach=False):
    """Times of KADRO, of the floor window, and of the square-only window. The three run at once,
    each on its own X server, and take their presses in turn, so that a machine busier for a
    while slows all three alike."""
    timer = os.path.join(build, "tools", "press_latency")
    floor_program = os.path.join(build, "tools", "latency_floor")
    screens = []
    try:
        for args in ((), ("--square",)):
            screens.append(harness.Screen(floor_program, name="^KADRO latency floor$", args=args))
        kadro = harness.Screen(os.path.join(build, "kadro"))
        screens.append(kadro)
        if kadro.wait_until_still() is None:
            raise AssertionError("the start-up animation never ended")
        kadro.click_in_window(312 + 24, 544 + 8)  # CLEAR: every cell of the block empty
        points = []
        for screen in screens[:2]:
            left, top, _, _ = screen.geometry()
            at = [(left + 20 + 12 * (i % 40), top + 20 + 12 * (i // 40)) for i in range(2 * count)]
            points.append([("--drag", *at[2 * i], *at[2 * i + 1]) for i in range(count)] if brush else at[:count])
        left, top, _, _ = kadro.geometry()
        x0, y0 = left + harness.IMAGE1[0], top + harness.IMAGE1[1]
        # The top faces of the cells of layer 1 at size 10 (cells of 26 pixels), one after another;
        # with --brush, a stroke from one cell to the next (at most 50 strokes).
        face = [(x0 + 10 + 26 * c + 26, y0 + 400 - 26 * r - 26) for r in range(10) for c in range(10)]
        if brush:
            kadro.run("xdotool", "windowfocus", "--sync", kadro.window, "key", "b")
            points.append([("--drag", *face[2 * i], *face[2 * i + 1]) for i in range(count)])
        elif attach:
            bases = [(c, r) for r in (0, 2, 4, 6, 8) for c in range(10)][:count]
            kadro.run("xdotool", "windowfocus", "--sync", kadro.window, "key", "1")
            for c, r in bases:
                kadro.click(*face[10 * r + c])
            kadro.run("xdotool", "key", "5", "a")
            # A point of each base cube's upper face: above its front square, whose top row is 27
            # pixels above the stack's corner.
            points.append([(x0 + 10 + 26 * c + 9, y0 + 400 - 26 * r - 31) for c, r in bases])
        else:
            points.append(face[:count])
        times = [[], [], []]
        for i in range(count):
            for screen, at, taken in zip(screens, points, times):
                time.sleep(0.1)  # KADRO's frame timer asleep again, as before a user's click
                taken.append(press(screen, timer, at[i]))
    finally:
        for screen in screens:
            screen.close()
    floor_times, square_times, kadro_times = times
    return kadro_times, floor_times, square_times


def main():
    brush, attach = "--brush" in sys.argv, "--attach" in sys.argv
    args = [arg for arg in sys.argv[1:] if arg not in ("--brush", "--attach")]
    build = args[0]
    count = int(args[1]) if len(args) > 1 else 30
    if attach:
        count = min(count, 50)
    kadro_times, floor_times, square_times = measure(build, count, brush, attach)
    print(summary("KADRO" + (", brush stroke" if brush else ", attach" if attach else ""), kadro_times))
    print(summary("minimal Qt window", floor_times))
    print(summary("minimal Qt window repainting a square only", square_times))
    ratio = statistics.median(kadro_times) / statistics.median(floor_times)
    print(f"ratio {ratio:.2f} (goal at most {GOAL})")
    return 0 if ratio <= GOAL else 1


if __name__ == "__main__":
    sys.exit(main())
