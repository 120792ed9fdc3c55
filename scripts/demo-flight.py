#!/usr/bin/env python3
"""A short demo flight of build/windows/bin/orbalt.exe on a private Xvfb, for
machines without a display (./run.sh runs it when DISPLAY is unset).

It closes the About box, switches the information display on (the `i` key),
holds the left mouse button (fly forward) while nudging the mouse to the right
(turn a little), saves a screenshot a second into a new folder
build/demo-flight-<date>-<time>/, and quits with Escape. It prints the folder,
the number of screenshots and the frame rate the program showed while flying,
and exits with the program's exit code (1 should a step not come about).
Arguments are passed to the program (a section file).

The program is driven through tests/e2e/harness.py, as the end-to-end tests
drive it: every step waits on what the program shows, with a timeout.

Environment:
  ORBALT_DEMO_SECONDS  flight time in seconds, one screenshot each (default 6)
  ORBALT_DEMO_OUT      where the screenshot folder is made (default build/)
  ORBALT_DEMO_PREFIX   the Wine prefix (default build/demo-prefix, created once)
  ORBALT_BIN_DIR       the program directory (default build/windows/bin)
"""

import os
import subprocess
import sys
import threading
import time
from datetime import datetime

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from harness import (TEXT_ROWS, E2EError, Session, changed_fraction,  # noqa: E402
                     prefix_ready, wait_until)

ABOUT = r"^Orbalt, the demo$"
MAIN = r"^orbalt$"
INFO_TITLE = r"^z -?[0-9]"  # the title line the information display writes every frame
TURN_STEP_PX = 2            # mouse step to the right, five a second
TURN_INTERVAL_S = 0.2
MIN_CHANGED_SHARE = 0.02    # share of scene pixels that must differ between two shots
START_TIMEOUT_S = 60        # a first start on a cold, busy machine


def log(text):
    print("demo-flight: " + text, flush=True)


class TitleCounter:
    """Counts the rewrites of a window's title: with the information display on,
    the program writes its title line once a frame."""

    def __init__(self, session, window):
        # xprop prints a line for every change of the property; stdbuf keeps
        # its output unbuffered so that each line arrives when it happens.
        self.process = subprocess.Popen(
            ["stdbuf", "-oL", "xprop", "-spy", "-id", window, "WM_NAME"],
            env=session.env(), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        session.processes.append((self.process, "xprop -spy"))
        self.times = []
        self.reader = threading.Thread(target=self.read, daemon=True)
        self.reader.start()

    def read(self):
        for _ in self.process.stdout:
            self.times.append(time.monotonic())

    def rate(self, start, end):
        """Title rewrites per second between two moments."""
        count = sum(1 for moment in self.times if start <= moment < end)
        return count / (end - start) if end > start else 0.0

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        self.reader.join(timeout=10)


def new_shot_folder():
    parent = os.environ.get("ORBALT_DEMO_OUT") or os.path.join(ROOT, "build")
    base = os.path.join(parent, datetime.now().strftime("demo-flight-%Y%m%d-%H%M%S"))
    folder, number = base, 1
    while os.path.exists(folder):  # two runs within one second
        number += 1
        folder = "%s-%d" % (base, number)
    return folder


def start_flight(program, args):
    """Closes the About box and switches the information display on; returns the
    program window once it shows the title line."""
    program.wait_for_window(ABOUT, timeout=START_TIMEOUT_S)
    program.close_box(ABOUT)  # a key here would reach the program window too
    window = program.wait_for_window(MAIN, timeout=START_TIMEOUT_S)
    try:
        program.wait_for_console("nSegments", timeout=START_TIMEOUT_S)  # the tunnel is built
    except E2EError:
        source = " ".join(args) or "test.sct"
        raise E2EError("no tunnel was built from %s (its message boxes are in stderr.txt)" % source)
    session = program.session
    program.press_until(MAIN, "i", lambda: session.windows(INFO_TITLE), "the information title line")
    return window


def scene_changed(session, window, before):
    """The window's picture when its scene differs from `before`, else None."""
    after = session.window_pixels(window)
    geometry = session.window_geometry(window)
    row_bytes = 3 * geometry.get("WIDTH", 0)
    share = changed_fraction(before, after, TEXT_ROWS, row_bytes) if after else 0.0
    return after if share > MIN_CHANGED_SHARE else None


def fly(session, window, seconds, folder):
    """Flies forward for `seconds`, turning a little, with a screenshot at the
    start and after every second; returns the number of shots and the frame rate."""
    def shoot(number):
        path = os.path.join(folder, "shot-%d.png" % number)
        if not session.save_window_picture(window, path):
            raise E2EError("could not save %s" % path)

    counter = TitleCounter(session, window)
    shoot(1)
    last = session.window_pixels(window)
    geometry = session.window_geometry(window)
    session.x("xdotool", "mousemove", str(geometry["X"] + geometry["WIDTH"] // 2),
              str(geometry["Y"] + geometry["HEIGHT"] // 2), "mousedown", "1")
    start = time.monotonic()
    for number in range(2, seconds + 2):
        due = start + number - 1
        # The mouse steps are the flight's input, paced in time like a hand.
        while time.monotonic() < due:
            session.x("xdotool", "mousemove_relative", str(TURN_STEP_PX), "0")
            time.sleep(max(0.0, min(TURN_INTERVAL_S, due - time.monotonic())))
        last = wait_until(lambda: scene_changed(session, window, last), 10,
                          "the picture to change in flight")
        shoot(number)
    end = time.monotonic()
    session.x("xdotool", "mouseup", "1")
    counter.stop()
    return seconds + 1, counter.rate(start, end)


def run(args, seconds):
    folder = new_shot_folder()
    prefix = os.environ.get("ORBALT_DEMO_PREFIX") or os.path.join(ROOT, "build", "demo-prefix")
    bin_dir = os.environ.get("ORBALT_BIN_DIR") or os.path.join(ROOT, "build", "windows", "bin")
    if not prefix_ready(prefix):
        log("creating the Wine prefix %s (once, about 15 s)" % prefix)
    with Session("demo", bin_dir=bin_dir, prefix=prefix, run_dir=folder) as session:
        log("virtual display %s" % session.display)
        program = session.launch(args, cwd=os.getcwd())
        window = start_flight(program, args)
        shots, frame_rate = fly(session, window, seconds, folder)
        log("%d screenshots in %s" % (shots, folder))
        log("orbalt drew %.1f frames/s while flying (its information title line, rewritten every frame)"
            % frame_rate)
        status = program.quit_with_escape(INFO_TITLE)
        log("orbalt exited with code %d" % status)
        return status


def main():
    seconds_text = os.environ.get("ORBALT_DEMO_SECONDS") or "6"
    if not seconds_text.isdigit() or int(seconds_text) < 1:
        log("ORBALT_DEMO_SECONDS must be a whole number of seconds, 1 or more, not %r" % seconds_text)
        return 2
    try:
        return run(sys.argv[1:], int(seconds_text))
    except E2EError as error:
        log(str(error))
        return 1


if __name__ == "__main__":
    sys.exit(main())
