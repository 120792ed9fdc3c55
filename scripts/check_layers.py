#!/usr/bin/env python3
"""Fails when a source file includes a header of a room above its own.

The rooms, bottom to top: platform, display, tunnel, flight, shell. A room may
include its own headers and those of the rooms below it. The one exception is
the Windows entry point, the composition root, which calls the shell.

Usage: check_layers.py [SOURCE_ROOT]   (default: the repository this script is in)
"""
import os
import re
import sys

ROOMS = ["platform", "display", "tunnel", "flight", "shell"]
EXCEPTIONS = {("platform/win32/entry.cpp", "shell/program.h")}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_ENDINGS = (".h", ".cpp", ".c")


def violations(root):
    for level, room in enumerate(ROOMS):
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
                        if target in ROOMS and ROOMS.index(target) > level and \
                                (relative, header) not in EXCEPTIONS:
                            yield "%s:%d: %s includes %s, a room above it" % (relative, number, room, header)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    found = list(violations(os.path.abspath(root)))
    for line in found:
        print(line)
    print("%d include(s) against the layers" % len(found))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
