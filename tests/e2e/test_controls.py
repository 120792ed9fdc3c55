"""Driving the demo: character commands, the help box, the popup menu and the
parameter dialog, each checked by what the user sees."""

import re
import time
import unittest

from harness import E2EError, Session, changed_fraction, wait_until

MAIN = r"^orbalt$"
TITLE_LINE = re.compile(r"^z +-?\d+\.\d{4}, seg -?\d+, a +-?\d\.\d{3}, start -?\d+, end -?\d+$")
HELP = r"^Orbalt, user interface$"
DIALOG = r"^orbalt parameters$"
WIDTH = 640
FRAME_RATE_ROWS = 24  # the frame rate is printed in the top-left corner


class Controls(unittest.TestCase):
    def start(self, session):
        program = session.launch()
        program.dismiss_about_box()
        window = program.wait_for_window(MAIN)
        program.wait_for_console("nSegments")
        self.settled_picture(session)  # the first frames are on screen
        return program, window

    def picture(self, session):
        return session.window_pixels(session.windows(MAIN)[0])

    def press_until_picture_changes(self, session, program, key, share=0.02):
        before = self.picture(session)
        changed = lambda: changed_fraction(before, self.picture(session), FRAME_RATE_ROWS, WIDTH * 3) > share
        program.press_until(MAIN, key, changed, "the picture to change on %s" % key)

    def title(self, session):
        ids = session.x("xdotool", "search", "--name", r"^z ").split()
        return session.x("xdotool", "getwindowname", ids[0]).strip() if ids else ""

    def test_info_key_writes_the_title_line(self):
        with Session(self.id()) as session:
            program, _ = self.start(session)
            program.press_until(MAIN, "i", lambda: TITLE_LINE.match(self.title(session)),
                                "the title line after i")
            self.assertEqual(program.quit_with_escape(r"^z "), 0)

    def test_fog_and_lighting_keys_change_the_picture(self):
        with Session(self.id()) as session:
            program, _ = self.start(session)
            for key in ("f", "f", "l", "l"):
                self.press_until_picture_changes(session, program, key)
            self.assertEqual(program.quit_with_escape(), 0)

    def test_unbound_keys_open_the_help_box(self):
        with Session(self.id()) as session:
            program, _ = self.start(session)
            for count, key in enumerate(("F", "space", "Return"), start=1):
                program.press_until(MAIN, key, lambda: session.windows(HELP), "the help box on %s" % key)
                text = program.wait_for_message_box(count + 1)
                self.assertTrue(text.startswith("move mouse or joystick to steer \n button 1 : faster"), text)
                program.close_box(HELP)
            self.assertEqual(program.quit_with_escape(), 0)

    def test_menu_switches_modes_attributes_methods_and_quits(self):
        with Session(self.id()) as session:
            program, _ = self.start(session)
            differs = lambda a, b: changed_fraction(a, b, FRAME_RATE_ROWS, WIDTH * 3)
            smooth = self.settled_picture(session)
            previous = smooth
            # "render" > "mode" > points, sections, wireframe, solid flat, solid smooth: each looks
            # different, and the check mark moves to the mode chosen.
            for index in range(5):
                self.use_menu(session, program, "Down", "Down", "Right", "Right", *["Down"] * index)
                wait_until(lambda: differs(previous, self.picture(session)) > 0.02, 10,
                           "the picture of render mode %d" % index)
                previous = self.settled_picture(session)
                self.assertEqual(self.checked_modes(session, program), [index])
            self.assertLess(differs(smooth, previous), 0.01)
            # "attributes" > "texcoords" off, then on again.
            self.use_menu(session, program, "Down", "Down", "Right", "Down", "Right", "Down", "Down")
            wait_until(lambda: differs(smooth, self.picture(session)) > 0.2, 10, "the untextured tunnel")
            self.use_menu(session, program, "Down", "Down", "Right", "Down", "Right", "Down", "Down")
            wait_until(lambda: differs(smooth, self.picture(session)) < 0.01, 10, "the textured tunnel again")
            # "method": vertex arrays, display lists and back: the same picture by other paths.
            for downs in (1, 2, 0, 2):  # arrays, lists on, direct again, lists off again
                self.use_menu(session, program, "Down", "Down", "Right", "Down", "Down", "Right", *["Down"] * downs)
                self.assertLess(differs(smooth, self.settled_picture(session)), 0.01)
            self.use_menu(session, program, "Down", "Down", "Down")  # "quit"
            self.assertEqual(program.wait_exit(), 0)

    def checked_modes(self, session, program):
        """Opens "render" > "mode" and returns the items that carry a check
        mark, read from the dark pixels of each item's 14 x 17 mark cell
        (items are 17 pixels high from 3 pixels inside the menu). The first
        item is highlighted by the keys that open the submenu, so it reads as
        checked only through the other four being unchecked."""
        menus = self.open_menu(session, program)
        session.x("xdotool", "key", "--delay", "150", "Down", "Down", "Right", "Right")
        levels = wait_until(lambda: (lambda m: m if len(m) >= 3 else None)(menus()), 10, "the mode submenu")
        time.sleep(0.3)
        mode_menu = max(levels, key=lambda w: session.window_geometry(w).get("X", 0))
        width, _, data = wait_until(lambda: session.window_picture(mode_menu), 10, "the mode submenu picture")
        checked = []
        for item in range(1, 5):
            dark = 0
            for y in range(3 + 17 * item, 3 + 17 * item + 17):
                for x in range(3, 17):
                    i = 3 * (y * width + x)
                    dark += sum(data[i:i + 3]) < 3 * 100
            if dark >= 8:
                checked.append(item)
        session.x("xdotool", "key", "--delay", "150", "Escape", "Escape", "Escape")
        wait_until(lambda: not menus(), 10, "the menu to close")
        return checked or [0]

    def use_menu(self, session, program, *keys):
        self.choose(session, self.open_menu(session, program), *keys)

    def settled_picture(self, session):
        """The window's picture once two pictures in a row agree (below the frame-rate text)."""
        last = [b""]

        def settled():
            picture, previous = self.picture(session), last[0]
            last[0] = picture
            return picture if picture and changed_fraction(previous, picture, FRAME_RATE_ROWS, WIDTH * 3) == 0.0 \
                else None
        return wait_until(settled, 20, "a still picture", interval=0.3)

    def choose(self, session, menus, *keys):
        """Walks the open popup menu with the keys, then chooses the item with
        Return, pressed again should it get lost, until the menu is gone."""
        session.x("xdotool", "key", "--delay", "150", *keys)
        deadline = time.monotonic() + 20
        while menus():
            if time.monotonic() > deadline:
                raise E2EError("the popup menu stays open")
            session.x("xdotool", "key", "Return")
            try:
                wait_until(lambda: not menus(), 2.0, "the menu to close")
            except E2EError:
                continue

    def open_menu(self, session, program):
        """Opens the popup menu with m; returns a function listing its open levels."""
        menus = lambda: [w for w in session.x("xdotool", "search", "--onlyvisible", "--class", "orbalt.exe").split()
                         if not session.x("xdotool", "getwindowname", w).strip()]
        program.press_until(MAIN, "m", menus, "the popup menu")
        return menus

    def open_dialog(self, session, program):
        self.choose(session, self.open_menu(session, program), "Down")  # "orbalt..."
        # Under Wine the X window of a new dialog can be made anew right after
        # it appears; keys go to it once the same window is found twice.
        seen = [None]

        def stable():
            ids = session.windows(DIALOG)
            found = ids[0] if ids else None
            same = found is not None and found == seen[0]
            seen[0] = found
            return found if same else None
        return wait_until(stable, 20, "the parameter dialog", interval=0.3)

    def test_dialog_ok_rebuilds_and_cancel_keeps_the_tunnel(self):
        with Session(self.id()) as session:
            program, _ = self.start(session)
            dialog = self.open_dialog(session, program)
            program.key(dialog, "ctrl+a", "1", "2", "8", "Return")
            program.wait_for_console("nSegments 128, nSegPoints 64, nVertices 8192, nTriangles 16384")
            builds = program.console().count("nSegments")
            dialog = self.open_dialog(session, program)
            program.key(dialog, "ctrl+a", "6", "4", "Escape")
            wait_until(lambda: not session.windows(DIALOG), 10, "the dialog to close")
            self.assertEqual(program.console().count("nSegments"), builds)
            self.assertEqual(program.quit_with_escape(), 0)

    def click_in_dialog(self, session, dialog, x_du, y_du):
        """Clicks the point given in dialog units. The dialog is 110 x 90 of
        them; its font's base units are 7 x 13 pixels, so a horizontal unit is
        7/4 and a vertical one 13/8 of a pixel, and the client area sits at the
        bottom of the window inside a 3-pixel border."""
        geometry = session.window_geometry(dialog)
        border = 3
        scale_x = (geometry["WIDTH"] - 2 * border) / 110.0
        scale_y = scale_x * (13.0 / 8.0) / (7.0 / 4.0)
        top = geometry["HEIGHT"] - border - 90 * scale_y
        session.x("xdotool", "mousemove", "--window", dialog, str(int(border + x_du * scale_x)),
                  str(int(top + y_du * scale_y)), "click", "1")

    def test_dialog_arrows_step_the_record(self):
        with Session(self.id()) as session:
            program, _ = self.start(session)
            dialog = self.open_dialog(session, program)
            program.key(dialog, "ctrl+a", "1", "0", "0")  # typed, then replaced by the arrows
            for _ in range(8):  # the sections' up arrow: 256 + 8 x 32
                self.click_in_dialog(session, dialog, 40, 12)
                time.sleep(0.2)
            program.key(dialog, "Return")
            program.wait_for_console("nSegments 512, nSegPoints 64")
            self.assertEqual(program.quit_with_escape(), 0)

    def test_dialog_value_that_cannot_build_keeps_flying(self):
        with Session(self.id()) as session:
            program, window = self.start(session)
            boxes = len(program.message_boxes())
            dialog = self.open_dialog(session, program)
            program.key(dialog, "ctrl+a", "3", "Return")
            program.wait_for_message_box(boxes + 1)
            program.dismiss_boxes(MAIN, window)
            self.assertTrue(program.running())
            self.press_until_picture_changes(session, program, "f")
            self.assertEqual(program.quit_with_escape(), 0)

if __name__ == "__main__":
    unittest.main()
