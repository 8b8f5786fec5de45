#!/usr/bin/env python3
"""Draws the KADRO logo: the name in block capitals built from square tiles in the five
palette colours on black, written as a progressive colour JPEG through ImageMagick; and the
application icon from the same tiles, as PNGs of the usual sizes and as SVG.

    tools/make_logo.py assets/logo.jpg [icon folder]

Not part of the build; run it by hand after changing the design, and commit the output."""
import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 331, 130
PITCH, TILE = 11, 10  # one tile every 11 pixels, 10 of them coloured
# Yellow, fuchsia, lime, aqua, red.
PALETTE = [(255, 255, 0), (255, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0)]
LETTERS = {
    "K": ["X...X", "X..X.", "X.X..", "XX...", "X.X..", "X..X.", "X...X"],
    "A": [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "D": ["XXXX.", "X...X", "X...X", "X...X", "X...X", "X...X", "XXXX."],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
}


def tiles(word):
    """Yields (column, row) of every tile of the word, one blank column between letters."""
    for index, letter in enumerate(word):
        for row, line in enumerate(LETTERS[letter]):
            for column, mark in enumerate(line):
                if mark == "X":
                    yield index * 6 + column, row


def picture(word="KADRO"):
    pixels = [[(0, 0, 0)] * WIDTH for _ in range(HEIGHT)]
    columns = len(word) * 6 - 1
    left = (WIDTH - columns * PITCH + (PITCH - TILE)) // 2
    top = (HEIGHT - 7 * PITCH + (PITCH - TILE)) // 2
    for column, row in tiles(word):
        colour = PALETTE[(column + row) % len(PALETTE)]  # diagonal stripes, as the block shows them
        for y in range(top + row * PITCH, top + row * PITCH + TILE):
            for x in range(left + column * PITCH, left + column * PITCH + TILE):
                pixels[y][x] = colour
    return pixels


# The icon: a 4 x 4 block of tiles in the diagonal colour stripes of the logo and the animation.
ICON_TILES = 4
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
ICON_NAME = "org.example.Kadro"


def icon_tiles():
    for row in range(ICON_TILES):
        for column in range(ICON_TILES):
            yield column, row, PALETTE[(column + row) % len(PALETTE)]


def write_svg(path):
    unit = 64  # pitch; tiles 56 with a gap of 8, on a black rounded square
    size = ICON_TILES * unit + 8
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 {size} {size}">',
             f'<rect width="{size}" height="{size}" rx="24" fill="#000"/>']
    for column, row, (r, g, b) in icon_tiles():
        parts.append(f'<rect x="{8 + column * unit}" y="{8 + row * unit}" width="56" height="56" '
                     f'fill="#{r:02x}{g:02x}{b:02x}"/>')
    parts.append("</svg>")
    with open(path, "w") as f:
        f.write("\n".join(parts) + "\n")


def write_pngs(svg, folder):
    for size in ICON_SIZES:
        target = os.path.join(folder, f"{size}x{size}")
        os.makedirs(target, exist_ok=True)
        subprocess.run(["convert", "-background", "none", "-density", "300", svg, "-resize", f"{size}x{size}",
                        "-strip", os.path.join(target, ICON_NAME + ".png")], check=True)


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else "assets/logo.jpg"
    if len(sys.argv) > 2:
        icons = sys.argv[2]
        os.makedirs(os.path.join(icons, "scalable"), exist_ok=True)
        svg = os.path.join(icons, "scalable", ICON_NAME + ".svg")
        write_svg(svg)
        write_pngs(svg, icons)
    with tempfile.TemporaryDirectory() as folder:
        ppm = os.path.join(folder, "logo.ppm")
        with open(ppm, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (WIDTH, HEIGHT))
            for line in picture():
                f.write(bytes(value for pixel in line for value in pixel))
        subprocess.run(["convert", ppm, "-strip", "-interlace", "Plane", "-quality", "95",
                        "-sampling-factor", "1x1", "-density", "72", "-units", "PixelsPerInch",
                        output], check=True)


if __name__ == "__main__":
    main()
