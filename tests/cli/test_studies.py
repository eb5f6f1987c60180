#!/usr/bin/env python3
"""qrv-cli's studies end to end: map, mc, sweep --peaks and the progress line.
Usage: test_studies.py PATH-TO-QRV-CLI"""

import csv
import io
import json
import math
import os
import pty
import subprocess
import sys
import tempfile
import unittest

import test_cli
from test_cli import cli

FIXED = ["--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1"]
START_UP = ["--tmagma", "1473", *FIXED]


def rows(done):
    return list(csv.DictReader(io.StringIO(done.stdout.decode())))


class Study(test_cli.CliTest):
    def refused(self, *args):
        """The first line of the refusal."""
        return super().refused(*args).splitlines()[0]


class Map(Study):
    def test_cells_equal_single_runs(self):
        done = self.ok("map", "--r", "0.1:0.5:0.2", "--tmagma", "1273:1473:200", *FIXED, "--csv")
        table = rows(done)
        self.assertEqual([(r["Map R"], r["Map TMagma [K]"]) for r in table][:4],
                         [("0.1", "1273"), ("0.30000000000000004", "1273"), ("0.5", "1273"), ("0.1", "1473")])
        self.assertEqual(len(table), 6)
        for row in table:
            with self.subTest(r=row["Map R"], tmagma=row["Map TMagma [K]"]):
                run = json.loads(cli("run", "--r", row["Map R"], "--tmagma", row["Map TMagma [K]"], *FIXED,
                                     "--json").stdout)
                for name, value in run["record"].items():
                    self.assertEqual(float(row[name]), value, name)
                self.assertEqual(float(row["IAPWS-95 CRAdiabatic [%]"]), run["reference"]["adiabatic"]["CR"])
                self.assertEqual(float(row["IAPWS-95 CRIsothermal [%]"]), run["reference"]["isothermal"]["CR"])
                self.assertEqual(row["Status"], "completed")

    def test_failed_points_keep_their_row_without_numbers(self):
        done = cli("map", "--r", "0:0.2:0.1", "--x", "0.5:1:0.5", *START_UP, "--csv")
        self.assertEqual(done.returncode, 2)
        table = rows(done)
        self.assertEqual(len(table), 6)
        failed = [r for r in table if r["Map R"] == "0"]
        self.assertEqual(len(failed), 2)
        for row in failed:
            self.assertEqual(row["Status"], "an input was refused: Enter R value > 0")
            self.assertEqual([row[k] for k in ("R", "TEq [K]", "CRAdiabatic [%]", "IAPWS-95 CRIsothermal [%]")],
                             ["", "", "", ""])
        self.assertIn("[R=0 X=0.5] Enter R value > 0", done.stderr.decode())
        self.assertIn("2 of 6 points failed", done.stderr.decode())
        # The water fraction of each point reached its run: a wet sediment of X 0.5 differs.
        teq = {(r["Map R"], r["Map X"]): r["TEq [K]"] for r in table}
        self.assertNotEqual(teq[("0.1", "0.5")], teq[("0.1", "1")])

    def test_refusals_name_the_option(self):
        for args, reason in [
            (["--r", "0.1:0.3:0.1", *START_UP], "map takes exactly two of --r, --tmagma, --tinit, --pinit, "
                                                "--pfinal and --x as FROM:TO:STEP ranges, not 1"),
            (["--r", "0.1:0.3:0.1", "--tmagma", "1:2:1", "--tinit", "1:2:1", "--pinit", "1", "--pfinal", "1"],
             "map takes exactly two of --r, --tmagma, --tinit, --pinit, --pfinal and --x as FROM:TO:STEP "
             "ranges, not 3"),
            (["--r", "0.1:0.3", "--tmagma", "1273:1473:100", *FIXED], "option --r: \"0.1:0.3\" is not FROM:TO:STEP"),
            (["--r", "0.3", "--tmagma", "1473:1273:100", *FIXED],
             "option --tmagma: the range must not end below its start"),
            (["--r", "0.1:0.3:0.1", "--tmagma", "hot", *FIXED], "option --tmagma: \"hot\" is neither a number "
                                                                  "nor FROM:TO:STEP"),
            (["--r", "0.001:1:0.001", "--tmagma", "1000:1100:1", *FIXED],
             "map: the grid has 1000 x 101 points, more than 100000"),
            (["--r", "0.1:0.3:0.1", "--tmagma", "1273:1473:100", *FIXED, "--z", "teq"], "option --z goes with --plot"),
            (["--r", "0.1:0.3:0.1", "--tmagma", "1273:1473:100", *FIXED, "--plot", "m.png"],
             "option --plot needs --z, the quantity the map colours"),
            (["--r", "0.1:0.3:0.1", "--tmagma", "1273:1473:100", *FIXED, "--plot", "m.png", "--z", "cr"],
             "option --z: \"cr\" is not one of the quantities a map colours (see qrv-cli map --help)"),
        ]:
            with self.subTest(reason=reason):
                self.assertEqual(self.refused("map", *args), "qrv-cli: " + reason)


MC = ["mc", "--r", "0.3", "--tmagma", "1473~50", *FIXED]
OUTPUTS = ["CRAdiabatic [%]", "CRIsothermal [%]", "IAPWS-95 CRAdiabatic [%]", "IAPWS-95 CRIsothermal [%]",
           "TEq [K]", "PEq [MPa]"]


class Uncertainty(Study):
    def test_a_seed_gives_the_same_samples_and_summary(self):
        first = self.ok(*MC, "--n", "300", "--seed", "5", "--json")
        self.assertEqual(self.ok(*MC, "--n", "300", "--seed", "5", "--json").stdout, first.stdout)
        self.assertNotEqual(self.ok(*MC, "--n", "300", "--seed", "6", "--json").stdout, first.stdout)
        summary = json.loads(first.stdout)
        self.assertEqual((summary["samples"], summary["failed"], summary["seed"]), (300, 0, 5))
        self.assertEqual(list(summary["outputs"]), OUTPUTS)
        # The summary is that of the samples the CSV lists.
        samples = rows(self.ok(*MC, "--n", "300", "--seed", "5", "--csv"))
        self.assertEqual(len(samples), 300)
        for name in OUTPUTS:
            with self.subTest(output=name):
                values = sorted(float(s[name]) for s in samples)
                spread = summary["outputs"][name]
                self.assertEqual(spread["count"], 300)
                self.assertAlmostEqual(spread["mean"], sum(values) / 300, delta=1e-6 * abs(spread["mean"]))
                self.assertAlmostEqual(spread["p50"], (values[149] + values[150]) / 2, delta=1e-6 * abs(spread["p50"]))
                self.assertLess(spread["p5"], spread["p25"])
                self.assertLess(spread["p75"], spread["p95"])
        magma = [float(s["TMagma [K]"]) for s in samples]
        self.assertAlmostEqual(sum(magma) / 300, 1473, delta=4 * 50 / math.sqrt(300))

    def test_failed_samples_are_counted(self):
        done = cli("mc", "--r", "-0.1..0.3", *START_UP, "--n", "200", "--csv")
        self.assertEqual(done.returncode, 3)
        samples = rows(done)
        failed = [s for s in samples if s["Status"] != "completed"]
        self.assertTrue(20 < len(failed) < 80, len(failed))
        self.assertTrue(all(float(s["R"]) <= 0 and s["CRAdiabatic [%]"] == "" for s in failed))
        self.assertIn("%d of 200 samples failed" % len(failed), done.stderr.decode())
        summary = json.loads(cli("mc", "--r", "-0.1..0.3", *START_UP, "--n", "200", "--json").stdout)
        self.assertEqual(summary["failed"], len(failed))
        self.assertEqual(summary["outputs"]["TEq [K]"]["count"], 200 - len(failed))

    def test_refusals_name_the_option(self):
        for args, reason in [
            (["--tmagma", "1473~-1"], "option --tmagma: \"1473~-1\": the standard deviation must not be negative"),
            (["--tmagma", "2000..1000"], "option --tmagma: \"2000..1000\": the upper end must not be below the lower"),
            (["--n", "0"], "option --n: \"0\" is not a number of samples from 1 to 1000000"),
            (["--n", "1000001"], "option --n: \"1000001\" is not a number of samples from 1 to 1000000"),
            (["--seed", "-1"], "option --seed: \"-1\" is not a whole number from 0 to 18446744073709551615"),
            (["--seed", "18446744073709551616"],
             "option --seed: \"18446744073709551616\" is not a whole number from 0 to 18446744073709551615"),
            (["--json", "--csv"], "options --csv and --json exclude each other"),
        ]:
            with self.subTest(reason=reason):
                base = ["mc", "--r", "0.3", *FIXED] if args[0] == "--tmagma" else MC
                self.assertEqual(self.refused(*base, *args), "qrv-cli: " + reason)


class Peaks(Study):
    def test_a_row_per_member_and_path(self):
        done = self.ok("sweep", *FIXED, "--r", "0.1:1:0.1", "--family", "tmagma=1073,1473", "--peaks", "--csv")
        table = rows(done)
        self.assertEqual(list(table[0]), ["Member TMagma [K]", "Path", "R", "CR [%]"])
        paths = ["Adiabatic", "Isothermal", "IAPWS-95 Adiabatic", "IAPWS-95 Isothermal"]
        self.assertEqual([(r["Member TMagma [K]"], r["Path"]) for r in table],
                         [(m, p) for m in ("1073", "1473") for p in paths])
        # Each peak is at least the best run of the sweep itself, and is that run's value.
        sweep = rows(self.ok("sweep", *START_UP, "--r", "0.1:1:0.1", "--csv"))
        for row in table[4:6]:
            column = "CRAdiabatic [%]" if row["Path"] == "Adiabatic" else "CRIsothermal [%]"
            self.assertGreaterEqual(float(row["CR [%]"]), max(float(s[column]) for s in sweep))
            run = json.loads(cli("run", *START_UP, "--r", row["R"], "--json").stdout)
            self.assertEqual(float(row["CR [%]"]), run["record"][column])

    def test_text_columns_line_up_past_the_longest_path(self):
        lines = self.ok("sweep", *FIXED, "--r", "0.1:0.5:0.1", "--family", "tmagma=1073,1473",
                        "--peaks").stdout.decode().splitlines()
        ratio_column = lines[0].index("  R  ") + 2
        for line in lines[1:]:
            with self.subTest(line=line):
                self.assertEqual(line[ratio_column - 2:ratio_column], "  ")
                self.assertRegex(line[ratio_column:], r"^0\.\d+ ")

    def test_refused_beside_other_outputs_and_with_the_inputs_message(self):
        for extra in (["--json"], ["--qrv-dir", "runs"], ["--plot", "peaks.png"]):
            with self.subTest(extra=extra):
                self.assertEqual(self.refused("sweep", *START_UP, "--r", "0.1:1:0.1", "--peaks", *extra),
                                 "qrv-cli: option --peaks goes with --csv alone, not with --json, --qrv-dir or --plot")
        self.assertTrue(self.refused("sweep", "--tmagma", "200", *FIXED, "--r", "0.1:1:0.1", "--peaks")
                        .startswith("Magma Temperature (K) must be above 298 K"))


class Progress(Study):
    def on_terminal(self, *args):
        """Standard error as a terminal shows it; standard output into a file, so that a full
        pipe never blocks the program while its terminal is read."""
        leader, follower = pty.openpty()
        with tempfile.TemporaryFile() as out:
            done = subprocess.Popen([test_cli.CLI, *args], stdout=out, stderr=follower)
            os.close(follower)
            err = b""
            while True:
                try:
                    chunk = os.read(leader, 65536)
                except OSError:  # the terminal's last holder is gone
                    break
                if not chunk:
                    break
                err += chunk
            done.wait(timeout=120)
            os.close(leader)
            out.seek(0)
            return out.read(), err.decode()

    CASES = [(["sweep", *START_UP, "--r", "0.001:3:0.001", "--csv"], 3000),
             (["map", "--r", "0.05:3:0.05", "--tmagma", "1000:1500:10", *FIXED, "--csv"], 60 * 51),
             (["mc", "--r", "0.3", "--tmagma", "1473~50", *FIXED, "--n", "3000"], 3000)]

    def test_a_pipe_gets_nothing_extra(self):
        for args, _ in self.CASES:
            with self.subTest(command=args[0]):
                self.assertEqual(cli(*args).stderr, b"")

    def test_a_terminal_sees_progress_and_the_same_output(self):
        try:
            for end in pty.openpty():
                os.close(end)
        except OSError as error:  # a bare root without /dev/pts has no pseudo-terminals
            self.skipTest("no pseudo-terminal here: %s" % error)
        for args, total in self.CASES:
            with self.subTest(command=args[0]):
                out, err = self.on_terminal(*args)
                self.assertIn("%d / %d runs" % (total, total), err)
                self.assertRegex(err, r"\r\d+ / %d runs, \d+ runs/s, \S+ s left\x1b\[K" % total)
                # The line is cleared before the command ends; the output is the same as without a terminal.
                self.assertTrue(err.endswith("\r\x1b[K"), repr(err[-40:]))
                self.assertEqual(cli(*args).stdout, out)


if __name__ == "__main__":
    test_cli.CLI = sys.argv.pop(1)
    unittest.main(verbosity=1)
