#!/usr/bin/env python3
"""Takes the README's pictures: the main window after the start-up animation with a few cubes
cut away, the main window with the About window open, and a house pasted in and drawn with edges.

    tools/screenshot.py build/kadro docs"""
import os
import subprocess
import sys
import time

import harness


def house():
    """A 7 x 7 x 7 house as design text: yellow walls with a door and two aqua windows in front,
    a red roof in three steps."""
    cells = {}
    for layer in range(1, 8):
        for column in range(7):
            for row in range(4):
                if column in (0, 6) or layer in (1, 7):
                    cells[column, row, layer] = "Y"
    for row in (0, 1):
        del cells[3, row, 1]
    cells[1, 2, 1] = cells[5, 2, 1] = "A"
    for step, row in enumerate((4, 5, 6)):
        for column in range(step, 7 - step):
            for layer in range(1, 8):
                cells[column, row, layer] = "R"
    text = "KADRO design\nsize 7\n"
    for layer in range(1, 8):
        text += f"layer {layer}\n"
        for row in range(6, -1, -1):
            text += "".join(cells.get((column, row, layer), ".") for column in range(7)) + "\n"
    return text


def house_with_edges(binary, folder):
    screen = harness.Screen(binary, size=(800, 700))
    try:
        if not screen.wait_until_still():
            raise AssertionError("the start-up animation did not end")
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=house(), text=True, env=screen.env,
                       check=True)
        screen.run("xdotool", "windowfocus", "--sync", screen.window)
        screen.run("xdotool", "key", "ctrl+v", "o")
        screen.pointer_away()
        time.sleep(0.5)
        left, top, width, height = screen.geometry()
        png = os.path.join(folder, "house-with-edges.png")
        subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}", "+repage", png],
                       env=screen.env, check=True)
        print(f"wrote {png}")
    finally:
        screen.close()


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
    house_with_edges(sys.argv[1], folder)


if __name__ == "__main__":
    main()
