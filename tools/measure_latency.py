#!/usr/bin/env python3
"""Press-to-pixels latency of the real program under Xvfb, side by side with a floor: a minimal Qt
window that repaints itself at once when pressed (tools/latency_floor.cpp), and beside both the
least a program can do, a window that repaints only a small square where it is pressed. Each press is timed
by tools/press_latency.cpp, from the press sent to the first change of the screen's pixel under
the pointer. KADRO is pressed on the top faces of empty cells of an empty layer, each press after
the frame timer has gone to sleep, as a user's first click after a pause.

    tools/measure_latency.py BUILD_FOLDER [presses]     (build with -DKADRO_TESTS=ON)
Prints both medians and their ratio; exits 1 when KADRO's median is over 1.5 times the floor's."""
import os
import statistics
import subprocess
import sys
import time

import harness

GOAL = 1.5


def presses(screen, timer, points, pause=0.1):
    times = []
    for x, y in points:
        time.sleep(pause)
        out = subprocess.run([timer, str(x), str(y)], env=screen.env, capture_output=True, text=True, check=True)
        times.append(float(out.stdout))
    return times


def summary(name, times):
    return f"{name}: median {statistics.median(times):.2f} ms ({min(times):.2f} to {max(times):.2f}, {len(times)} presses)"


def floor_presses(build, timer, count, *args):
    floor = harness.Screen(os.path.join(build, "tools", "latency_floor"), name="^KADRO latency floor$", args=args)
    try:
        time.sleep(0.5)  # mapped and painted
        left, top, _, _ = floor.geometry()
        return presses(floor, timer, [(left + 20 + 12 * (i % 40), top + 20 + 12 * (i // 40)) for i in range(count)])
    finally:
        floor.close()


def measure(build, count=30):
    """Times of KADRO, of the floor window, and of the square-only window."""
    timer = os.path.join(build, "tools", "press_latency")
    floor_times = floor_presses(build, timer, count)
    square_times = floor_presses(build, timer, count, "--square")
    screen = harness.Screen(os.path.join(build, "kadro"))
    try:
        time.sleep(1.5)  # the start-up animation
        screen.click_in_window(312 + 24, 544 + 8)  # CLEAR: every cell of the block empty
        left, top, _, _ = screen.geometry()
        x0, y0 = left + harness.IMAGE1[0], top + harness.IMAGE1[1]
        # The top faces of the cells of layer 1 at size 10 (cells of 26 pixels), one after another.
        cells = [(column, row) for row in range(10) for column in range(10)][:count]
        kadro_times = presses(screen, timer, [(x0 + 10 + 26 * c + 26, y0 + 400 - 26 * r - 26) for c, r in cells])
    finally:
        screen.close()
    return kadro_times, floor_times, square_times


def main():
    build = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    kadro_times, floor_times, square_times = measure(build, count)
    print(summary("KADRO", kadro_times))
    print(summary("minimal Qt window", floor_times))
    print(summary("minimal Qt window repainting a square only", square_times))
    ratio = statistics.median(kadro_times) / statistics.median(floor_times)
    print(f"ratio {ratio:.2f} (goal at most {GOAL})")
    return 0 if ratio <= GOAL else 1


if __name__ == "__main__":
    sys.exit(main())
