#!/usr/bin/env python3
"""CPU use and wakeups of the real program under Xvfb, from /proc: left alone after the start-up
animation, and under a steady stream of clicks on a full size-20 block. Wakeups are the
voluntary context switches of all the program's threads: each one is the process going to sleep
after having been woken.

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
    """CPU seconds, CPU share of one core and wakeups per second over `seconds`."""
    pid = screen.program.pid
    start_cpu, start_wakeups, start = cpu_seconds(pid), harness.wakeups(pid), time.time()
    while time.time() - start < seconds:
        if action:
            action()
        time.sleep(1.0 / per_second)
    elapsed = time.time() - start
    used = cpu_seconds(pid) - start_cpu
    return used, used / elapsed * 100, (harness.wakeups(pid) - start_wakeups) / elapsed


def main():
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20
    screen = harness.Screen(sys.argv[1])
    try:
        time.sleep(1.5)  # the animation
        used, share, rate = measure(screen, seconds)
        print(f"left alone:   {used:6.2f} CPU s in {seconds:.0f} s = {share:5.1f} % of one core, "
              f"{rate:6.1f} wakeups/s")
        for _ in range(10):  # size 20
            screen.click_in_window(192 + 81 - 6, 544 + 12)
        screen.click_in_window(312 + 24, 560 + 8)  # FILL
        generator = random.Random(1)
        colour = [0]

        def click():
            colour[0] = colour[0] % 5 + 1
            screen.click_in_window(8 + 24 * (colour[0] - 1) + 12, 512 + 12)
            screen.click_in_window(8 + generator.randrange(20, 390), 88 + generator.randrange(20, 390))

        used, share, rate = measure(screen, seconds, click, per_second=2)
        print(f"click stream: {used:6.2f} CPU s in {seconds:.0f} s = {share:5.1f} % of one core, "
              f"{rate:6.1f} wakeups/s (4 clicks a second on a full size-20 block)")
    finally:
        screen.close()


if __name__ == "__main__":
    main()
