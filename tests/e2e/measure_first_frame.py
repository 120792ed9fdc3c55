"""Measures orbalt.exe's start-up under Wine on a private Xvfb, in two spans:
launch to the About box, and the About box's closing to the first frame of
the tunnel on screen (the window drawn, most of it wall). Not a test: it
prints the figures of a few runs and their medians.

    ORBALT_BIN_DIR=build/windows/bin python3 tests/e2e/measure_first_frame.py [runs]

Each run starts with the wineserver stopped (a cold start of Wine itself);
the first frame is found by polling screenshots every few milliseconds, so
both spans are a little longer than the program's own time."""

import statistics
import sys
import time

from harness import Session, wait_until
from test_flight import WINDOWED, black_share, grab, wall_share


def first_frame(session, window):
    picture = grab(session, window)
    return picture and black_share(picture) < 0.01 and wall_share(picture) > 0.5


def measure(session):
    launched = time.monotonic()
    program = session.launch()
    program.wait_for_window(r"^Orbalt, the demo$", timeout=60)
    about_shown = time.monotonic()
    # A close request, not a key: the Return that closes the box can reach the
    # program window as well and open the help box. The span starts once the box is gone.
    program.close_box(r"^Orbalt, the demo$")
    dismissed = time.monotonic()
    window = program.wait_for_window(r"^orbalt$", timeout=30)
    wait_until(lambda: first_frame(session, window), 30, "the first frame", interval=0.005)
    shown = time.monotonic()
    program.quit_with_escape()
    return about_shown - launched, shown - dismissed


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 3
    with Session("measure-first-frame") as session:
        session.write_config(WINDOWED)
        to_about, to_frame = [], []
        for run in range(runs):
            session.x("wineserver", "-k")
            session.x("wineserver", "-w")
            a, f = measure(session)
            to_about.append(a)
            to_frame.append(f)
            print("run %d: launch to About box %.2f s, box closed to first frame %.2f s" % (run + 1, a, f))
        print("median: launch to About box %.2f s, box closed to first frame %.2f s"
              % (statistics.median(to_about), statistics.median(to_frame)))


if __name__ == "__main__":
    main()
