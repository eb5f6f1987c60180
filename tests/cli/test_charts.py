#!/usr/bin/env python3
"""qrv-cli sweep --plot: the chart files, drawn by a plug-in that only --plot loads.
Usage: test_charts.py PATH-TO-QRV-CLI [--no-charts]; with --no-charts, the engine-only build's
qrv-cli, which has no plug-in, is checked to say so."""

import csv
import io
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

CLI = None
INPUTS = ["sweep", "--tmagma", "1473", "--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1", "--csv"]
SWEEP = [*INPUTS, "--r", "0.05:3:0.05"]


def cli(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=60)


class Charts(unittest.TestCase):
    def setUp(self):
        self.dir = self.enterContext(tempfile.TemporaryDirectory())

    def chart(self, name, *args, rows=60):
        """The chart file of a sweep that printed its CSV header and `rows` runs."""
        path = os.path.join(self.dir, name)
        done = cli(*args, "--plot", path)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(len(done.stdout.splitlines()), rows + 1)
        return pathlib.Path(path).read_bytes()

    def plot(self, name, *extra):
        return self.chart(name, *SWEEP, *extra)

    def test_png_has_the_asked_size(self):
        for extra, size in [((), (1600, 1000)), (("--size", "640x480", "--y", "ft", "--curve"), (640, 480))]:
            with self.subTest(extra=extra):
                png = self.plot("chart.png", *extra)
                self.assertEqual(png[:8], b"\x89PNG\r\n\x1a\n")
                self.assertEqual(png[12:16], b"IHDR")
                self.assertEqual(struct.unpack(">II", png[16:24]), size)

    def test_svg_carries_the_title_of_the_chosen_y(self):
        for key, title in [("cr", "QRV Conversion Ratios"), ("sf", "QRV Steam Fractions")]:
            with self.subTest(key=key):
                root = ElementTree.fromstring(self.plot("chart.svg", "--y", key))
                self.assertIn(title, [node.text or "" for node in root.iter()])

    def test_svg_and_pdf_name_the_release_that_drew_them(self):
        program, version = cli("--version").stdout.decode().split()
        self.assertEqual(program, "qrv-cli")
        root = ElementTree.fromstring(self.plot("chart.svg"))
        self.assertEqual(root.find("{http://www.w3.org/2000/svg}desc").text, "QRV " + version)
        self.plot("chart.pdf")
        info = subprocess.run(["pdfinfo", os.path.join(self.dir, "chart.pdf")], capture_output=True, check=True,
                              timeout=60).stdout.decode()
        self.assertRegex(info, r"(?m)^Creator: +QRV %s$" % re.escape(version))

    def test_pdf_renders_a_page_with_ink(self):
        pdf = self.plot("chart.pdf", "--curve")
        self.assertTrue(pdf.startswith(b"%PDF-"))
        # The page as a grey PGM, "P5\n<w> <h>\n255\n" and one byte a pixel: the chart leaves ink.
        pgm = subprocess.run(["pdftoppm", "-r", "30", "-gray", "-singlefile",
                              os.path.join(self.dir, "chart.pdf")], capture_output=True, check=True,
                             timeout=60).stdout
        magic, size, _, pixels = pgm.split(b"\n", 3)
        self.assertEqual(magic, b"P5")
        width, height = map(int, size.split())
        self.assertEqual(len(pixels), width * height)
        self.assertLess(min(pixels), 128)

    def svg_texts(self, *args, rows=60):
        root = ElementTree.fromstring(self.chart("chart.svg", *args, rows=rows))
        return {(node.text or "").strip() for node in root.iter()}

    def test_axes_and_legend_name_what_they_show(self):
        texts = self.svg_texts(*SWEEP, "--y", "ee", "--curve")
        self.assertTrue({"Water/magma ratio R", "Equilibrium entropy (kJ/(kg K))", "Equilibrium",
                         "TMagma 1473 K, water 298 K at 0.10 MPa, ambient 0.10 MPa"} <= texts, texts)
        # The origin and round ticks up to the last run's ratio, no further.
        self.assertTrue({"0.0", "0.5", "3.0"} <= texts and "3.5" not in texts and "4.0" not in texts, texts)

    def test_a_family_is_drawn_one_pair_per_member(self):
        texts = self.svg_texts(INPUTS[0], *INPUTS[3:], "--r", "0.05:3:0.05", "--family", "tmagma=1073,1273,1473",
                               "--curve", rows=180)
        self.assertTrue({"TMagma 1073 K", "TMagma 1273 K", "TMagma 1473 K", "Adiabatic", "Isothermal",
                         "mixed conditions: TMagma by curve; water 298 K at 0.10 MPa, ambient 0.10 MPa"} <= texts, texts)

    def test_reference_is_drawn_beside_the_runs(self):
        texts = self.svg_texts(*SWEEP, "--reference")
        self.assertTrue({"Adiabatic, IAPWS-95 reference", "Isothermal, IAPWS-95 reference"} <= texts, texts)
        self.assertTrue(any("outside IAPWS-95 validity (extrapolated)" in text for text in texts), texts)
        self.assertNotIn("Adiabatic, IAPWS-95 reference", self.svg_texts(*SWEEP))

    def test_the_largest_chart_and_the_most_runs_are_drawn_one_more_is_refused(self):
        for size, width_height in [("10000x300", (10000, 300)), ("300x10000", (300, 10000))]:
            with self.subTest(size=size):
                png = self.plot("chart.png", "--size", size)
                self.assertEqual(struct.unpack(">II", png[16:24]), width_height)
        self.assertEqual(self.chart("most.png", *INPUTS, "--r", "0.005:10:0.005", rows=2000)[:4], b"\x89PNG")
        for args, expected in [([*SWEEP, "--size", "10001x300"], "each side must be 1 to 10000"),
                               ([*SWEEP, "--size", "300x10001"], "each side must be 1 to 10000"),
                               ([*INPUTS, "--r", "0.005:10.005:0.005"], "at most 2000 runs, the sweep has 2001")]:
            with self.subTest(args=args):
                done = cli(*args, "--plot", os.path.join(self.dir, "refused.png"))
                self.assertEqual((done.returncode, done.stdout), (2, b""))
                self.assertIn(expected, done.stderr.decode())

    def test_refused_charts_make_no_runs(self):
        cases = [([*SWEEP, "--plot", "chart.gif"], "does not end in .png, .svg or .pdf"),
                 ([*SWEEP, "--plot", "chart.png", "--y", "xx"], "option --y: \"xx\" is not one of"),
                 ([*INPUTS, "--r", "0.001:3:0.001", "--plot", "chart.png"], "at most 2000 runs, the sweep has 3000"),
                 ([INPUTS[0], *INPUTS[3:], "--r", "0.01:7:0.01", "--family", "tmagma=1073,1273,1473",
                   "--plot", "chart.png"], "at most 2000 runs, the sweep has 2100")]
        for args, expected in cases:
            with self.subTest(args=args):
                done = cli(*args)
                self.assertEqual((done.returncode, done.stdout), (2, b""))
                self.assertIn(expected, done.stderr.decode())

    def test_failed_write_and_empty_chart_are_save_errors(self):
        done = cli(*SWEEP, "--plot", os.path.join(self.dir, "no", "chart.png"))
        self.assertEqual(done.returncode, 1)
        self.assertIn(b"Save error: ", done.stderr)
        self.assertEqual(len(done.stdout.splitlines()), 61)

        kept = os.path.join(self.dir, "kept.png")
        pathlib.Path(kept).write_bytes(b"earlier picture")
        os.chmod(kept, 0o444)
        done = cli(*SWEEP, "--plot", kept)
        self.assertEqual(done.returncode, 1)
        self.assertTrue(done.stderr.endswith(b"Save error: Permission denied\n"), done.stderr)
        self.assertEqual(pathlib.Path(kept).read_bytes(), b"earlier picture")

        none = os.path.join(self.dir, "none.png")
        done = cli(*INPUTS, "--r", "-0.2:0:0.1", "--plot", none)
        self.assertEqual(done.returncode, 1)
        self.assertIn(b"Save error: ", done.stderr)
        self.assertFalse(os.path.exists(none))


    def test_a_map_is_drawn_with_its_quantity_and_conditions_despite_failed_points(self):
        path = os.path.join(self.dir, "map.svg")
        done = cli("map", "--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1", "--r", "0:0.4:0.1",
                   "--tmagma", "1273:1473:100", "--plot", path, "--z", "diff-isothermal")
        # The points at R = 0 are refused: the status says so, the map shows them missing.
        self.assertEqual((done.returncode, len(done.stdout.splitlines())), (2, 16), done.stderr)
        texts = [node.text or "" for node in ElementTree.parse(path).iter()]
        for text in ["QRV Isothermal Conversion Ratio minus IAPWS-95", "TInit 298 K, PInit 0.1 MPa, PFinal 0.1 MPa",
                     "Magma temperature (K)", "Water/magma ratio R"]:
            self.assertTrue(any(text in t for t in texts), text)

    def test_sweep_peaks_are_printed_and_marked_on_the_chart(self):
        path = os.path.join(self.dir, "peaks.svg")
        done = cli(INPUTS[0], *INPUTS[3:], "--r", "0.05:1:0.05", "--family", "tmagma=1073,1473", "--peaks",
                   "--plot", path, "--reference")
        self.assertEqual(done.returncode, 0, done.stderr)
        rows = list(csv.DictReader(io.StringIO(done.stdout.decode())))
        self.assertEqual(len(rows), 8)
        # Each printed peak's value and place stands on the chart beside its mark.
        texts = [node.text or "" for node in ElementTree.parse(path).iter()]
        for row in rows:
            label = "%.2f %% at R %.3f" % (float(row["CR [%]"]), float(row["R"]))
            self.assertIn(label, texts)

    def test_peaks_on_another_quantity_are_refused_before_any_run(self):
        done = cli(*SWEEP, "--peaks", "--plot", os.path.join(self.dir, "sf.png"), "--y", "sf")
        self.assertEqual((done.returncode, done.stdout), (2, b""))
        self.assertIn(b"option --peaks marks the peaks of the conversion ratio: with --plot it needs --y cr, not sf",
                      done.stderr)

    def test_mc_histograms_in_each_picture_type(self):
        mc = ["mc", *INPUTS[1:-1], "--r", "-0.1..0.3", "--n", "300", "--seed", "5"]
        for name in ["mc.png", "mc.svg", "mc.pdf"]:
            with self.subTest(name=name):
                path = os.path.join(self.dir, name)
                done = cli(*mc, "--plot", path, "--size", "1200x750")
                # Failed samples (R not above 0) set status 3; the picture is still written.
                self.assertEqual(done.returncode, 3, done.stderr)
                failed = int(re.search(rb"(\d+) of 300 samples failed", done.stderr).group(1))
                picture = pathlib.Path(path).read_bytes()
                if name.endswith(".png"):
                    self.assertEqual(picture[:8], b"\x89PNG\r\n\x1a\n")
                    self.assertEqual(struct.unpack(">II", picture[16:24]), (1200, 750))
                elif name.endswith(".pdf"):
                    self.assertTrue(picture.startswith(b"%PDF-"))
                else:
                    texts = [node.text or "" for node in ElementTree.fromstring(picture).iter()]
                    for text in ["QRV Uncertainty", "Equilibrium pressure (MPa)",
                                 "%d of 300 samples failed and are left out" % failed,
                                 "Drawn: R -0.1..0.3 (uniform); fixed: TMagma 1473 K, TInit 298 K, PInit 0.1 MPa, "
                                 "PFinal 0.1 MPa; seed 5"]:
                        self.assertTrue(any(text in t for t in texts), text)

    def test_mc_pictures_refused_before_any_sample(self):
        mc = ["mc", *INPUTS[1:-1], "--r", "0.3~0.05", "--n", "1000000"]
        for args, expected in [(["--plot", "mc.gif"], 'option --plot: "mc.gif" does not end in .png, .svg or .pdf'),
                               (["--plot", "mc.png", "--size", "0x10"], "each side must be 1 to 10000"),
                               (["--size", "800x600"], "option --size goes with --plot")]:
            with self.subTest(args=args):
                done = cli(*mc, *args)
                self.assertEqual((done.returncode, done.stdout), (2, b""))
                self.assertIn(expected, done.stderr.decode())


class PlugIn(unittest.TestCase):
    def test_runs_load_no_qt(self):
        libraries = subprocess.run(["ldd", CLI], capture_output=True, check=True, timeout=60).stdout.decode()
        self.assertIn("libc.so", libraries)
        self.assertNotIn("libQt", libraries)

    def test_without_its_plug_in_a_chart_is_refused_before_any_run(self):
        with tempfile.TemporaryDirectory() as folder:
            alone = shutil.copy(CLI, folder)
            chart = os.path.join(folder, "chart.png")
            done = subprocess.run([alone, *SWEEP, "--plot", chart], capture_output=True, timeout=60)
            self.assertEqual((done.returncode, done.stdout), (2, b""))
            err = done.stderr.decode()
            self.assertTrue(err.startswith("qrv-cli: option --plot: charts are not available: the chart plug-in "
                                           "qrv-cli-charts.so is neither in %s nor in " % folder), err)
            self.assertFalse(os.path.exists(chart))
            done = subprocess.run([alone, *SWEEP], capture_output=True, timeout=60)
            self.assertEqual((done.returncode, len(done.stdout.splitlines())), (0, 61), done.stderr)


class NoChartsInThisBuild(unittest.TestCase):
    def test_plot_says_so_before_any_run(self):
        with tempfile.TemporaryDirectory() as folder:
            chart = os.path.join(folder, "chart.png")
            done = cli(*SWEEP, "--plot", chart)
            self.assertEqual((done.returncode, done.stdout), (2, b""))
            self.assertEqual(done.stderr, b"qrv-cli: option --plot: charts are not available in this build of "
                                          b"qrv-cli, which has no Qt\n")
            self.assertFalse(os.path.exists(chart))
            done = cli("map", "--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1", "--r", "0.1:0.4:0.1",
                       "--tmagma", "1273:1473:100", "--plot", chart, "--z", "teq")
            self.assertEqual((done.returncode, done.stdout), (2, b""))
            self.assertIn(b"qrv-cli: option --plot: ", done.stderr)
            self.assertFalse(os.path.exists(chart))
            done = cli("mc", *INPUTS[1:-1], "--r", "0.3~0.05", "--plot", chart)
            self.assertEqual((done.returncode, done.stdout), (2, b""))
            self.assertEqual(done.stderr, b"qrv-cli: option --plot: histograms are not available in this build of "
                                          b"qrv-cli, which has no Qt\n")
            self.assertFalse(os.path.exists(chart))


if __name__ == "__main__":
    CLI = sys.argv.pop(1)
    without = "--no-charts" in sys.argv
    if without:
        sys.argv.remove("--no-charts")
    loader = unittest.defaultTestLoader
    suite = unittest.TestSuite([loader.loadTestsFromTestCase(NoChartsInThisBuild)] if without else
                               [loader.loadTestsFromTestCase(Charts), loader.loadTestsFromTestCase(PlugIn)])
    sys.exit(not unittest.TextTestRunner(verbosity=1).run(suite).wasSuccessful())
