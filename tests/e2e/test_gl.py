"""The GL side of orbalt.exe under Wine: pixel formats and GL strings in the
log, the texture and extension lines on the console, the sky-coloured window,
and starts without a usable texture.bmp."""

import os
import struct
import subprocess
import unittest

from harness import Session, E2EError, wait_until

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


def pixel(session, window, x, y):
    """RGB of the window's pixel (x, y), taken from a screenshot of that window."""
    out = subprocess.run(
        ["import", "-window", window, "-crop", "1x1+%d+%d" % (x, y), "-depth", "8", "rgb:-"],
        env=session.env(), capture_output=True).stdout
    return tuple(out[:3]) if len(out) >= 3 else None


class GLSide(unittest.TestCase):
    def start(self, session):
        session.write_config(WINDOWED)
        program = session.launch()
        program.dismiss_about_box()
        return program, program.wait_for_window(r"^orbalt$")

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
                self.assertEqual(program.message_boxes()[1:], [], kind)


if __name__ == "__main__":
    unittest.main()
