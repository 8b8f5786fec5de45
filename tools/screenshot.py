#!/usr/bin/env python3
"""Takes the README's pictures: the main window after the start-up animation with a few cubes
cut away, and the main window with the About window open.

    tools/screenshot.py build/kadro docs"""
import os
import subprocess
import sys
import time

import harness


def main():
    folder = sys.argv[2] if len(sys.argv) > 2 else "docs"
    os.makedirs(folder, exist_ok=True)
    screen = harness.Screen(sys.argv[1], size=(1600, 900))  # room for both windows side by side
    try:
        time.sleep(1.5)  # the animation
        screen.click_in_window(264, 518)  # one layer up: the front layer cut away
        time.sleep(0.3)
        left, top, width, height = screen.geometry()
        main_png = os.path.join(folder, "kadro.png")
        subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}", "+repage", main_png],
                       env=screen.env, check=True)
        screen.click_in_window(492, 560)  # ABOUT KADRO
        about = screen.wait_for_window("^ABOUT KADRO$")
        screen.run("xdotool", "windowmove", about, str(left + width + 8), str(top + 8))
        time.sleep(0.5)
        a_left, a_top, a_width, a_height = screen.geometry(about)
        right, bottom = max(left + width, a_left + a_width), max(top + height, a_top + a_height)
        both_png = os.path.join(folder, "kadro-about.png")
        subprocess.run(["import", "-window", "root", "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                        "+repage", both_png], env=screen.env, check=True)
        print(f"wrote {main_png} and {both_png}")
    finally:
        screen.close()


if __name__ == "__main__":
    main()
