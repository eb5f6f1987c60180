#!/usr/bin/env python3
"""What `cmake --install` puts on a desktop. Usage: test_install.py CMAKE BUILD-DIR"""

import configparser
import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

CMAKE = None
BUILD = None
MIME = "{http://www.freedesktop.org/standards/shared-mime-info}"


class Installed(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.prefix = cls.folder.name
        subprocess.run([CMAKE, "--install", BUILD, "--prefix", cls.prefix], check=True,
                       capture_output=True, timeout=120)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def path(self, *parts):
        return os.path.join(self.prefix, *parts)

    def test_programs_icon_and_desktop_entry(self):
        for program in ["qrv", "qrv-cli", "vaptab"]:
            self.assertTrue(os.access(self.path("bin", program), os.X_OK), program)
        self.assertTrue(os.path.isfile(self.path("share", "icons", "hicolor", "scalable", "apps", "qrv.svg")))
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.path("share", "applications", "qrv.desktop"))
        desktop = entry["Desktop Entry"]
        self.assertEqual(desktop["Exec"], "qrv %f")
        self.assertIn("application/x-qrv", desktop["MimeType"].split(";"))

    def test_results_files_have_their_own_type(self):
        package = ElementTree.parse(self.path("share", "mime", "packages", "qrv.xml")).getroot()
        types = {t.get("type"): t for t in package.findall(MIME + "mime-type")}
        self.assertEqual(list(types), ["application/x-qrv"])
        globs = [g.get("pattern") for g in types["application/x-qrv"].findall(MIME + "glob")]
        self.assertEqual(globs, ["*.qrv"])
        # Installing onto the machine built the desktop's file-type database from the package
        # with its own tool: a file name ending in .qrv is of this type.
        with open(self.path("share", "mime", "globs2"), encoding="utf-8") as globs2:
            self.assertIn("application/x-qrv:*.qrv", [line.split(":", 1)[1].strip() for line in globs2
                                                       if not line.startswith("#")])


if __name__ == "__main__":
    CMAKE, BUILD = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
