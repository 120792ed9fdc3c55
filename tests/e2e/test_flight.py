"""The flight on screen under Wine: the tunnel after start-up, flying forward
with the left mouse button, the information title and the axes overlay, and
the message boxes of a section file that cannot be used."""

import struct
import subprocess
import time
import unittest

from harness import WESTERN_LOCALE, Session, E2EError, wait_until

WINDOWED = "FullScreen NO\nXResolution 640\nYResolution 480\n"
SKY = (128, 178, 255)  # the clear colour, which is also the fog colour
CLIENT = (640, 480)


def section_file(components, steps=(0.001, 0.001, 1, 1, 1, 1), limits=(-0.9, -0.9, 0.9, 0.9)):
    """The 144 bytes of a section file with the given enabled components
    (radius, wave, wave phase, wave frequency, angle phase, angle frequency)."""
    rows = list(components) + [(0.0,) * 6] * (4 - len(components))
    values = list(steps) + list(limits) + [v for row in rows for v in row]
    enabled = bytes(1 if i < len(components) else 0 for i in range(4))
    return b"SECT" + struct.pack("<34f", *values) + enabled


def grab(session, window):
    """The window's client area as (width, height, RGB bytes). Wine draws the
    frame of its unmanaged windows itself: the client sits at the bottom,
    centred across."""
    geometry = session.window_geometry(window)
    border = max(0, (geometry["WIDTH"] - CLIENT[0]) // 2)
    top = max(0, geometry["HEIGHT"] - CLIENT[1] - border)
    out = subprocess.run(
        ["import", "-window", window, "-crop", "%dx%d+%d+%d" % (CLIENT + (border, top)),
         "-depth", "8", "rgb:-"], env=session.env(), capture_output=True).stdout
    return (CLIENT[0], CLIENT[1], out) if len(out) == CLIENT[0] * CLIENT[1] * 3 else None


def pixel(picture, x, y):
    width, _, data = picture
    i = 3 * (y * width + x)
    return tuple(data[i:i + 3])


def sky_distance(rgb):
    return max(abs(a - b) for a, b in zip(rgb, SKY))


def wall_share(picture):
    """Share of the pixels that are not the sky colour."""
    _, _, data = picture
    count = len(data) // 3
    sky = sum(1 for i in range(0, len(data), 3 * 7) if tuple(data[i:i + 3]) == SKY)
    return 1.0 - sky / float(len(range(0, count, 7)))


def black_share(picture):
    """Share of the pixels that are black: nothing drawn there yet."""
    _, _, data = picture
    samples = range(0, len(data), 3 * 7)
    return sum(1 for i in samples if data[i:i + 3] == b"\0\0\0") / float(len(samples))


def changed_share(a, b):
    """Share of the pixels that differ between two pictures."""
    step = 3 * 7
    pairs = range(0, min(len(a[2]), len(b[2])), step)
    return sum(1 for i in pairs if a[2][i:i + 3] != b[2][i:i + 3]) / float(len(pairs))


class Flight(unittest.TestCase):
    def start(self, session, args=()):
        session.write_config(WINDOWED)
        program = session.launch(args)
        program.dismiss_about_box()
        return program, program.wait_for_window(r"^orbalt$")

    def tunnel_picture(self, session, window):
        """Waits until the window shows the tunnel: drawn, and most of it wall, not sky."""
        def shown():
            picture = grab(session, window)
            drawn = picture and black_share(picture) < 0.01
            return picture if drawn and wall_share(picture) > 0.5 else None
        return wait_until(shown, 20, "the tunnel on screen")

    def toggle(self, program, window, key, done, what):
        """Presses a command key until `done()`; skips the test when the key has no effect."""
        try:
            program.press_until(r"^orbalt$", key, done, what, timeout=8)
        except E2EError:
            self.skipTest("the %r key has no effect yet" % key)

    def test_the_tunnel_shows_and_flying_forward_changes_picture_and_title(self):
        with Session(self.id()) as session:
            program, window = self.start(session)
            picture = self.tunnel_picture(session, window)
            self.assertGreater(wall_share(picture), 0.8)
            centre = pixel(picture, CLIENT[0] // 2, CLIENT[1] // 2)
            edge = pixel(picture, 4, CLIENT[1] // 2)
            # Down the tunnel the wall fades into the fog; the near wall does not.
            self.assertLessEqual(sky_distance(centre), 12, centre)
            self.assertGreater(sky_distance(edge), 30, edge)

            titles = lambda: [w for w in session.windows(r"^z -?[0-9]") if w]
            info = True
            try:
                program.press_until(r"^orbalt$", "i", titles, "the information title", timeout=8)
            except E2EError:
                info = False  # the key does not exist yet: the title is tested natively
            first_title = session.x("xdotool", "getwindowname", window).strip() if info else ""

            before = grab(session, window)
            geometry = session.window_geometry(window)
            session.x("xdotool", "mousemove", str(geometry["X"] + geometry["WIDTH"] // 2),
                      str(geometry["Y"] + geometry["HEIGHT"] // 2), "mousedown", "1")
            time.sleep(2.0)
            session.x("xdotool", "mouseup", "1")
            after = grab(session, window)
            self.assertGreater(changed_share(before, after), 0.2)
            if info:
                last_title = session.x("xdotool", "getwindowname", window).strip()
                z = lambda title: float(title.split(",")[0].split()[1])
                self.assertGreater(z(last_title), z(first_title), (first_title, last_title))
                program.press_until(r"^z -?[0-9].*", "Escape", lambda: not program.running(), "quitting")
                self.assertEqual(program.wait_exit(), 0)
            else:
                self.assertEqual(program.quit_with_escape(), 0)

    def test_o_draws_the_axes(self):
        with Session(self.id()) as session:
            program, window = self.start(session)
            plain = self.tunnel_picture(session, window)
            self.toggle(program, window, "o",
                        lambda: changed_share(plain, grab(session, window) or plain) > 0.001, "the axes")
            with_axes = grab(session, window)
            # The z axis points down the tunnel from the camera: its letter and end point lie at the centre.
            cx, cy = CLIENT[0] // 2, CLIENT[1] // 2
            near_centre = [pixel(with_axes, x, y) != pixel(plain, x, y)
                           for x in range(cx - 40, cx + 40, 2) for y in range(cy - 40, cy + 40, 2)]
            self.assertTrue(any(near_centre))
            self.assertEqual(program.quit_with_escape(), 0)

    def expect_boxes_then_exit(self, program, expected):
        # Each box comes, and the program ends, within seconds: no tunnel build holds it.
        texts, code = program.answer_boxes(len(expected))
        self.assertEqual((texts, code), (expected, 0))
        self.assertEqual(program.message_boxes()[1:], expected)

    def test_missing_section_file_shows_its_boxes_and_exits_with_0(self):
        with Session(self.id()) as session:
            session.write_config(WINDOWED)
            program = session.launch(["missing.sct"])
            program.dismiss_about_box()
            self.expect_boxes_then_exit(program, ["TunnelBuilder::Init() section load failure",
                                                  "InitOrbalt() builder.Init() failure"])
            self.assertIn("fopen(missing.sct): system error 2: ", program.log())

    def test_section_path_limit_counts_characters_not_bytes(self):
        # Cyrillic letters, two bytes each in UTF-8 and none in the ANSI code page.
        at_limit = "д" * 263
        with Session(self.id()) as session:
            session.write_config(WINDOWED)
            program = session.launch([at_limit], env=WESTERN_LOCALE)
            program.dismiss_about_box()
            self.expect_boxes_then_exit(program, ["TunnelBuilder::Init() section load failure",
                                                  "InitOrbalt() builder.Init() failure"])
            self.assertIn("fopen(%s): system error " % at_limit, program.log())

            program = session.launch([at_limit + "д"], env=WESTERN_LOCALE)
            program.dismiss_about_box()
            (text,), code = program.answer_boxes(1)
            self.assertEqual(code, 0)
            # Wine's trace cuts a long text short (at about 290 characters of its
            # escaped form): the box's text begins so, the letters intact.
            expected = "the section file path is longer than 263 characters: " + at_limit + "д"
            self.assertIn("characters: дддд", text)
            self.assertEqual(text, expected[:len(text)])

    def test_bad_section_file_shows_three_boxes_and_exits_with_0(self):
        # A figure eight: it used to load, and its build held the program for
        # more than 30 s with the window open.
        eight = section_file(components=[(0.0, 0.8, 0.0, 1.0, 0.0, 2.0)])
        with Session(self.id()) as session:
            session.write_config(WINDOWED)
            for data, reason in ((b"x" * 144, "not a section file"),
                                 (eight, "section file profile crosses itself")):
                with open(session.tmp + "/bad.sct", "wb") as bad:
                    bad.write(data)
                program = session.launch(["bad.sct"])
                program.dismiss_about_box()
                self.expect_boxes_then_exit(program, [reason,
                                                      "TunnelBuilder::Init() section load failure",
                                                      "InitOrbalt() builder.Init() failure"])

if __name__ == "__main__":
    unittest.main()
