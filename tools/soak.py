#!/usr/bin/env python3
"""Runs the real program under Xvfb with random input (clicks on the drawing area and the
controls, drags by the background, the About window) and reports its resident memory at start
and end, the CPU seconds it used, and whether it is still running.

    tools/soak.py build/kadro [seconds] [--max-growth-mib N] [--seed S]

Exits 1 when the program died or its memory grew by more than the limit."""
import argparse
import os
import random
import sys
import time

import harness

TICKS = os.sysconf("SC_CLK_TCK")


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


CONTROLS = {  # window positions of the controls' centres
    "swatches": [(8 + 24 * i + 12, 524) for i in range(5)],
    "buttons": [(372, 524), (488, 524), (336, 552), (336, 568), (404, 552), (404, 568)],
    "updown": [(264, 518), (264, 531)],
    "size": [(198, 556), (267, 556)],
    "about": [(492, 560)],
}


def act(screen, generator):
    roll = generator.random()
    if roll < 0.5:
        x, y = generator.randrange(0, 545), generator.randrange(88, 505)
        screen.click_in_window(x, y, generator.choice([1, 2, 3]))
    elif roll < 0.85:
        group = generator.choice(["swatches", "buttons", "updown", "size"])
        screen.click_in_window(*generator.choice(CONTROLS[group]))
    elif roll < 0.95:
        left, top, _, _ = screen.geometry()
        screen.run("xdotool", "mousemove", str(left + 100), str(top + 40), "mousedown", "1",
                   "mousemove", str(left + 100 + generator.randrange(-5, 6)), str(top + 40 + generator.randrange(-5, 6)),
                   "mouseup", "1")
        screen.run("xdotool", "windowmove", screen.window, str(harness.START[0]), str(harness.START[1]))
    else:
        screen.click_in_window(*CONTROLS["about"][0])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("seconds", type=float, nargs="?", default=60)
    parser.add_argument("--max-growth-mib", type=float, default=None)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    generator = random.Random(args.seed)
    screen = harness.Screen(args.binary)
    try:
        time.sleep(1.5)  # the animation
        for _ in range(50):  # every kind of input once before measuring, so first-use caches are in
            act(screen, generator)
        pid = screen.program.pid
        start_rss, start_cpu, start = resident_kib(pid), cpu_seconds(pid), time.time()
        actions = 0
        while time.time() - start < args.seconds and screen.program.poll() is None:
            act(screen, generator)
            actions += 1
        alive = screen.program.poll() is None
        end_rss = resident_kib(pid) if alive else 0
        used = cpu_seconds(pid) - start_cpu if alive else float("nan")
        growth = (end_rss - start_rss) / 1024
        print(f"soak: {actions} actions in {time.time() - start:.0f} s (seed {args.seed}); "
              f"resident {start_rss / 1024:.1f} MiB at start, {end_rss / 1024:.1f} MiB at end "
              f"({growth:+.2f} MiB); {used:.2f} CPU s; {'still running' if alive else 'DIED'}")
        if not alive or (args.max_growth_mib is not None and growth > args.max_growth_mib):
            return 1
        return 0
    finally:
        screen.close()


if __name__ == "__main__":
    sys.exit(main())
