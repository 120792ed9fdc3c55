"""The GL side of orbalt.exe under Wine: pixel formats and GL strings in the
log, the texture and extension lines on the console, the sky-coloured window,
starts without a usable texture.bmp, and textures scaled to what the driver
holds (Mesa made to act as an OpenGL 1.1 driver without non-power-of-two
sizes, and an image wider than llvmpipe's largest texture)."""

import os
import re
import struct
import subprocess
import unittest

from harness import Session, E2EError, TEXT_ROWS, changed_fraction, wait_until

WINDOWED = "FullScreen NO\nXResolution 640\nYResolution 480\n"
SKY = (128, 178, 255)  # the clear colour (0.5, 0.7, 1.0)


def os2_huffman_bmp():
    """An 8 x 8 1-bit .bmp with a 64-byte OS/2 2.x header whose compression 3
    means 1-D Huffman coding (in a Windows header 3 would be bit fields)."""
    header = struct.pack("<IiiHHI", 64, 8, 8, 1, 1, 3).ljust(64, b"\0")
    table = b"\0\0\0\0\xff\xff\xff\0"
    pixels = b"\x55\xaa" * 16
    offset = 14 + len(header) + len(table)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + table + pixels


# Mesa's own overrides, read by the host GL driver inside the Wine process:
# an OpenGL 1.1 driver that holds textures with power-of-two sides only.
GL_1_1_POWERS_OF_TWO = {
    "MESA_GL_VERSION_OVERRIDE": "1.1",
    "MESA_EXTENSION_OVERRIDE": "-GL_ARB_texture_non_power_of_two",
}
RED = (255, 0, 0)


def bmp24(width, height, rgb):
    """A bottom-up 24-bit .bmp of one colour, rows padded to 4 bytes."""
    row = bytes((rgb[2], rgb[1], rgb[0])) * width
    row += b"\0" * (-len(row) % 4)
    pixels = row * height
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + pixels


def scene_samples(picture):
    """Every 7th pixel of the window picture's client area, leaving out the
    caption and the frame-rate line at the top and Wine's frame."""
    width, height, data = picture
    border = max(0, (width - 640) // 2)
    samples = []
    for y in range(TEXT_ROWS, height - border):
        row = y * width
        samples += [tuple(data[3 * i:3 * i + 3]) for i in range(row + border, row + width - border, 7)]
    return samples


def wall_samples(picture):
    """Sampled pixels that are wall: clearly apart from the sky (the fog colour)."""
    return [p for p in scene_samples(picture) if max(abs(a - b) for a, b in zip(p, SKY)) > 30]


def red_share(walls):
    """Share of wall pixels whose red clearly exceeds both green and blue.
    Light and fog modulate the texture, so a red texture shows as reds of
    many shades, while the shipped texture's walls are grey-blue."""
    return sum(1 for r, g, b in walls if r > g + 20 and r > b + 20) / float(max(1, len(walls)))


def pixel(session, window, x, y):
    """RGB of the window's pixel (x, y), taken from a screenshot of that window."""
    out = subprocess.run(
        ["import", "-window", window, "-crop", "1x1+%d+%d" % (x, y), "-depth", "8", "rgb:-"],
        env=session.env(), capture_output=True).stdout
    return tuple(out[:3]) if len(out) >= 3 else None


class GLSide(unittest.TestCase):
    def start(self, session, env=None):
        session.write_config(WINDOWED)
        program = session.launch(env=env)
        program.dismiss_about_box()
        return program, program.wait_for_window(r"^orbalt$")

    def tunnel_picture(self, session, window):
        """Waits until the window shows the tunnel: nothing left black, most of it wall."""
        def shown():
            picture = session.window_picture(window)
            if not picture:
                return None
            samples = scene_samples(picture)
            black = sum(1 for p in samples if p == (0, 0, 0))
            walls = wall_samples(picture)
            return picture if black < 0.01 * len(samples) and len(walls) > 0.5 * len(samples) else None
        return wait_until(shown, 20, "the tunnel on screen")

    def wait_for_scaled_line(self, program, pattern):
        """Waits for the texture's scaled-size line on the console; returns its match."""
        line = re.compile(r"InitTexture\(Z:[^\n]*\\orbalt dir\\texture\.bmp\) : " + pattern + r"\n")
        try:
            return wait_until(lambda: line.search(program.console()), 20, "the line %s" % pattern)
        except E2EError:
            self.fail("no line %r on the console:\n%s" % (pattern, program.console()))

    def assert_gl_1_1_driver(self, log):
        """The overrides took: else a passing or failing case would say nothing about such a driver."""
        strings = dict(re.findall(r"^(GL_VERSION|GL_EXTENSIONS): +(.*)$", log, re.M))
        self.assertRegex(strings.get("GL_VERSION", ""), r"^1\.1 ")
        self.assertNotIn("GL_ARB_texture_non_power_of_two", strings.get("GL_EXTENSIONS", "").split())

    def test_log_holds_pixel_formats_and_gl_strings(self):
        with Session(self.id()) as session:
            program, window = self.start(session)
            self.assertEqual(program.quit_with_escape(), 0)
            log = program.log()
            self.assertIn("[Pixel Format Enumeration]\nID  1: flags: WINDOW ", log)
            self.assertIn("Current pixel format: \nID ", log)
            self.assertIn("DOUBLEBUFFER", log.split("Current pixel format: ")[1].split("\n")[1])
            for prefix in ("GL_VENDOR:     ", "GL_RENDERER:   ", "GL_VERSION:    ", "GL_EXTENSIONS: "):
                self.assertIn("\n" + prefix, log)
            self.assertIn(" GL_EXT_compiled_vertex_array ", log)

    def test_console_shows_texture_and_the_window_the_sky(self):
        with Session(self.id()) as session:
            program, window = self.start(session)
            texture = program.wait_for_console("InitTexture(")
            self.assertTrue(texture)
            console = program.console()
            self.assertIn("InitTexture(Z:", console)
            self.assertIn("\\orbalt dir\\texture.bmp) \n", console)
            # Wine offers both extensions and their entry points: no extension line.
            self.assertNotIn("not supported", console)
            self.assertNotIn("wglGetProcAddress() failure", console)

            geometry = session.window_geometry(window)
            centre = (geometry["WIDTH"] // 2, geometry["HEIGHT"] // 2)
            try:
                wait_until(lambda: pixel(session, window, *centre) == SKY, 10, "the sky colour")
            except E2EError:
                self.fail("window centre is %s, not the sky %s" % (pixel(session, window, *centre), SKY))
            self.assertEqual(program.quit_with_escape(), 0)

    def test_missing_or_refused_texture_is_reported_and_the_program_starts(self):
        # Missing, and an OS/2 2.x file whose pixels are 1-D Huffman coded:
        # that one used to be shown as if its coded bytes were pixels.
        with Session(self.id()) as session:
            texture = os.path.join(session.program_dir, "texture.bmp")
            for kind in ("missing", "huffman"):
                if kind == "missing":
                    os.remove(texture)
                else:
                    with open(texture, "wb") as out:
                        out.write(os2_huffman_bmp())
                program, window = self.start(session)
                program.wait_for_console("InitTexture(")
                self.assertIn("\\orbalt dir\\texture.bmp) : Image::Load() error\n", program.console(), kind)
                self.assertEqual(program.quit_with_escape(), 0)
                failed_open_logged = "\\orbalt dir\\texture.bmp): system error 2: " in program.log()
                self.assertEqual(failed_open_logged, kind == "missing", kind)
                self.assertEqual(program.message_boxes()[1:], [], kind)

    def test_shipped_texture_draws_the_same_for_a_gl_1_1_driver(self):
        # 256 x 256 needs no scaling on any driver: the same picture as under
        # the full driver, and no scaled line.
        pictures = {}
        with Session(self.id()) as session:
            for name, env in (("full", None), ("1.1", GL_1_1_POWERS_OF_TWO)):
                program, window = self.start(session, env)
                program.wait_for_console("InitTexture(")
                pictures[name] = self.tunnel_picture(session, window)
                self.assertEqual(program.quit_with_escape(), 0, name)
                console, log = program.console(), program.log()
                for text in ("scaled to", "glTexImage2D() error"):
                    self.assertNotIn(text, console, name)
                    self.assertNotIn(text, log, name)
                if env:
                    self.assert_gl_1_1_driver(log)
        full, old = pictures["full"], pictures["1.1"]
        self.assertEqual(full[:2], old[:2])
        self.assertLess(changed_fraction(full[2], old[2], TEXT_ROWS, 3 * full[0]), 0.01)
        # The shipped walls are not red, so red walls in the cases of red
        # textures come from those textures.
        self.assertLess(red_share(wall_samples(old)), 0.05)

    def test_texture_with_other_sides_than_powers_of_two_is_scaled_for_a_gl_1_1_driver(self):
        with Session(self.id()) as session:
            with open(os.path.join(session.program_dir, "texture.bmp"), "wb") as out:
                out.write(bmp24(300, 200, RED))
            program, window = self.start(session, GL_1_1_POWERS_OF_TWO)
            line = self.wait_for_scaled_line(
                program, r"300 x 200 scaled to 256 x 128, the driver needs powers of two").group(0)
            share = red_share(wall_samples(self.tunnel_picture(session, window)))
            self.assertEqual(program.quit_with_escape(), 0)
            log = program.log()
            self.assert_gl_1_1_driver(log)
            self.assertIn(line, log)
            self.assertNotIn("glTexImage2D() error", program.console())
            # Measured about 0.7: the near walls red, the far ones fading into the fog.
            self.assertGreater(share, 0.5)

    def test_texture_wider_than_the_driver_holds_is_scaled(self):
        # llvmpipe holds at most 16384 texels a side; the full driver takes
        # any size up to that, so only the width is cut.
        with Session(self.id()) as session:
            with open(os.path.join(session.program_dir, "texture.bmp"), "wb") as out:
                out.write(bmp24(20000, 4, RED))
            program, window = self.start(session)
            match = self.wait_for_scaled_line(
                program, r"20000 x 4 scaled to (\d+) x 4, larger than the driver holds")
            share = red_share(wall_samples(self.tunnel_picture(session, window)))
            self.assertEqual(program.quit_with_escape(), 0)
            width = int(match.group(1))
            self.assertIn(width, [1 << n for n in range(10, 15)])  # 1024 ... 16384: GL's largest sizes
            self.assertIn(match.group(0), program.log())
            self.assertNotIn("glTexImage2D() error", program.console())
            self.assertGreater(share, 0.5)


if __name__ == "__main__":
    unittest.main()
