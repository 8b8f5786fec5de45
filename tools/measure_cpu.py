#!/usr/bin/env python3
"""CPU use of the real program under Xvfb, from /proc: left alone after the start-up animation,
and under a steady stream of clicks on a full size-20 block.

    tools/measure_cpu.py build-release/kadro [seconds]"""
import os
import random
import sys
import time

import harness

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime, stime


def measure(screen, seconds, action=None, per_second=4):
    start_cpu, start = cpu_seconds(screen.program.pid), time.time()
    while time.time() - start < seconds:
        if action:
            action()
        time.sleep(1.0 / per_second)
    used = cpu_seconds(screen.program.pid) - start_cpu
    return used, used / (time.time() - start) * 100


def main():
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20
    screen = harness.Screen(sys.argv[1])
    try:
        time.sleep(1.5)  # the animation
        used, share = measure(screen, seconds)
        print(f"left alone:   {used:6.2f} CPU s in {seconds:.0f} s = {share:5.1f} % of one core")
        for _ in range(10):  # size 20
            screen.click_in_window(192 + 81 - 6, 544 + 12)
        screen.click_in_window(312 + 24, 560 + 8)  # FILL
        generator = random.Random(1)
        colour = [0]

        def click():
            colour[0] = colour[0] % 5 + 1
            screen.click_in_window(8 + 24 * (colour[0] - 1) + 12, 512 + 12)
            screen.click_in_window(8 + generator.randrange(20, 390), 88 + generator.randrange(20, 390))

        used, share = measure(screen, seconds, click, per_second=2)
        print(f"click stream: {used:6.2f} CPU s in {seconds:.0f} s = {share:5.1f} % of one core "
              f"(4 clicks a second on a full size-20 block)")
    finally:
        screen.close()


if __name__ == "__main__":
    main()
