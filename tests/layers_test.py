#!/usr/bin/env python3
"""The folders' include graph points one way: model knows only itself; render knows the model;
image knows only itself; nothing outside the tests and the benchmark includes a test header, so
the reference painter cannot creep into the program.

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
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def main():
    top = sys.argv[1]
    tests = set(os.listdir(os.path.join(top, "tests")))
    wrong = []
    for folder, allowed in ALLOWED.items():
        for name in sorted(os.listdir(os.path.join(top, folder))):
            if not name.endswith((".h", ".cpp")):
                continue
            with open(os.path.join(top, folder, name)) as f:
                for included in INCLUDE.findall(f.read()):
                    head = included.split("/")[0]
                    if "/" not in included and (included in tests or not included.startswith("ui_")):
                        wrong.append(f"{folder}/{name} includes {included}, not a header of the layers")
                    elif "/" in included and head not in allowed:
                        wrong.append(f"{folder}/{name} includes {included}: {folder} may include only {sorted(allowed)}")
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
