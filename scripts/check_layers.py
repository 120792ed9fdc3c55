#!/usr/bin/env python3
"""Fails when a source file includes a header of a room above its own, or of a sibling room.

The rooms, bottom to top: platform, display, tunnel, flight, then the programs'
own rooms side by side (shell for orbalt.exe, saver for orbalt.scr, drawbench
for orbalt-bench.exe), and the programs' composition roots on top. A room may include its own headers and
those of the rooms below it.

Usage: check_layers.py [SOURCE_ROOT]   (default: the repository this script is in)
"""
import os
import re
import sys

# Each room's layer. Rooms of one layer are siblings that may not include
# each other: the shell (orbalt.exe's room), the saver (orbalt.scr's) and
# drawbench (orbalt-bench.exe's portable logic).
# The programs' composition roots sit on top.
LAYERS = {
    "platform": 0,
    "display": 1,
    "tunnel": 2,
    "flight": 3,
    "shell": 4,
    "saver": 4,
    "drawbench": 4,
    "programs": 5,
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_ENDINGS = (".h", ".cpp", ".c")


def violations(root):
    for room, level in LAYERS.items():
        for folder, _, files in os.walk(os.path.join(root, room)):
            for name in sorted(files):
                if not name.endswith(SOURCE_ENDINGS):
                    continue
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, root).replace(os.sep, "/")
                with open(path, encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        header = match.group(1)
                        target = header.split("/", 1)[0]
                        if target in LAYERS and target != room and LAYERS[target] >= level:
                            where = "above it" if LAYERS[target] > level else "beside it"
                            yield "%s:%d: %s includes %s, a room %s" % (relative, number, room, header, where)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    found = list(violations(os.path.abspath(root)))
    for line in found:
        print(line)
    print("%d include(s) against the layers" % len(found))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
