"""The Windows package: the zip's contents, and the version the exe carries."""

import glob
import os
import unittest
import zipfile

from harness import BIN_DIR

SHIPPED = {"orbalt.exe", "orbalt_config.txt", "texture.bmp", "test.sct", "README.txt"}


class Package(unittest.TestCase):
    def package(self):
        zips = glob.glob(os.path.join(BIN_DIR, os.pardir, "orbalt-*-win64.zip"))
        self.assertEqual(len(zips), 1, zips)
        return zips[0]

    def test_zip_holds_the_program_and_its_files(self):
        path = self.package()
        folder = os.path.basename(path)[:-len(".zip")]
        with zipfile.ZipFile(path) as package:
            files = {name[len(folder) + 1:] for name in package.namelist() if not name.endswith("/")}
            self.assertEqual(files, SHIPPED)
            for name in SHIPPED - {"README.txt"}:
                with open(os.path.join(BIN_DIR, name), "rb") as shipped:
                    self.assertEqual(package.read(folder + "/" + name), shipped.read(), name)

    def test_exe_carries_its_version(self):
        version = os.path.basename(self.package())[len("orbalt-"):-len("-win64.zip")]
        with open(os.path.join(BIN_DIR, "orbalt.exe"), "rb") as exe:
            data = exe.read()
        wide = lambda text: text.encode("utf-16-le")
        self.assertIn(wide("ProductVersion") + b"\0\0" + wide(version), data)
        self.assertIn(wide("OriginalFilename"), data)


if __name__ == "__main__":
    unittest.main()
