#!/usr/bin/env python3
"""The folders' include graph points one way: model knows only itself; render knows the model;
image knows only itself; nothing outside the tests and the benchmark includes a test header, so
the reference painter cannot creep into the program. Within ui/, the platform's glue knows only
itself, the windows as designed (form/) know only themselves and the platform, and the additions
never reach the top (main, main_window), which attaches them; and the units (a .h with its .cpp)
include each other without a cycle, so the additions use Unit1 and never the other way round.

    layers_test.py SOURCE_FOLDER"""
import os
import re
import sys

ALLOWED = {
    "model": {"model"},
    "render": {"model", "render"},
    "image": {"image"},
    "assets": {"assets"},
    "ui": {"model", "render", "image", "assets", "ui"},
}
# Within ui/: what each folder's files may include of ui/ (the top, ui/ itself, includes all).
UI_ALLOWED = {
    "platform": ("ui/platform/",),
    "form": ("ui/form/", "ui/platform/"),
    "additions": ("ui/form/", "ui/platform/", "ui/additions/"),
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def main():
    top = sys.argv[1]
    tests = set(os.listdir(os.path.join(top, "tests")))
    wrong = []
    for folder, allowed in ALLOWED.items():
        for name in sources(top, folder):
            within = name.split("/")[0] if "/" in name else ""
            with open(os.path.join(top, folder, name)) as f:
                for included in INCLUDE.findall(f.read()):
                    if folder == "ui" and within and included.startswith("ui/") and not included.startswith(
                            UI_ALLOWED[within]):
                        wrong.append(f"ui/{name} includes {included}: ui/{within}/ may include only "
                                     f"{', '.join(UI_ALLOWED[within])}")
                    head = included.split("/")[0]
                    if "/" not in included and (included in tests or not included.startswith("ui_")):
                        wrong.append(f"{folder}/{name} includes {included}, not a header of the layers")
                    elif "/" in included and head not in allowed:
                        wrong.append(f"{folder}/{name} includes {included}: {folder} may include only {sorted(allowed)}")
    wrong += ui_cycles(top)
    for line in wrong:
        print(line)
    return 1 if wrong else 0


def sources(top, folder):
    """The C++ files of a folder and the folders below it, as paths within it."""
    found = []
    for root, _, names in os.walk(os.path.join(top, folder)):
        for name in names:
            if name.endswith((".h", ".cpp")):
                found.append(os.path.relpath(os.path.join(root, name), os.path.join(top, folder)))
    return sorted(found)


def ui_cycles(top):
    """The include graph of ui/'s units, a unit being a file's path within ui/ without its extension."""
    folder = os.path.join(top, "ui")
    uses = {}
    for name in sources(top, "ui"):
        unit = os.path.splitext(name)[0]
        with open(os.path.join(folder, name)) as f:
            for included in INCLUDE.findall(f.read()):
                if included.startswith("ui/"):
                    other = os.path.splitext(included[3:])[0]
                    if other != unit:
                        uses.setdefault(unit, set()).add(other)
    wrong, done, path = [], set(), []

    def visit(unit):
        if unit in path:
            wrong.append("ui/ units include each other in a circle: " + " -> ".join(path[path.index(unit):] + [unit]))
            return
        if unit in done:
            return
        path.append(unit)
        for other in sorted(uses.get(unit, ())):
            visit(other)
        path.pop()
        done.add(unit)

    for unit in sorted(uses):
        visit(unit)
    return wrong


if __name__ == "__main__":
    sys.exit(main())
