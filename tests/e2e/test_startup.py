"""Start-up and exit of orbalt.exe: About box, window, log, console, display
modes, and program folders named in characters outside the ANSI code page."""

import os
import re
import unittest

from harness import WESTERN_LOCALE, Session, wait_until
from test_saver import shows_tunnel

WINDOWED = "# orbalt configuration\nFullScreen NO\nXResolution 640\nYResolution 480\n"
# Folder names in and outside the ANSI code page of WESTERN_LOCALE.
FOLDERS = ("Демо папка", "デモ", "My Demos ö")
REFUSED_MODE_MESSAGE = ("GLwindow::FullScreen() error GENERIC: "
                        "GLwindow::SetScreen() error GENERIC: graphics mode not supported")


def tunnel_on_screen(session):
    picture = session.screen_picture()
    return bool(picture) and shows_tunnel(picture[2])


class StartUp(unittest.TestCase):
    def test_windowed_run_quits_with_escape(self):
        with Session(self.id()) as session:
            program = session.launch()
            program.dismiss_about_box()
            window = program.wait_for_window(r"^orbalt$")
            geometry = session.window_geometry(window)
            self.assertGreaterEqual(geometry["WIDTH"], 640)
            self.assertGreaterEqual(geometry["HEIGHT"], 480)

            self.assertEqual(program.quit_with_escape(), 0)

            log = program.log()
            self.assertTrue(log.startswith("orbalt log, "), log)
            self.assertIn("path: Z:", log)
            self.assertIn("\\orbalt dir\\ \n\n", log)
            self.assertIn("[Screen Mode Enumeration]\n", log)
            self.assertIn("original  : 1024 x  768, 32 bit", log)
            self.assertIn("GLwindow::Windowed 640 x 480 \n\n", log)
            self.assertTrue(log.endswith("\n"), "log ends mid-line: %r" % log[-40:])
            self.assertTrue(program.console().startswith("orbalt console, "), program.console())
            about = program.message_boxes()[0]
            self.assertTrue(about.startswith("Orbalt, demo version 1.0 \n\n"), about)

    def test_alt_f4_is_consumed_and_a_close_request_quits(self):
        with Session(self.id()) as session:
            program = session.launch()
            program.dismiss_about_box()
            program.wait_for_window(r"^orbalt$")
            # Sent a few times, since a key can get lost right after the window appears.
            for _ in range(3):
                program.key(session.windows(r"^orbalt$")[0], "alt+F4")
                program.expect_no_change(lambda: not program.running() or not session.windows(r"^orbalt$"),
                                         seconds=0.7, what="the window closing on Alt+F4")
            self.assertEqual(program.request_close(), 0)
            self.assertTrue(program.log().endswith(" \n\n"))

    def test_refused_full_screen_mode_shows_the_chained_error(self):
        # Plain Xvfb refuses 640 x 480.
        with Session(self.id()) as session:
            session.write_config("FullScreen YES\nXResolution 640\nYResolution 480\n")
            program = session.launch()
            program.dismiss_about_box()
            self.assertEqual(program.wait_for_message_box(2), REFUSED_MODE_MESSAGE)
            program.wait_for_window(r"^orbalt$")
            program.dismiss(r"^orbalt$")
            self.assertEqual(program.wait_exit(), 0)
            self.assertIn(REFUSED_MODE_MESSAGE + " \n", program.log())
            self.assertEqual(session.screen_size(), (1024, 768))

    def test_configuration_is_read_past_a_0x1a_byte_and_a_cr(self):
        # Read in text mode, the file would end at the 0x1A byte: full screen
        # at 640 x 480, which plain Xvfb refuses with a box. A lone CR is a
        # blank, so the last line's third word does not set XResolution.
        with Session(self.id()) as session:
            session.write_config(b"FullScreen YES\r\n\x1a\r\nFullScreen NO\r\nXResolution 720\r\n"
                                 b"YResolution 520\rXResolution 9\n")
            program = session.launch()
            program.dismiss_about_box()
            program.wait_for_window(r"^orbalt$")
            self.assertEqual(program.quit_with_escape(), 0)
            self.assertIn("GLwindow::Windowed 720 x 520 \n\n", program.log())
            self.assertEqual(program.message_boxes()[1:], [])

    def test_configuration_that_cannot_build_shows_its_box_and_exits_with_0(self):
        with Session(self.id()) as session:
            session.write_config("FullScreen NO\r\nSectionPoints 3\r\n")
            program = session.launch()
            program.dismiss_about_box()
            self.assertEqual(program.answer_boxes(1), (["InitOrbalt() builder.Create() failure"], 0))

    def test_accepted_full_screen_mode_opens_at_that_mode(self):
        # Xvfb's own size at 16 bits: Wine accepts it and emulates the depth.
        # (Windows of a later process on the same X server stay unmapped after
        # such an emulated depth change under Wine 8, so the restore is checked
        # with a real resolution change below.)
        with Session(self.id()) as session:
            session.write_config("FullScreen YES\nXResolution 1024\nYResolution 768\n")
            program = session.launch()
            program.dismiss_about_box()
            window = program.wait_for_window(r"^orbalt$")
            geometry = session.window_geometry(window)
            self.assertEqual((geometry["X"], geometry["Y"]), (0, 0))
            self.assertEqual((geometry["WIDTH"], geometry["HEIGHT"]), (1024, 768))
            self.assertEqual(program.quit_with_escape(), 0)
            self.assertIn("GLwindow::FullScreen 1024 x 768, 16 bit @ 0 Hz \n\n", program.log())

    def test_switched_resolution_is_restored_at_exit(self):
        # A helper gives Xvfb an 800 x 600 mode: the X screen really changes size.
        with Session(self.id(), extra_modes=["800x600"]) as session:
            session.write_config("FullScreen YES\nXResolution 800\nYResolution 600\n")
            program = session.launch()
            program.dismiss_about_box()
            program.wait_for_window(r"^orbalt$")
            self.assertEqual(session.screen_size(), (800, 600))
            self.assertEqual(program.quit_with_escape(), 0)
            self.assertEqual(session.screen_size(), (1024, 768))
            self.assertIn("GLwindow::FullScreen 800 x 600, 16 bit @ 0 Hz \n\n", program.log())

    def test_unwritable_log_still_starts_and_quits(self):
        with Session(self.id()) as session:
            session.write_config(WINDOWED)
            # A directory where the log file should be: the log cannot be created.
            os.mkdir(os.path.join(session.program_dir, "orbalt_log.txt"))
            program = session.launch()
            program.dismiss_about_box()
            program.wait_for_window(r"^orbalt$")
            self.assertEqual(program.quit_with_escape(), 0)
            self.assertTrue(program.console().startswith("orbalt console, "))

    def test_program_folder_in_any_characters_finds_its_files_and_names_itself(self):
        for folder in FOLDERS:
            with self.subTest(folder=folder), Session(self.id(), program_folder=folder) as session:
                session.clear_saver_folder()
                session.write_config(WINDOWED)
                windows_folder = "Z:" + session.program_dir.replace("/", "\\") + "\\"
                self.check_program_flies(session, windows_folder)
                self.check_terminal_shows_the_folder(session, windows_folder)
                self.check_saver_flies(session, windows_folder)

    def check_program_flies(self, session, windows_folder):
        program = session.launch(env=WESTERN_LOCALE)
        program.dismiss_about_box()
        program.wait_for_window(r"^orbalt$")
        # The texture and the section file were read from the folder, and the tunnel flies.
        program.wait_for_log("start-up: first frame drawn")
        self.assertEqual(program.quit_with_escape(), 0)
        log = program.log()
        self.assertEqual(re.search(r"^path: .*$", log, re.M).group(0), "path: %s " % windows_folder)
        self.assertIn("GLwindow::Windowed 640 x 480 \n\n", log)  # the configuration's window
        self.assertIn("start-up: texture uploaded \n\n", log)
        self.assertEqual(program.message_boxes()[1:], [])  # the section file was read
        self.assertNotIn("fopen(", log)
        self.assertIn("InitTexture(%stexture.bmp) \n" % windows_folder, program.console())

    def check_terminal_shows_the_folder(self, session, windows_folder):
        program = session.launch(env=WESTERN_LOCALE, terminal=True)
        program.dismiss_about_box()
        program.wait_for_window(r"^orbalt$")
        self.assertEqual(program.quit_with_escape(), 0)
        shown = re.sub(r"\x1b\[[0-9;?]*[A-Za-z]", "", program.console())
        self.assertIn("InitTexture(%stexture.bmp)" % windows_folder, shown)

    def check_saver_flies(self, session, windows_folder):
        saver = session.launch(["/s"], exe="orbalt.scr", env=WESTERN_LOCALE)
        saver.wait_for_window(r"^orbalt$", timeout=60)
        saver.wait_for_log("GLwindow::Cover")
        wait_until(lambda: tunnel_on_screen(session), 30, "the saver's tunnel on the screen")
        saver.press_until(r"^orbalt$", "space", lambda: not saver.running(), "ending the saver")
        self.assertEqual(saver.wait_exit(), 0)
        self.assertIn("InitTexture(%stexture.bmp) \n" % windows_folder, saver.console())
        self.assertNotIn("could not be built", saver.log())


if __name__ == "__main__":
    unittest.main()
