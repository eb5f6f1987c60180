#!/usr/bin/env python3
"""The Debian package of the build: its name, the dependencies worked out from the linked
libraries, what it holds, and the programs as they run from its files.
Usage: test_package.py BUILD-DIR VERSION"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

BUILD = None
VERSION = None


def dpkg_deb(*args):
    return subprocess.run(["dpkg-deb", *args], capture_output=True, check=True, timeout=120).stdout.decode()


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        # Made into a folder of its own, so that the build folder's own package stays as it is.
        subprocess.run([shutil.which("cpack"), "-G", "DEB", "--config", os.path.join(BUILD, "CPackConfig.cmake"),
                        "-B", cls.folder.name], check=True, capture_output=True, timeout=240)
        architecture = subprocess.run(["dpkg", "--print-architecture"], capture_output=True, check=True,
                                      text=True).stdout.strip()
        cls.deb = os.path.join(cls.folder.name, "qrv_%s_%s.deb" % (VERSION, architecture))
        cls.root = os.path.join(cls.folder.name, "root")
        if os.path.isfile(cls.deb):
            dpkg_deb("-x", cls.deb, cls.root)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_control_names_the_release_and_the_linked_libraries(self):
        self.assertTrue(os.path.isfile(self.deb), os.listdir(self.folder.name))
        self.assertEqual(dpkg_deb("-f", self.deb, "Package", "Version").splitlines(),
                         ["Package: qrv", "Version: " + VERSION])
        depends = [item.split()[0] for item in dpkg_deb("-f", self.deb, "Depends").split(",")]
        for library in ["libc6", "libstdc++6", "libqt6widgets6", "libqt6charts6", "libqt6svg6", "libqt6printsupport6"]:
            self.assertIn(library, depends)

    def test_holds_programs_plug_in_and_desktop_files_and_nothing_else(self):
        paths = [line.split()[-1][1:] for line in dpkg_deb("-c", self.deb).splitlines()]
        files = {path for path in paths if not path.endswith("/")}
        for expected in ["/usr/bin/qrv", "/usr/bin/qrv-cli", "/usr/bin/vaptab",
                         "/usr/lib/qrv/plugins/qrv-cli-charts.so",
                         "/usr/share/man/man1/qrv.1.gz", "/usr/share/man/man1/qrv-cli.1.gz",
                         "/usr/share/man/man1/vaptab.1.gz", "/usr/share/bash-completion/completions/qrv-cli",
                         "/usr/share/applications/qrv.desktop", "/usr/share/icons/hicolor/scalable/apps/qrv.svg",
                         "/usr/share/mime/packages/qrv.xml", "/usr/share/metainfo/org.tarvel.qrv.metainfo.xml",
                         "/usr/share/doc/qrv/copyright", "/usr/share/doc/qrv/changelog.gz"]:
            self.assertIn(expected, files)
        self.assertEqual([p for p in paths if not p.startswith("/usr/")], [])
        self.assertEqual([p for p in files if "python" in p], [])
        # The desktop caches belong to the machine's own packages (their triggers rebuild them).
        self.assertEqual([p for p in files if p.startswith("/usr/share/mime/") and "/packages/" not in p], [])

    def test_programs_run_from_the_package_files(self):
        bin_folder = os.path.join(self.root, "usr", "bin")
        inputs = ["--tmagma", "1473", "--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1"]
        run = subprocess.run([os.path.join(bin_folder, "qrv-cli"), "run", *inputs, "--r", "0.3"],
                             capture_output=True, timeout=60)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn(b"16.90", run.stdout)
        # The stripped plug-in is found where the package puts it, beside no program.
        chart = os.path.join(self.folder.name, "chart.svg")
        plot = subprocess.run([os.path.join(bin_folder, "qrv-cli"), "sweep", *inputs, "--r", "0.1:0.3:0.1",
                               "--plot", chart], capture_output=True, timeout=60,
                              env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
        self.assertEqual(plot.returncode, 0, plot.stderr)
        self.assertTrue(os.path.getsize(chart) > 1000)
        table = subprocess.run([os.path.join(bin_folder, "vaptab")], input=b"si out\np and t\n0.1,25\ns\n",
                               capture_output=True, timeout=60)
        self.assertEqual(table.returncode, 0, table.stderr)
        self.assertIn(b"phase = liquid", table.stdout)


if __name__ == "__main__":
    BUILD, VERSION = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
