#!/usr/bin/env python3
"""Measures the processor time orbalt.scr /s takes under Wine at each given
frame-rate cap (0 for none), on a private virtual display, to show that the
cap holds by waiting rather than spinning.

Usage: scripts/measure-saver-cpu.py [SECONDS] [CAP ...]   (default: 10 s, caps 30 and 0)
Needs the Windows build (cmake --preset windows && cmake --build --preset windows).
"""
import os
import sys
import time

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
os.environ.setdefault("ORBALT_BIN_DIR", os.path.join(ROOT, "build", "windows", "bin"))
os.environ.setdefault("ORBALT_E2E_WORK", os.path.join(ROOT, "build", "native", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import harness  # noqa: E402


def cpu_seconds(pid):
    """User and system time of the process so far."""
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def measure(seconds, cap):
    with harness.Session("saver-cpu-%s" % cap) as session:
        session.clear_saver_folder()
        session.write_saver_settings("FrameRateCap %s\n" % cap)
        program = session.launch(["/s"], exe="orbalt.scr")
        program.wait_for_log("swap interval")
        pid = program.process.pid
        before = cpu_seconds(pid)
        time.sleep(seconds)  # the measured span itself
        used = cpu_seconds(pid) - before
        session.x("xdotool", "key", "space")
        program.wait_exit()
        return used


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 10.0
    caps = sys.argv[2:] or ["30", "0"]
    for cap in caps:
        used = measure(seconds, cap)
        print("FrameRateCap %s: %.2f processor seconds in %.0f s (%.0f %% of one core)"
              % (cap, used, seconds, 100.0 * used / seconds))


if __name__ == "__main__":
    main()
