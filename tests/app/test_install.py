#!/usr/bin/env python3
"""What `cmake --install` puts on a desktop, and the installed qrv-cli with its chart plug-in.
Usage: test_install.py CMAKE BUILD-DIR"""

import configparser
import os
import struct
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

    def test_installed_cli_finds_its_chart_plug_in(self):
        plug_ins = [os.path.join(folder, name) for folder, _, names in os.walk(self.prefix) for name in names
                    if name == "qrv-cli-charts.so"]
        self.assertEqual(len(plug_ins), 1, plug_ins)
        self.assertNotEqual(os.path.dirname(plug_ins[0]), self.path("bin"))
        chart = self.path("chart.png")
        done = subprocess.run([self.path("bin", "qrv-cli"), "sweep", "--tmagma", "1473", "--tinit", "298",
                               "--pinit", "0.1", "--pfinal", "0.1", "--r", "0.1:0.5:0.1", "--plot", chart,
                               "--size", "320x200"], capture_output=True, timeout=60,
                              env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(chart, "rb") as png:
            header = png.read(24)
        self.assertEqual((header[:8], struct.unpack(">II", header[16:24])), (b"\x89PNG\r\n\x1a\n", (320, 200)))

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


class Staged(unittest.TestCase):
    def test_a_staged_install_writes_only_into_its_stage(self):
        # A package build stages the files under DESTDIR; the desktop's caches of the real
        # prefix are left to the package's triggers.
        with tempfile.TemporaryDirectory() as stage:
            prefix = os.path.join(stage, "machine")
            machine_mime = os.path.join(prefix, "share", "mime")
            os.makedirs(os.path.join(machine_mime, "packages"))
            subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], check=True, capture_output=True,
                           timeout=120, env={**os.environ, "DESTDIR": os.path.join(stage, "root")})
            staged = os.path.join(stage, "root") + prefix
            self.assertTrue(os.path.isfile(os.path.join(staged, "share", "mime", "packages", "qrv.xml")))
            self.assertFalse(os.path.exists(os.path.join(staged, "share", "mime", "globs2")))
            self.assertEqual(os.listdir(machine_mime), ["packages"])


if __name__ == "__main__":
    CMAKE, BUILD = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
