"""The Windows package: the zip's contents, and the version and manifest the exe carries."""

import glob
import os
import unittest
import xml.etree.ElementTree as ElementTree
import zipfile

from harness import BIN_DIR
from pe_resources import read_resource

PROGRAMS = ("orbalt.exe", "orbalt.scr", "orbalt-bench.exe")
SHIPPED = {"orbalt.exe", "orbalt.scr", "orbalt-bench.exe", "orbalt_config.txt", "texture.bmp", "test.sct", "README.txt"}

RT_MANIFEST = 24
MANIFEST_ID = 1  # the manifest Windows reads when it creates the process
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
# Windows 7, 8, 8.1 and 10/11: a system missing here runs the program in an older compatibility mode.
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
}


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
        wide = lambda text: text.encode("utf-16-le")
        for program in PROGRAMS:
            with self.subTest(program), open(os.path.join(BIN_DIR, program), "rb") as exe:
                data = exe.read()
                self.assertIn(wide("ProductVersion") + b"\0\0" + wide(version), data)
                self.assertIn(wide("OriginalFilename"), data)
                self.assertIn(wide(program), data)

    def test_exe_carries_its_manifest(self):
        for program in PROGRAMS:
            with self.subTest(program):
                self.check_manifest(program)

    def check_manifest(self, program):
        text = read_resource(os.path.join(BIN_DIR, program), RT_MANIFEST, MANIFEST_ID)
        self.assertIsNotNone(text, "no manifest resource of id 1")
        root = ElementTree.fromstring(text)  # raises on a manifest that is not well-formed XML
        self.assertEqual(root.tag, ASM_V1 + "assembly")
        self.assertEqual(root.get("manifestVersion"), "1.0")

        settings = root.find(f"{ASM_V3}application/{ASM_V3}windowsSettings")
        self.assertIsNotNone(settings, "no windowsSettings in the asm.v3 namespace")
        self.assertEqual((settings.findtext(SETTINGS_2005 + "dpiAware") or "").strip().lower(), "true/pm")
        awareness = settings.findtext(SETTINGS_2016 + "dpiAwareness") or ""
        self.assertEqual([part.strip().lower() for part in awareness.split(",")], ["permonitorv2", "permonitor"])

        supported = {entry.get("Id", "").lower() for entry in root.iter(COMPATIBILITY + "supportedOS")}
        self.assertLessEqual(SUPPORTED_OS, supported)

        levels = [(level.get("level"), level.get("uiAccess"))
                  for level in root.iter(ASM_V3 + "requestedExecutionLevel")]
        self.assertEqual(levels, [("asInvoker", "false")])

        identities = [identity.attrib for identity in
                      root.findall(f"{ASM_V1}dependency/{ASM_V1}dependentAssembly/{ASM_V1}assemblyIdentity")]
        controls = [identity for identity in identities if identity.get("name") == "Microsoft.Windows.Common-Controls"]
        self.assertEqual(len(controls), 1, identities)
        self.assertEqual((controls[0].get("type"), controls[0].get("version"), controls[0].get("publicKeyToken")),
                         ("win32", "6.0.0.0", "6595b64144ccf1df"))
        self.assertIn(controls[0].get("processorArchitecture"), ("amd64", "*"))


if __name__ == "__main__":
    unittest.main()
