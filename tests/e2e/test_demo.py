"""The demo flight that ./run.sh runs without a display, started as run.sh
starts it (scripts/demo-flight.py after the build), for a short flight."""

import glob
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from harness import PREFIX, TEXT_ROWS, WORK_DIR, changed_fraction

SCRIPT = os.path.join(os.path.dirname(__file__), os.pardir, os.pardir, "scripts", "demo-flight.py")
SECONDS = 2


def rgb(path):
    """(width, RGB bytes) of a PNG file."""
    width = subprocess.run(["identify", "-format", "%w", path], capture_output=True, text=True,
                           check=True).stdout
    pixels = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                            check=True).stdout
    return int(width), pixels


def shot_number(path):
    return int(re.search(r"shot-(\d+)\.png$", path).group(1))


class Demo(unittest.TestCase):
    def test_flight_saves_changing_screenshots_and_quits_with_0(self):
        out = tempfile.mkdtemp(prefix="demo-", dir=WORK_DIR)
        env = dict(os.environ, ORBALT_DEMO_SECONDS=str(SECONDS), ORBALT_DEMO_OUT=out,
                   ORBALT_DEMO_PREFIX=PREFIX)
        env.pop("DISPLAY", None)
        result = subprocess.run([SCRIPT], env=env, capture_output=True, text=True, timeout=280)
        report = result.stdout + result.stderr
        self.assertEqual(result.returncode, 0, report)

        folders = glob.glob(os.path.join(out, "demo-flight-*"))
        self.assertEqual(len(folders), 1, report)
        shots = sorted(glob.glob(os.path.join(folders[0], "shot-*.png")), key=shot_number)
        self.assertEqual([shot_number(path) for path in shots], list(range(1, SECONDS + 2)))
        self.assertIn("%d screenshots in %s" % (len(shots), folders[0]), report)
        frame_rate = re.search(r"orbalt drew (\d+\.\d) frames/s while flying", report)
        self.assertTrue(frame_rate and float(frame_rate.group(1)) > 0.0, report)
        self.assertIn("orbalt exited with code 0", report)

        for before, after in zip(shots, shots[1:]):
            (width, first), (_, second) = rgb(before), rgb(after)
            self.assertGreater(changed_fraction(first, second, TEXT_ROWS, 3 * width), 0.02,
                               "%s and %s show the same scene" % (before, after))
        shutil.rmtree(out)


if __name__ == "__main__":
    unittest.main()
