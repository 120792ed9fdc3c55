"""orbalt.scr under Wine: the flight over the whole screen and what ends it,
the single running saver, the preview inside another program's window, the
settings dialog and file, the box for an unknown argument, and one window
over each of two monitors."""

import os
import re
import subprocess
import time
import unittest

from harness import Session, E2EError, XServerUnavailable, SAVER_SETTINGS, wait_until

SAVER = "orbalt.scr"
TITLE = r"^orbalt$"
DIALOG = r"^orbalt screensaver settings$"
PARENT = r"^preview parent$"
SKY = b"\x80\xb2\xff"  # (128, 178, 255): the clear and fog colour
SCREEN = (1024, 768)   # the harness's Xvfb
PARENT_CLIENT = (320, 240)  # preview_parent.exe's client area
FLIGHT_SECONDS = 20
SAMPLE_STEP = 7  # every 7th pixel is plenty to measure shares


def crop(picture, rect):
    """The part (x, y, width, height) of an RGB picture, as RGB bytes."""
    width, _, data = picture
    x, y, w, h = rect
    return b"".join(data[3 * ((y + row) * width + x):3 * ((y + row) * width + x + w)] for row in range(h))


def samples(pixels):
    return range(0, len(pixels) - 2, 3 * SAMPLE_STEP)


def wall_share(pixels):
    """Share of the pixels that are not the sky colour: the tunnel's wall."""
    points = samples(pixels)
    return 1.0 - sum(1 for i in points if pixels[i:i + 3] == SKY) / float(len(points))


def black_share(pixels):
    """Share of the pixels that are black: nothing drawn there."""
    points = samples(pixels)
    return sum(1 for i in points if pixels[i:i + 3] == b"\0\0\0") / float(len(points))


def changed_share(before, after):
    points = samples(before)
    return sum(1 for i in points if before[i:i + 3] != after[i:i + 3]) / float(len(points))


def shows_tunnel(pixels):
    """Drawn everywhere, and most of it wall: the camera flies inside the tunnel."""
    return bool(pixels) and black_share(pixels) < 0.01 and wall_share(pixels) > 0.5


def tunnel_or_none(pixels):
    return pixels if shows_tunnel(pixels) else None


def describe(pixels):
    return "wall %.2f, black %.2f" % (wall_share(pixels), black_share(pixels)) if pixels else "no picture"


class Saver(unittest.TestCase):
    # -- helpers --------------------------------------------------------------
    def start_saver(self, session, args=("/s",)):
        program = session.launch(list(args), exe=SAVER)
        # The first window of a run: a busy machine can hold Wine's start long.
        window = program.wait_for_window(TITLE, timeout=60)
        return program, window

    def screen_area(self, session, rect):
        picture = session.screen_picture()
        return crop(picture, rect) if picture else b""

    def wait_for_tunnel(self, session, rect):
        """Waits until the screen area shows the tunnel; returns its pixels."""
        return wait_until(lambda: tunnel_or_none(self.screen_area(session, rect)), 30,
                          "the tunnel inside %s" % (rect,))

    def end_with_key(self, program, key="space"):
        program.press_until(TITLE, key, lambda: not program.running(), "ending the saver with %s" % key)
        return program.wait_exit()

    def move_pointer_until_ended(self, session, program, start, timeout=15):
        """Moves the pointer well beyond the saver's 8-pixel slack, and a pixel
        further on whenever the move shows no effect: a move made while Wine
        re-maps a window can get lost, and the pointer stays far away."""
        session.x("xdotool", "mousemove_relative", "40", "0", check=True)
        deadline = time.monotonic() + timeout
        while program.running():
            if time.monotonic() > deadline:
                raise E2EError("a pointer move to %s did not end the saver" % (session.pointer_position(),))
            try:
                wait_until(lambda: not program.running(), 2.0, "the saver to end")
            except E2EError:
                session.x("xdotool", "mousemove_relative", "1", "0", check=True)
        x, y = session.pointer_position()
        self.assertGreater(abs(x - start[0]), 8, (start, (x, y)))
        return program.wait_exit()

    def start_parent(self, session):
        """Starts preview_parent.exe; returns it, its HWND (decimal text) and its X window."""
        parent = session.launch(exe="preview_parent.exe")
        hwnd = wait_until(lambda: re.match(r"(\d+)\n", parent.console()), 60, "the parent's HWND").group(1)
        return parent, hwnd, parent.wait_for_window(PARENT, timeout=30)

    def saver_surface(self, session):
        """The X window that Wine gives the saver's GL child: one without name
        or class at the size of the parent's client area. Under Wine 8 the
        picture of a GL child of another process's window stays in that
        (composite-redirected) window: Wine's copy into the parent's window
        fails. So the preview's picture is read there."""
        tree = session.x("xwininfo", "-root", "-tree")
        size = "%dx%d" % PARENT_CLIENT
        found = re.findall(r"(0x[0-9a-f]+) \(has no name\): \(\)  %s\+" % size, tree)
        return found[0] if len(found) == 1 else None

    def surface_pixels(self, session, window):
        """The picture of the redirected window (import reads the window's own
        pixmap, where xwd would read the screen). Wine keeps that window at
        -1,-1, and import clips it to the screen: a row and a column less."""
        out = subprocess.run(["import", "-window", window, "-depth", "8", "rgb:-"], env=session.env(),
                             capture_output=True).stdout
        clipped = (PARENT_CLIENT[0] - 1) * (PARENT_CLIENT[1] - 1) * 3
        return out if len(out) in (clipped, PARENT_CLIENT[0] * PARENT_CLIENT[1] * 3) else b""

    # -- /s ---------------------------------------------------------------------
    def test_s_covers_the_screen_flies_20_s_and_a_large_pointer_move_ends_it(self):
        with Session(self.id()) as session:
            session.clear_saver_folder()
            start = session.pointer_position()
            self.assertTrue(session.pointer_shown(), "no pointer to hide: the X root's cursor is blank")
            program, window = self.start_saver(session)
            self.assertEqual(session.windows(TITLE), [window])
            geometry = session.window_geometry(window)
            self.assertEqual((geometry["X"], geometry["Y"], geometry["WIDTH"], geometry["HEIGHT"]),
                             (0, 0) + SCREEN)
            everything = (0, 0) + SCREEN
            before = self.wait_for_tunnel(session, everything)
            wait_until(lambda: not session.pointer_shown(), 5, "the pointer to be hidden")

            # The flight: every picture drawn, mostly wall, and changed since the last.
            flight_start = time.monotonic()
            pictures = 1
            while time.monotonic() - flight_start < FLIGHT_SECONDS:
                next_sample = time.monotonic() + 3.0
                while time.monotonic() < next_sample:  # the flight time between two pictures
                    self.assertTrue(program.running(), "the saver ended during the flight")
                    time.sleep(0.1)
                after = self.screen_area(session, everything)
                self.assertTrue(shows_tunnel(after), "after %.0f s: %s" % (time.monotonic() - flight_start,
                                                                           describe(after)))
                self.assertGreater(changed_share(before, after), 0.2)
                self.assertEqual(session.screen_size(), SCREEN)
                before, pictures = after, pictures + 1
            self.assertGreaterEqual(pictures, 5)

            # Two nudges of 2 pixels stay within the slack.
            for dx, dy in ((2, 0), (0, 2)):
                session.x("xdotool", "mousemove_relative", "--", str(dx), str(dy), check=True)
                program.expect_no_change(lambda: not program.running(), 1.5, "the saver ending on a nudge")
            self.assertEqual(session.pointer_position(), (start[0] + 2, start[1] + 2))

            self.assertEqual(self.move_pointer_until_ended(session, program, start), 0)
            self.assertEqual(session.windows(TITLE), [])
            self.assertEqual(session.screen_size(), SCREEN)
            self.assertTrue(session.pointer_shown(), "the pointer stays hidden after the saver")
            log = program.log()
            self.assertTrue(log.startswith("orbalt.scr log, "), log[:80])
            self.assertIn("monitor 0, 0, 1024 x 768, primary \n", log)
            self.assertIn("GLwindow::Cover 0, 0, 1024 x 768 \n", log)

    def test_s_ends_on_a_key(self):
        with Session(self.id()) as session:
            session.clear_saver_folder()
            program, _ = self.start_saver(session)
            self.wait_for_tunnel(session, (0, 0) + SCREEN)
            self.assertEqual(self.end_with_key(program), 0)
            self.assertEqual(session.windows(TITLE), [])

    def test_second_s_exits_at_once_while_the_first_flies(self):
        with Session(self.id()) as session:
            session.clear_saver_folder()
            first, window = self.start_saver(session)
            before = self.wait_for_tunnel(session, (0, 0) + SCREEN)
            log = first.wait_for_log("GLwindow::Cover")

            second = session.launch(["/s"], exe=SAVER)
            self.assertEqual(second.wait_exit(timeout=20), 0)
            self.assertTrue(first.running())
            self.assertEqual(session.windows(TITLE), [window])
            # The second saver left the first's log alone.
            self.assertTrue(first.log().startswith(log), first.log()[:200])
            after = self.screen_area(session, (0, 0) + SCREEN)
            self.assertTrue(shows_tunnel(after), describe(after))
            self.assertGreater(changed_share(before, after), 0.2)

            self.assertEqual(self.end_with_key(first), 0)

    # -- /p ---------------------------------------------------------------------
    def preview_until_the_parent_closes(self, make_args):
        with Session(self.id()) as session:
            session.clear_saver_folder()
            parent, hwnd, parent_window = self.start_parent(session)
            saver = session.launch(make_args(hwnd), exe=SAVER)

            # The helper sees a visible child filling its client area.
            filled = r"child (\d+) at 0,0 size %dx%d visible\n" % PARENT_CLIENT
            child = wait_until(lambda: re.search(filled, parent.console()), 60, "the saver's child window").group(1)
            self.assertNotEqual(child, hwnd)
            self.assertTrue(saver.running())
            self.assertIn("GLwindow::Embed %d x %d \n" % PARENT_CLIENT, saver.wait_for_log("GLwindow::Embed"))
            self.assertEqual(session.windows(TITLE), [], "the preview made a top-level window")

            surface = wait_until(lambda: self.saver_surface(session), 30, "the preview's GL window")
            first = wait_until(lambda: tunnel_or_none(self.surface_pixels(session, surface)), 30,
                               "the tunnel in the preview")
            saver.expect_no_change(lambda: not saver.running(), 1.0, "the preview ending by itself")
            second = self.surface_pixels(session, surface)
            self.assertTrue(shows_tunnel(second), describe(second))
            self.assertGreater(changed_share(first, second), 0.05)

            session.request_close(parent_window)
            self.assertEqual(parent.wait_exit(timeout=10), 0)
            self.assertEqual(saver.wait_exit(timeout=5), 0)
            self.assertIsNone(self.saver_surface(session))
            self.assertEqual(session.windows(PARENT), [])

    def test_p_with_a_separate_handle_flies_in_the_parent_and_ends_with_it(self):
        self.preview_until_the_parent_closes(lambda hwnd: ["/p", hwnd])

    def test_p_colon_handle_flies_in_the_parent_and_ends_with_it(self):
        self.preview_until_the_parent_closes(lambda hwnd: ["/p:" + hwnd])

    # -- /c and the settings file ----------------------------------------------
    def test_c_ok_saves_the_settings_and_s_uses_a_written_file(self):
        with Session(self.id()) as session:
            session.clear_saver_folder()
            dialog = session.launch(["/c"], exe=SAVER)
            dialog.wait_for_window(DIALOG, timeout=60)
            dialog.dismiss(DIALOG)  # Return: OK is the default button
            self.assertEqual(dialog.wait_exit(timeout=10), 0)
            path = os.path.join(session.saver_folder(), SAVER_SETTINGS)
            with open(path, errors="replace") as saved:
                keys = [line.split()[0] for line in saved.read().splitlines() if line.strip()]
            self.assertLessEqual({"RenderMode", "RenderMethod", "DisplayLists", "Textures", "Fog", "Lighting",
                                  "Speed", "FrameRateCap", "Sections", "SectionPoints", "Monitors"}, set(keys))
            self.assertIn("settings saved to C:\\users\\", dialog.log())
            self.assertIn("\\AppData\\Roaming\\orbalt\\orbalt_scr.txt \n", dialog.log())

            session.write_saver_settings("Monitors PRIMARY\nSections 128\nSpeed 9\n")
            program, _ = self.start_saver(session)
            log = program.wait_for_log("GLwindow::Cover")
            self.assertIn("settings: Speed 9: using 0.4 \n", log)
            self.assertNotIn("settings: Sections", log)
            self.assertNotIn("not read: using the defaults", log)
            before = self.wait_for_tunnel(session, (0, 0) + SCREEN)
            program.expect_no_change(lambda: not program.running(), 1.0, "the saver ending by itself")
            after = self.screen_area(session, (0, 0) + SCREEN)
            self.assertTrue(shows_tunnel(after), describe(after))
            self.assertGreater(changed_share(before, after), 0.2)
            self.assertEqual(self.end_with_key(program), 0)

    def test_unknown_argument_shows_what_is_accepted_and_exits_with_2(self):
        with Session(self.id()) as session:
            session.clear_saver_folder()
            program = session.launch(["/x"], exe=SAVER)
            text = program.wait_for_message_box(1, timeout=60)
            self.assertTrue(text.startswith("orbalt.scr accepts:"), text)
            program.wait_for_window(TITLE)
            program.dismiss(TITLE)
            self.assertEqual(program.wait_exit(timeout=10), 2)
            self.assertEqual(program.message_boxes(), [text])

    # -- two monitors -------------------------------------------------------------
    def test_s_covers_each_of_two_monitors(self):
        # The portrait monitor is primary: the landscape one lies left of it,
        # at negative x in Windows' coordinates.
        try:
            with Session(self.id(), monitors=["960x1080", "1080x1920"], primary=1) as session:
                self.fly_on_two_monitors(session)
        except XServerUnavailable as why:
            self.skipTest("no two-monitor X server here: %s" % why)

    def fly_on_two_monitors(self, session):
        session.clear_saver_folder()
        program, _ = self.start_saver(session)
        windows = wait_until(lambda: len(session.windows(TITLE)) == 2 and session.windows(TITLE), 30,
                             "a window on each monitor")
        rects = sorted(tuple(session.window_geometry(w)[k] for k in ("X", "Y", "WIDTH", "HEIGHT")) for w in windows)
        self.assertEqual(rects, sorted(session.monitor_rects()))
        for rect in session.monitor_rects():
            self.wait_for_tunnel(session, rect)
        log = program.log()
        self.assertIn("monitor 0, 0, 1080 x 1920, primary \n", log)
        self.assertIn("monitor -960, 0, 960 x 1080 \n", log)
        self.assertIn("GLwindow::Cover 0, 0, 1080 x 1920 \n", log)
        self.assertIn("GLwindow::Cover -960, 0, 960 x 1080 \n", log)
        self.assertEqual(self.end_with_key(program), 0)
        self.assertEqual(session.windows(TITLE), [])


if __name__ == "__main__":
    unittest.main()
