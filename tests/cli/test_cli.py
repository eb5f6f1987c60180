#!/usr/bin/env python3
"""qrv-cli end to end. Usage: test_cli.py PATH-TO-QRV-CLI"""

import csv
import io
import json
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

CLI = None

START_UP = ["--tmagma", "1473", "--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1"]


def read_reference_runs():
    """The two runs worked out independently of the program (tests/data/reference_runs.tsv):
    per run its qrv-cli arguments, results-file texts, key fields, equilibrium window and
    progress captions."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "reference_runs.tsv")
    runs = {}
    with open(path, encoding="utf-8") as data:
        for line in data:
            if not line.strip() or line.startswith("#"):
                continue
            name, kind, key, quoted = line.rstrip("\n").split("\t", 3)
            value = quoted[1:-1]
            run = runs.setdefault(name, {"args": [], "texts": [None] * 25, "fields": {},
                                         "equilibrium": {}, "captions": []})
            if kind == "input":
                run["args"] += ["--" + key, value]
            elif kind == "line":
                run["texts"][int(key) - 1] = value
            elif kind == "field":
                run["fields"][key] = value
            elif kind == "equilibrium":
                run["equilibrium"][key] = value
            elif kind == "caption":
                run["captions"].append(value)
    return runs


REFERENCE = read_reference_runs()

RECORD_NAMES = ["R", "TMagma [K]", "TWater [K]", "PHydro [MPa]", "PFinal [MPa]", "PEq [MPa]",
                "TEq [K]", "RhoEq [kg/m3]", "SEq [J/kg-K]", "CRAdiabatic [%]", "SFAdiabatic",
                "WFAdiabatic", "TFAdiabatic [K]", "CRIsothermal [%]", "SFIsothermal",
                "WFIsothermal", "TFIsothermal [K]"]
# The IAPWS-95 reference of each run, after the record in sweep tables.
REFERENCE_NAMES = ["IAPWS-95 " + name for name in RECORD_NAMES[5:9]
                   + RECORD_NAMES[9:13] + ["PhaseAdiabatic"] + RECORD_NAMES[13:17]
                   + ["PhaseIsothermal", "Note"]]
# The energy check of each run, after the reference.
ENERGY_NAMES = ["EnergyExcessAdiabatic [%]", "EnergyExcessIsothermal [%]"]
OUTSIDE_VALIDITY = "outside IAPWS-95 validity (extrapolated)"
# Start-up inputs but water as ice at 270 K, which has no IAPWS-95 reference.
ICE = [*START_UP[:2], "--tinit", "270", *START_UP[4:]]


def cli(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=60)


def run_json(*args):
    """The --json report of a run (or of an opened file: pass "open", PATH)."""
    return json.loads(cli(*(args if args[0] == "open" else ("run", *args)), "--json").stdout)


def single(value):
    """The JSON number as the float it was written from."""
    return struct.unpack("f", struct.pack("f", value))[0]


def qrv_file(lines):
    """A results file of these lines (bytes), each quoted as the program writes it."""
    return b"".join(b'"' + line + b'"\r\n' for line in lines)


def csv_rows(text):
    """A sweep's CSV output as lists of fields (the note may be quoted)."""
    return list(csv.reader(io.StringIO(text.decode())))


class CliTest(unittest.TestCase):
    def ok(self, *args):
        done = cli(*args)
        self.assertEqual(done.returncode, 0, done.stderr)
        return done

    def refused(self, *args):
        done = cli(*args)
        self.assertEqual((done.returncode, done.stdout), (2, b""), done.stderr)
        return done.stderr.decode()


class ReferenceRuns(CliTest):
    def check_run(self, name):
        ref = REFERENCE[name]
        done = self.ok("run", *ref["args"], "--json")
        self.assertEqual(done.stderr, b"")
        report = json.loads(done.stdout)
        self.assertEqual(report["results_file"], ref["texts"])
        self.assertEqual(report["captions"], ref["captions"])
        self.assertEqual(report["messages"], [])
        self.assertEqual(report["windowTexts"]["equilibrium"], ref["equilibrium"])
        for field, expected in ref["fields"].items():
            self.assertEqual("%.9g" % single(report[field]), expected, field)
        # The labels behind the file's lines, and the cells the file does not keep.
        labels = report["windowTexts"]["results"]
        self.assertEqual(labels["labES(2)"], ref["texts"][10])
        self.assertEqual(labels["labFSI(2)"], ref["texts"][23])
        self.assertEqual(labels["labFSA(0)"], "0.100")
        record = report["record"]
        self.assertEqual(list(record), RECORD_NAMES)
        self.assertEqual(record["TEq [K]"], report["TEq"])
        self.assertEqual(record["R"], report["RInput"])
        self.assertAlmostEqual(record["SFAdiabatic"] + record["WFAdiabatic"], 1.0, places=6)
        return report

    def test_water_magma_run(self):
        report = self.check_run("water")
        self.assertEqual(report["XWater"], 1)
        self.assertIs(report["ConstVolume"], False)

    def test_sediment_magma_run(self):
        report = self.check_run("sediment")
        self.assertEqual(single(report["RWater"]), single(0.3))
        self.assertEqual(single(report["record"]["R"]), single(0.6))

    def test_energy_check_tells_the_work_above_the_first_law(self):
        """The model's isothermal work at the start-up values is 23.2 points above what its
        states release; its adiabatic work is the water's energy drop. A failed run has none."""
        checks = run_json(*START_UP, "--r", "0.3")["checks"]
        self.assertAlmostEqual(checks["isothermalEnergyExcess"], 23.2, delta=0.1)
        self.assertAlmostEqual(checks["adiabaticEnergyExcess"], 0.0, delta=0.01)
        failed = json.loads(cli("run", *ODD_INPUTS[0], "--json").stdout)
        self.assertEqual(failed["checks"], {"adiabaticEnergyExcess": None, "isothermalEnergyExcess": None})

    def test_text_report_reads_like_the_windows(self):
        """The equilibrium window, a blank line, then the results window as Copy All gives it."""
        done = cli("run", *REFERENCE["water"]["args"])
        self.assertEqual((done.returncode, done.stderr), (0, b""))
        self.assertEqual(done.stdout.decode(), WATER_RUN_REPORT)

    def test_text_report_shows_the_error_marks_of_a_failed_run(self):
        done = cli("run", *ODD_INPUTS[0])
        self.assertEqual(done.returncode, 3)
        report = done.stdout.decode()
        self.assertIn("\nAdiabatic Results:\t\nConversion Ratio (%):\t\n", report)
        self.assertIn("\nError:\tAdiabatic Error\n", report)
        # A run without results has no reference values either.
        self.assertTrue(report.endswith("\nError:\tIsothermal Error\n" + EMPTY_REFERENCE_BLOCK), report)


WATER_RUN_REPORT = """\
Equilibrium Conditions (SI)
R = 0.300
Tmagma = 1473
Temperature (K):\t822
Entropy (kJ/kg-K):\t4.5659
Pressure (MPa):\t148.88
Density (kg/m3):\t568.141
Internal Energy (kJ/kg):\t2203.13
Heat Cap-Cp (kJ/kg K):\t4.7285
Gamma (Cp/Cv):\t1.8712
Steam fraction (X):\t1.0

Water/Magma Ratio R:\t0.300
Initial Magma Temperature (K):\t1473
Initial Water Temperature (K):\t298
Initial Water Pressure (MPa):\t0.10
Source of thermodynamic data:\tNIST: Steam Table Extrapolation
Method of finding equilibrium state:\tVolume by entropy extrapolation
Equilibrium and Final States:\tEquilibrium\tFinal (Adiab)\tFinal (Iso)
Pressure (MPa):\t148.9\t0.100\t0.100
Volume (m3/kg):\t0.00176\t0.89627\t2.12239
Temperature (K):\t822.3\t373.0\t462.6
Entropy (kJ/kg-K):\t4.56586\t4.56586\t7.79010
Equilibrium Phase:\tSupercritcal Vapor
Adiabatic Results:\tSteam/Water Mix
Conversion Ratio (%):\t16.90
Steam Fraction:\t0.54
Water Fraction:\t0.46
Isothermal Results:\tSuperheated Vapor
Conversion Ratio (%):\t42.62
Steam Fraction:\t1.00
Water Fraction:\t0.00
IAPWS-95 Reference
Equilibrium Temperature (K):\t907.9
Equilibrium Pressure (MPa):\t1216.5
Path:\tAdiabatic\tIsothermal
Conversion Ratio (%):\t16.87\t36.29
Steam Fraction:\t0.44\t0.93
Final Temperature (K):\t372.8\t372.8
Final Phase:\ttwo-phase\ttwo-phase
Note:\toutside IAPWS-95 validity (extrapolated)
Energy Check
Path:\tAdiabatic\tIsothermal
Work Above Energy Released (CR points):\t0.0\t23.2
Note:\tEnergy check: the isothermal work is 23.2 points of conversion ratio more than this run's own \
states release on that path; the model's figure is shown unchanged.
"""

EMPTY_REFERENCE_BLOCK = """\
IAPWS-95 Reference
Equilibrium Temperature (K):\t
Equilibrium Pressure (MPa):\t
Path:\tAdiabatic\tIsothermal
Conversion Ratio (%):\t\t
Steam Fraction:\t\t
Final Temperature (K):\t\t
Final Phase:\t\t
Energy Check
Path:\tAdiabatic\tIsothermal
Work Above Energy Released (CR points):\t\t
"""


def grid_reference(mixture, ratio, x_water, t_init):
    """The reference python3-iapws gives for the start-up magma and pressures
    (tests/reference/reference_runs.csv), as the JSON report gives it."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "reference", "reference_runs.csv")
    with open(path) as grid:
        for f in csv.reader(line for line in grid if not line.startswith("#")):
            if (f[0], float(f[1]), float(f[2]), float(f[3]), float(f[4]), float(f[5]), float(f[6])) \
                    != (mixture, ratio, x_water, 1473, t_init, 1e5, 1e5):
                continue
            if f[23]:
                return {"refusal": f[23]}
            path_of = lambda i: {"CR": float(f[i]), "TFinal": float(f[i + 3]), "X": float(f[i + 2]),
                                 "phase": f[i + 4]}
            return {"TEq": float(f[7]), "PEq": float(f[8]), "SEq": float(f[9]), "RhoEq": float(f[11]),
                    "outsideValidity": f[12] == "1", "adiabatic": path_of(13), "isothermal": path_of(18)}
    raise AssertionError("no grid run %s %s %s %s" % (mixture, ratio, x_water, t_init))


class IapwsReference(CliTest):
    """The IAPWS-95 reference beside each run: in --json, in the text report and in sweep tables."""

    def assert_reference(self, got, expected):
        # The run's inputs are single precision: a relative 1e-6 covers their rounding.
        self.assertEqual(list(got), list(expected))
        for key, value in expected.items():
            if isinstance(value, dict):
                self.assert_reference(got[key], value)
            elif isinstance(value, float):
                self.assertAlmostEqual(got[key], value, delta=abs(value) * 1e-6 + 1e-9, msg=key)
            else:
                self.assertEqual(got[key], value, key)

    def test_json_reference_of_water_and_sediment_runs(self):
        cases = [(START_UP + ["--r", "0.3"], ("water", 0.3, 1, 298)),
                 (START_UP + ["--r", "1"], ("water", 1, 1, 298)),
                 (START_UP + ["--r", "3", "--x", "0.5"], ("sediment", 3, 0.5, 298))]
        for args, grid in cases:
            with self.subTest(args=args):
                done = self.ok("run", *args, "--json")
                self.assert_reference(json.loads(done.stdout)["reference"], grid_reference(*grid))

        # The defaults: the exact water answer beside the fitted 16.90 % and 42.62 %.
        reference = run_json(*START_UP, "--r", "0.3")["reference"]
        self.assertEqual(round(reference["adiabatic"]["CR"], 2), 16.87)
        self.assertEqual(round(reference["isothermal"]["CR"], 2), 36.29)
        self.assertEqual(round(reference["TEq"], 1), 907.9)
        self.assertIs(reference["outsideValidity"], True, "PEq is above 1000 MPa")

    def test_a_run_without_a_reference_is_still_a_completed_run(self):
        # The fitted run of ice completes and exits 0.
        done = cli("run", *ICE, "--r", "0.3", "--json")
        self.assertEqual((done.returncode, done.stderr), (0, b""))
        report = json.loads(done.stdout)
        self.assertEqual(list(report["reference"]), ["error"])
        self.assertIn(grid_reference("water", 0.3, 1, 270)["refusal"], report["reference"]["error"])
        self.assertIsNotNone(report["record"])

        text = cli("run", *ICE, "--r", "0.3").stdout.decode()
        self.assertIn("\nFinal Phase:\t\t\nNote:\tNo reference: " + report["reference"]["error"] + "\n", text)

        # A run that did not complete has no results and so no reference.
        failed = cli("run", *ODD_INPUTS[0], "--json")
        self.assertEqual(failed.returncode, 3)
        self.assertEqual(json.loads(failed.stdout)["reference"], {"error": "the run did not complete"})

    def test_sweep_columns_are_the_reference_of_each_run(self):
        done = self.ok("sweep", *START_UP, "--r", "0.5:1:0.5", "--x", "0.5", "--csv")
        rows = csv_rows(done.stdout)
        self.assertEqual(len(rows), 3)
        for row in rows[1:]:
            cells = dict(zip(rows[0], row))
            expected = run_json(*START_UP, "--r", row[0], "--x", "0.5")["reference"]
            # CSV keeps every double whole: each cell reads back as exactly the value of the run.
            cell = lambda name: float(cells["IAPWS-95 " + name])
            with self.subTest(ratio=row[0]):
                self.assertEqual(cell("TEq [K]"), expected["TEq"])
                self.assertEqual(cell("PEq [MPa]"), expected["PEq"] / 1e6)
                self.assertEqual(cell("SEq [J/kg-K]"), expected["SEq"])
                self.assertEqual(cell("RhoEq [kg/m3]"), expected["RhoEq"])
                for path, suffix in [("adiabatic", "Adiabatic"), ("isothermal", "Isothermal")]:
                    ref = expected[path]
                    self.assertEqual(cell("CR%s [%%]" % suffix), ref["CR"])
                    self.assertEqual(cell("SF" + suffix), ref["X"])
                    self.assertEqual(cell("WF" + suffix), 1 - ref["X"])
                    self.assertEqual(cell("TF%s [K]" % suffix), ref["TFinal"])
                    self.assertEqual(cells["IAPWS-95 Phase" + suffix], ref["phase"])
                self.assertEqual(cells["IAPWS-95 Note"], OUTSIDE_VALIDITY if expected["outsideValidity"] else "")

        # Without a reference the values stay empty and the note says why.
        ice = csv_rows(cli("sweep", *ICE, "--r", "0.3:0.3:0.1", "--csv").stdout)
        note = len(RECORD_NAMES) + len(REFERENCE_NAMES) - 1
        self.assertEqual(ice[1][len(RECORD_NAMES):note], [""] * (len(REFERENCE_NAMES) - 1))
        self.assertTrue(ice[1][note].startswith("No reference: "), ice[1][note])


RUN = ["run", *START_UP, "--r", "0.3"]
SWEEP = ["sweep", *START_UP, "--r", "0.1:1:0.1"]
FAMILY = ["sweep", *START_UP[2:], "--r", "0.1:1:0.1", "--family"]


class BadInput(CliTest):
    def test_option_errors_name_the_option_and_show_usage(self):
        cases = [
            (["run", *START_UP], "missing option --r"),
            ([*RUN, "--colour", "red"], "unknown option --colour"),
            (["run", *START_UP, "--r", "0.3x"], "option --r: \"0.3x\" is not a number"),
            (["run", *START_UP, "--r", " 0.3"], "is not a number"),
            (["run", *START_UP, "--r"], "option --r needs a value"),
            (["run", *START_UP, "--r", "1", "--r", "2"], "given twice"),
            ([*RUN, "--s", "400"], "--s and --cv go together"),
            ([*RUN, "--json=yes"], "takes no value"),
            (["sweep", *START_UP, "--r", "0.1:1"], "is not FROM:TO:STEP"),
            (["sweep", *START_UP, "--r", "0.1:1:0.1:2"], "is not FROM:TO:STEP"),
            (["sweep", *START_UP, "--r", "0.1:1:0.1:"], "is not FROM:TO:STEP"),
            ([*SWEEP, "--json", "--csv"], "options --csv and --json exclude each other"),
            ([*SWEEP, "--y", "sf"], "option --y goes with --plot"),
            ([*SWEEP, "--curve"], "option --curve goes with --plot"),
            ([*SWEEP, "--plot", "a.png", "--size", "800"], "is not WxH"),
            ([*SWEEP, "--plot", "a.png", "--size", "0x10"], "1 to 10000"),
            ([*SWEEP, "--plot="], "--plot needs a file name"),
            ([*SWEEP, "--qrv-dir="], "--qrv-dir needs a folder name"),
            # A file option followed by an option has lost its file name.
            ([*RUN, "--qrv", "--json"], "option --qrv needs a value, not the option --json"),
            ([*SWEEP, "--qrv-dir", "--csv"], "option --qrv-dir needs a value, not the option --csv"),
            ([*SWEEP, "--plot", "--curve"], "option --plot needs a value, not the option --curve"),
            ([*SWEEP, "--reference"], "option --reference goes with --plot"),
            ([*FAMILY, "tmagma"], "\"tmagma\" is not INPUT=V1,V2,..."),
            ([*FAMILY, "depth=1,2"], "\"depth\" is not one of tmagma"),
            ([*FAMILY, "tmagma=1073,,1473"], "every value needs a number between the commas"),
            ([*FAMILY, "tmagma=1073,hot"], "\"hot\" is not a number"),
            ([*FAMILY, "tmagma=1073,1073.0,+1073"], "\"1073.0\" is the same value as \"1073\""),
            ([*SWEEP, "--family", "tmagma=1073"], "options --tmagma and --family tmagma"),
            ([*SWEEP, "--x", "0.5", "--family", "x=0.2"], "options --x and --family x"),
            ([*RUN, "--family", "x=0.2"], "unknown option --family"),
            (["open"], "open needs exactly one FILE"),
            (["frobnicate"], "unknown command frobnicate"),
            ([], "missing command"),
        ]
        for args, expected in cases:
            with self.subTest(args=args):
                err = self.refused(*args)
                self.assertIn(expected, err)
                self.assertIn("Usage: qrv-cli run", err)

    def test_validation_messages_of_the_input_window(self):
        self.assertEqual(self.refused("run", *START_UP, "--r", "0"), "Enter R value > 0\n")
        self.assertEqual(self.refused(*RUN, "--x", "0"), "Enter X > 0.0\n")
        self.assertEqual(self.refused(*RUN, "--x", "1.01"), "Enter X <= 1.0\n")
        # Beyond single precision a value cannot be stored: refused, never read as 0.
        def run_with(option, value):
            args = dict(zip(START_UP[::2], START_UP[1::2]), **{"--r": "0.3", option: value})
            return self.refused("run", *[item for pair in args.items() for item in pair])
        boxes = {"--tmagma": "Magma Temperature (K)", "--tinit": "Water/Rock Temperature (K)",
                 "--pinit": "Initial Pressure (MPa)", "--pfinal": "Ambient Pressure (MPa)",
                 "--r": "Water/Magma Ratio (R)"}
        for option, box in boxes.items():
            with self.subTest(option=option):
                self.assertEqual(run_with(option, "3.5e38"),
                                 f'Continue error: Overflow\n{box}: "3.5e38" is out of range.\nTry different values\n')
        self.assertEqual(run_with("--pfinal", "0"), "Ambient Pressure (MPa) must be above 0.\n")

    def test_water_outside_the_steam_table_needs_given_values(self):
        for t_init, state in [("1300", "5.00 MPa, 1300.0 K"), ("273.1", "5.00 MPa, 273.1 K")]:
            with self.subTest(t_init=t_init):
                args = ["run", "--tmagma", "1473", "--tinit", t_init, "--pinit", "5", "--pfinal", "0.1",
                        "--r", "0.3"]
                err = self.refused(*args)
                self.assertIn(state, err)
                self.assertIn("--s", err)
                self.assertIn("--cv", err)
                done = self.ok(*args, "--s", "2000", "--cv", "3500", "--json")
                report = json.loads(done.stdout)
                self.assertEqual((report["SInit"], report["CvInit"]), (2000, 3500))
                self.assertEqual(report["initial_values_source"], "options")

    def test_given_values_no_water_has_are_refused_naming_the_box(self):
        for s_value, cv, message in [
                ("400", "-5", 'Initial Water Cv (J/kg-K): "-5" must be above 0.\n'),
                ("400", "0", 'Initial Water Cv (J/kg-K): "0" must be above 0.\n'),
                ("1e39", "4000", 'Calculate error: Overflow\nIniitial Water Entropy (J/kg-K): "1e39" is out of range.\n'
                                 'Try different values\n'),
                ("400", "3e38", 'Calculate error: Overflow\nInitial Water Cv (J/kg-K): "3e38" is out of range.\n'
                                'Try different values\n')]:
            with self.subTest(s=s_value, cv=cv):
                self.assertEqual(self.refused(*RUN, "--s", s_value, "--cv", cv), message)

    def test_given_values_replace_the_held_ones(self):
        report = run_json(*REFERENCE["water"]["args"], "--s", "400", "--cv", "4000")
        self.assertEqual((report["SInit"], report["CMix"]), (400, 4000))


# Inputs off the beaten track, where some routines report errors although the run completes,
# beside the start-up run, which reports none.
ODD_INPUTS = [
    ["--tmagma", "1473", "--tinit", "274", "--pinit", "50", "--pfinal", "100", "--r", "100"],
    ["--tmagma", "2000", "--tinit", "274", "--pinit", "30", "--pfinal", "100", "--r", "1000"],
    ["--tmagma", "1000", "--tinit", "1273", "--pinit", "200", "--pfinal", "30", "--r", "0.1"],
    ["--tmagma", "300", "--tinit", "373", "--pinit", "1000", "--pfinal", "0.00001", "--r", "0.001"],
    START_UP + ["--r", "0.3"],
]
ROUTINE_ERROR = re.compile(r"^\w+ error: .*\nTry different values$", re.M)


def run_to_full_disk(*args):
    with open("/dev/full", "wb") as full:
        return subprocess.run([CLI, *args], stdout=full, stderr=subprocess.PIPE, timeout=60)


class ExitStatuses(CliTest):
    def test_status_3_exactly_when_a_routine_reported_an_error(self):
        statuses = set()
        for args in ODD_INPUTS:
            done = cli("run", *args)
            err = done.stderr.decode()
            with self.subTest(args=args):
                if done.returncode != 2:  # inputs refused by the input rules say so with 2
                    self.assertEqual(done.returncode, 3 if ROUTINE_ERROR.search(err) else 0, err)
                    statuses.add(done.returncode)
        self.assertEqual(statuses, {0, 3})

    def test_compressed_liquid_that_does_no_work_is_a_completed_run(self):
        # Water heated at 40 MPa and expanded to the same pressure: it stays liquid, and a
        # conversion ratio of exactly 0 is a result, not a ratio held at 0.
        report = run_json("--tmagma", "400", "--tinit", "300", "--pinit", "40", "--pfinal", "40", "--r", "1")
        self.assertEqual(report["record"]["CRAdiabatic [%]"], 0.0)
        self.assertEqual(report["record"]["CRIsothermal [%]"], 0.0)
        self.assertEqual(report["windowTexts"]["results"]["labRes(1)"], "Supercooled Liquid")
        self.assertEqual([line for line in report["results_file"] if "Error" in line], [])
        self.assertEqual(report["messages"], [])
        done = cli("run", "--tmagma", "400", "--tinit", "300", "--pinit", "40", "--pfinal", "40", "--r", "1")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertNotIn(b"Error", done.stdout)

    def test_an_unfinished_run_exits_3_without_a_file(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "failed.qrv")
            # Ice that stays ice, expanded to a supercritical pressure: no superheated state has
            # its entropy.
            done = cli("run", "--tmagma", "1500", "--tinit", "200", "--pinit", "0.1", "--pfinal", "30",
                       "--r", "5", "--json", "--qrv", path)
            self.assertFalse(os.path.exists(path), "an unfinished run cannot be saved")
        self.assertEqual(done.returncode, 3)
        self.assertIn("StateSuper error: Invalid procedure call or argument\nTry different values",
                      done.stderr.decode())
        report = json.loads(done.stdout)
        self.assertIsNone(report["record"])
        self.assertEqual(report["messages"][-1]["icon"], "critical")

    def test_a_sweep_says_how_many_ratios_failed(self):
        done = cli("sweep", *START_UP, "--r", "-0.1:0.2:0.1", "--csv")
        self.assertEqual(done.returncode, 2)
        self.assertTrue(done.stderr.endswith(b"\nqrv-cli: 2 of 4 ratios failed\n"), done.stderr)
        self.assertEqual(len(done.stdout.splitlines()), 3)

        done = cli("sweep", *ODD_INPUTS[0][:-2], "--r", "10:100:90", "--csv")
        if done.returncode != 2:
            self.assertEqual(done.returncode, 3, done.stderr)
            self.assertTrue(done.stderr.endswith(b"\nqrv-cli: 1 of 2 ratios failed\n"), done.stderr)
            # A run whose path failed stores nothing: only the header and the completed run.
            self.assertEqual(len(done.stdout.splitlines()), 2)

        done = cli("sweep", *START_UP, "--r", "0.1:0.3:0.1", "--csv")
        self.assertEqual((done.returncode, done.stderr), (0, b""))

    def test_output_that_cannot_be_written_exits_1(self):
        with tempfile.TemporaryDirectory() as folder:
            saved = os.path.join(folder, "ok.qrv")
            self.assertEqual(cli("run", *START_UP, "--r", "0.3", "--qrv", saved).returncode, 0)
            full = b"qrv-cli: cannot write output: No space left on device\n"
            for args in [["open", saved], ["open", saved, "--json"], ["run", *START_UP, "--r", "0.3"],
                         ["sweep", *START_UP, "--r", "0.05:3:0.05", "--csv"],
                         ["sweep", *START_UP, "--r", "0.05:3:0.05", "--json"], ["--help"]]:
                with self.subTest(args=args):
                    done = run_to_full_disk(*args)
                    self.assertEqual((done.returncode, done.stderr), (1, full))
            closed = subprocess.run([CLI, "open", saved], stderr=subprocess.PIPE, timeout=60,
                                    preexec_fn=lambda: os.close(1))
            self.assertEqual((closed.returncode, closed.stderr),
                             (1, b"qrv-cli: cannot write output: Bad file descriptor\n"))

    def test_help_lists_the_exit_statuses(self):
        lines = cli("--help").stdout.decode().splitlines()
        for status in "0123":
            self.assertTrue(any(line.startswith("  %s  " % status) for line in lines), status)


PROJECT_VERSION = re.search(r"project\(QRV VERSION (\S+)",
                            (pathlib.Path(__file__).parents[2] / "CMakeLists.txt").read_text()).group(1)


def listed_options(help_text):
    """The options that a help's option lines name, in order."""
    return re.findall(r"^  (?:-h, )?(--[a-z-]+)", help_text, re.MULTILINE)


def number_in(words, text):
    """The number in the words "at most {} runs", wherever the help broke its lines."""
    pattern = r"\s+".join(re.escape(word) if word != "{}" else r"([\d,]+)" for word in words.split())
    return int(re.search(pattern, text).group(1).replace(",", ""))


class HelpAndVersion(CliTest):
    COMMANDS = ["run", "sweep", "map", "mc", "open"]

    def help_of(self, *args):
        done = self.ok(*args)
        self.assertEqual(done.stderr, b"")
        return done.stdout.decode()

    def test_version_is_the_projects(self):
        done = self.ok("--version")
        self.assertEqual((done.stdout, done.stderr), (("qrv-cli %s\n" % PROJECT_VERSION).encode(), b""))

    def test_every_command_has_help_in_every_spelling(self):
        for command in self.COMMANDS:
            with self.subTest(command=command):
                text = self.help_of(command, "--help")
                self.assertTrue(text.startswith("Usage: qrv-cli " + command), text)
                self.assertIn("Exit status", text)
                self.assertEqual(self.help_of(command, "-h"), text)
                self.assertEqual(self.help_of("help", command), text)
                # Asking for help beats any mistake beside it.
                self.assertEqual(self.help_of(command, "--colour", "red", "--help"), text)

    def test_every_listed_option_is_one_the_command_takes(self):
        full = self.help_of("--help")
        every = set()
        for command in self.COMMANDS:
            options = listed_options(self.help_of(command, "--help"))
            self.assertEqual(len(options), len(set(options)), options)
            every.update(options)
            for option in options:
                with self.subTest(command=command, option=option):
                    err = cli(command, option).stderr.decode()
                    self.assertNotIn("unknown option", err)
        self.assertEqual(set(listed_options(full)), every | {"--version"})
        self.assertIn("--constvolume", every)

    def test_stated_limits_are_the_real_ones(self):
        text = self.help_of("sweep", "--help")
        ratios = number_in("at most {} ratios", text)
        err = self.refused("sweep", *START_UP, "--r", "1:%d:1" % (ratios + 1))
        self.assertIn("more than %d ratios" % ratios, err)
        runs = number_in("at most {} runs", text)
        with tempfile.TemporaryDirectory() as folder:
            chart = os.path.join(folder, "chart.png")
            err = self.refused("sweep", *START_UP, "--r", "1:%d:1" % (runs + 1), "--plot", chart)
            self.assertIn("at most %d runs" % runs, err)
            side = number_in("each 1 to {}", text)
            err = self.refused("sweep", *START_UP, "--r", "1:2:1", "--plot", chart, "--size", "%dx10" % (side + 1))
            self.assertIn("1 to %d pixels" % side, err)
            self.assertEqual(os.listdir(folder), [])
        points = number_in("at most {} points", self.help_of("map", "--help"))
        err = self.refused("map", *START_UP[2:], "--r", "1:%d:1" % (points + 1), "--tmagma", "1473:1473:1")
        self.assertIn("more than %d" % points, err)
        samples = number_in("samples, 1 to {}", self.help_of("mc", "--help"))
        self.assertIn("1 to 1000000", self.refused("mc", *START_UP, "--r", "0.3", "--n", str(samples + 1)))

    def test_stated_energy_check_figures_are_the_start_up_run(self):
        text = self.help_of("run", "--help")
        stated = re.search(r"it\s+is\s+([\d.]+)\s+kJ\s+per\s+kg\s+of\s+magma\s+\(([\d.]+)\s+%\)", text)
        self.assertIsNotNone(stated, text)
        run = json.loads(self.ok("run", *START_UP, "--r", "0.3", "--json").stdout)
        self.assertEqual(stated.group(1), "%.1f" % (run["WIsothermal"] / 1000))
        self.assertEqual(stated.group(2), "%.2f" % run["record"]["CRIsothermal [%]"])

    def test_listed_family_inputs_are_taken(self):
        text = self.help_of("sweep", "--help")
        block = text.split("\n  --family", 1)[1].split("\n  --", 1)[0]
        inputs = re.findall(r"^ {28}(\S+) ", block, re.MULTILINE)
        self.assertEqual(len(inputs), 5, block)
        for key in inputs:
            with self.subTest(input=key):
                args = [a for pair in zip(START_UP[::2], START_UP[1::2]) if pair[0] != "--" + key for a in pair]
                done = cli("sweep", *args, "--r", "0.3:0.3:0.1", "--family", key + "=0.5")
                self.assertNotIn(b"--family", done.stderr)


def iapws95(pressure_mpa, temperature_k):
    """Entropy and Cv in J/(kg K) from python3-iapws, an independent IAPWS-95."""
    code = ("import iapws, sys; w = iapws.IAPWS95(P=float(sys.argv[1]), T=float(sys.argv[2]));"
            "print(w.s * 1000, w.cv * 1000)")
    done = subprocess.run(["/usr/bin/python3", "-c", code, str(pressure_mpa), str(temperature_k)],
                          capture_output=True, check=True, timeout=60)
    return [float(v) for v in done.stdout.split()]


class SteamTableValues(CliTest):
    ARGS = ["--tinit", "400", "--pinit", "5", "--tmagma", "1473", "--pfinal", "0.1"]

    def test_initial_water_takes_iapws95_values(self):
        done = self.ok("run", *self.ARGS, "--r", "0.3", "--json")
        report = json.loads(done.stdout)
        self.assertEqual(report["initial_values_source"], "IAPWS-95")
        # Equal in single precision: at most half a float step apart.
        for name, expected in zip(["SInit", "CvInit"], iapws95(5, 400)):
            self.assertLessEqual(abs(report[name] - expected), expected * 2 ** -24, name)
        self.assertEqual(report["record"]["TWater [K]"], 400)

        text = cli("run", *self.ARGS, "--r", "0.3").stdout.decode()
        self.assertTrue(text.startswith("Initial water S and Cv from IAPWS-95 at 5.00 MPa, 400.0 K: "), text)

    def test_other_sources_are_named(self):
        held = run_json(*REFERENCE["water"]["args"])
        self.assertEqual(held["initial_values_source"], "input rules")
        fixed = json.loads(cli("run", *START_UP[:4], "--pinit", "99", "--pfinal", "0.1", "--r", "0.3",
                               "--json").stdout)
        self.assertEqual((fixed["initial_values_source"], fixed["SInit"]), ("input rules", 334.1535))
        typed = run_json(*self.ARGS, "--r", "0.3", "--s", "1500", "--cv", "3600")
        self.assertEqual((typed["initial_values_source"], typed["SInit"]), ("options", 1500))

    def test_sweep_rows_equal_single_runs(self):
        done = self.ok("sweep", *self.ARGS, "--r", "0.1:0.3:0.1", "--csv")
        self.assertIn(b"from IAPWS-95 at 5.00 MPa, 400.0 K", done.stderr)
        rows = csv_rows(done.stdout)[1:]
        single_run = run_json(*self.ARGS, "--r", "0.2")["record"]
        self.assertEqual([float(v) for v in rows[1][:len(RECORD_NAMES)]], list(single_run.values()))


class ResultsFiles(CliTest):
    def setUp(self):
        self.dir = self.enterContext(tempfile.TemporaryDirectory())
        self.path = os.path.join(self.dir, "run.qrv")

    def test_saved_run_opens_with_the_same_texts(self):
        ref = REFERENCE["sediment"]
        self.ok("run", *ref["args"], "--qrv", self.path)
        self.assertEqual(pathlib.Path(self.path).read_bytes(), qrv_file(t.encode() for t in ref["texts"]))

        opened = cli("open", self.path, "--json")
        self.assertEqual(opened.returncode, 0, opened.stderr)
        report = json.loads(opened.stdout)
        self.assertEqual(report["results_file"], ref["texts"])
        record = report["record"]
        self.assertEqual(single(record["R"]), single(0.6))
        self.assertEqual(single(record["TEq [K]"]), single(760.4))
        self.assertEqual(single(record["RhoEq [kg/m3]"]), single(1 / single(0.0016)))
        self.assertEqual(single(record["CRIsothermal [%]"]), single(33.37))

        text = cli("open", self.path).stdout.decode()
        self.assertIn(' 2 "0.60 (R = 0.30)"', text)

    def test_constant_volume_run_keeps_its_two_line_caption_through_a_file(self):
        done = self.ok("run", *REFERENCE["water"]["args"], "--constvolume", "--json", "--qrv", self.path)
        self.assertEqual(done.stderr, b"Redlich-Kwong extrapolation failed!\nUsing entropy extrapolation.\n")
        report = json.loads(done.stdout)
        self.assertIs(report["ConstVolume"], True)
        self.assertEqual(report["results_file"][6], "NIST: Steam Table Extrapolation\n(Redlich-Kwong pressure)")
        self.assertEqual(report["results_file"][7], "Constant volume extrapolation")
        opened = run_json("open", self.path)
        self.assertEqual(opened["results_file"], report["results_file"])

    def test_unreadable_files_are_reported_as_open_errors(self):
        pathlib.Path(self.path).write_bytes(b'"x"\r\n' * 24)
        done = cli("open", self.path)
        self.assertEqual((done.returncode, done.stderr), (1, b"Open error: Input past end of file\n"))
        done = cli("open", os.path.join(self.dir, "none.qrv"))
        self.assertEqual((done.returncode, done.stderr), (1, b"Open error: File not found\n"))

    def test_json_is_utf8_and_says_which_bytes_were_not(self):
        lines = [t.encode() for t in REFERENCE["water"]["texts"]]
        lines[0], lines[6], lines[7] = b"back\\slash", "café ∆ 😀".encode(), b"caf\xe9 \xc0\xaf \xed\xa0\x80 \xc3"
        pathlib.Path(self.path).write_bytes(qrv_file(lines))
        done = self.ok("open", self.path, "--json")
        report = json.loads(done.stdout.decode("utf-8"))
        self.assertEqual([report["results_file"][i] for i in (0, 6, 7)],
                         ["back\\slash", "café ∆ 😀", "caf\ufffd " + "\ufffd" * 2 + " " + "\ufffd" * 3 + " \ufffd"])
        # Overlong forms and surrogates are not UTF-8 either; the rest is written as UTF-8 itself.
        self.assertIn("café ∆ 😀".encode(), done.stdout)
        self.assertEqual(done.stderr.decode(),
                         f"qrv-cli: {self.path}: 7 bytes are not UTF-8; the JSON has U+FFFD in their place\n")
        # A file all UTF-8 is opened without a word.
        lines[7] = b"plain"
        pathlib.Path(self.path).write_bytes(qrv_file(lines))
        self.assertEqual(self.ok("open", self.path, "--json").stderr, b"")

    def test_files_that_hold_no_run_are_refused(self):
        good = [t.encode() for t in REFERENCE["water"]["texts"]]
        cases = [(b"," * 25, "lines 2 to 5 (the inputs) are empty"),
                 (b"a,b,c,d,e\r\n" * 5, "line 2 is not a number"),
                 (qrv_file([b"Once upon a time"] * 25), "line 2 is not a number"),
                 (qrv_file(good[:2] + [b"1e400"] + good[3:]), "line 3 is not a number")]
        for content, error in cases:
            with self.subTest(error=error):
                pathlib.Path(self.path).write_bytes(content)
                done = cli("open", self.path)
                self.assertEqual((done.returncode, done.stdout, done.stderr),
                                 (1, b"", b"Open error: " + error.encode() + b"\n"))

    def test_saves_follow_links_and_keep_read_only_files(self):
        args = REFERENCE["water"]["args"]
        target = os.path.join(self.dir, "target.qrv")
        os.symlink("target.qrv", self.path)
        self.assertEqual(cli("run", *args, "--qrv", self.path).returncode, 0)
        self.assertTrue(os.path.islink(self.path))
        self.assertEqual(cli("open", target).returncode, 0)

        os.chmod(target, 0o444)
        done = cli("run", *args, "--qrv", target)
        self.assertEqual((done.returncode, done.stderr), (1, b"Save error: Permission denied\n"))
        self.assertEqual(sorted(os.listdir(self.dir)), ["run.qrv", "target.qrv"])

    def test_failed_save_is_reported(self):
        done = cli("run", *REFERENCE["water"]["args"], "--qrv", os.path.join(self.dir, "no", "x.qrv"))
        self.assertEqual((done.returncode, done.stderr), (1, b"Save error: Path not found\n"))


class Sweep(CliTest):
    def test_csv_has_a_header_and_one_line_per_ratio(self):
        done = self.ok("sweep", *START_UP, "--r", "0.1:1:0.1", "--csv")
        lines = csv_rows(done.stdout)
        self.assertEqual(lines[0], RECORD_NAMES + REFERENCE_NAMES + ENERGY_NAMES)
        self.assertEqual(len(lines), 11)
        ratios = [single(float(line[0])) for line in lines[1:]]
        self.assertEqual(ratios, [single(r / 10) for r in range(1, 11)])
        # Each row is the single run of that ratio.
        single_run = run_json(*START_UP, "--r", "0.3")["record"]
        self.assertEqual([float(v) for v in lines[3][:len(RECORD_NAMES)]], list(single_run.values()))

    def test_refused_ratios_are_reported_with_their_ratio(self):
        done = cli("sweep", *START_UP, "--r", "-0.1:0.1:0.1", "--csv")
        self.assertEqual((done.returncode, done.stderr), (2, b"[R=-0.1] Enter R value > 0\n[R=0] Enter R value > 0\n"
                                          b"qrv-cli: 2 of 3 ratios failed\n"))
        self.assertEqual(len(done.stdout.decode().splitlines()), 2)

    def test_ranges_are_checked(self):
        for r in ["0.1:1:0", "0.1:1:-0.1", "1:0.1:0.1", "0:1:0.000001"]:
            with self.subTest(r=r):
                done = cli("sweep", *START_UP, "--r", r)
                self.assertEqual(done.returncode, 2)
                self.assertIn(b"option --r", done.stderr)


class Family(CliTest):
    def rows(self, *args):
        done = self.ok("sweep", *args, "--r", "0.1:0.3:0.1", "--csv")
        lines = done.stdout.decode().splitlines()
        return lines[0].split(","), [line.split(",") for line in lines[1:]]

    def single(self, *args):
        return [float(v) for v in run_json(*args)["record"].values()]

    def test_every_ratio_runs_for_each_member_which_leads_its_rows(self):
        without_pfinal = START_UP[:6]
        for family, option, members, header in [
                ("pfinal=0.1,1", "--pfinal", ["0.1", "1"], "Member PFinal [MPa]"),
                ("x=0.3, 0.6", "--x", ["0.3", "0.6"], "Member X")]:
            with self.subTest(family=family):
                base = without_pfinal + (["--pfinal", "0.1"] if option == "--x" else [])
                names, rows = self.rows(*base, "--family", family)
                self.assertEqual(names, [header, *RECORD_NAMES, *REFERENCE_NAMES, *ENERGY_NAMES])
                self.assertEqual([row[0] for row in rows], [m for m in members for _ in range(3)])
                for row in rows:
                    self.assertEqual([float(v) for v in row[1:1 + len(RECORD_NAMES)]],
                                     self.single(*base, option, row[0], "--r", row[1]))

    def test_messages_name_the_member_and_failures_count_runs(self):
        done = cli("sweep", *START_UP[2:], "--family", "tmagma=1473,200", "--r", "0.1:0.2:0.1", "--csv")
        self.assertEqual(done.returncode, 2)
        err = done.stderr.decode()
        self.assertIn("[TMagma=200 R=0.1] Magma Temperature (K) must be above 298 K", err)
        self.assertTrue(err.endswith("qrv-cli: 2 of 4 runs failed\n"), err)
        self.assertEqual(len(done.stdout.splitlines()), 3)

    def test_each_member_saves_into_a_folder_of_its_own(self):
        with tempfile.TemporaryDirectory() as folder:
            done = cli("sweep", *START_UP[2:], "--family", "tmagma=1073,1473", "--r", "0.1:0.2:0.1",
                       "--qrv-dir", folder)
            self.assertEqual(done.returncode, 0, done.stderr)
            for member in ["1073", "1473"]:
                names = sorted(os.listdir(os.path.join(folder, "tmagma-" + member)))
                self.assertEqual(names, ["run-1-R0.100.qrv", "run-2-R0.200.qrv"])
                opened = run_json("open", os.path.join(folder, "tmagma-" + member, names[1]))
                self.assertEqual(opened["record"]["TMagma [K]"], float(member))


class SweepResultsFiles(CliTest):
    def setUp(self):
        self.dir = self.enterContext(tempfile.TemporaryDirectory())
        self.folder = os.path.join(self.dir, "new", "runs")

    def sweep(self, ratios, *extra):
        return cli("sweep", *START_UP, "--r", ratios, "--csv", "--qrv-dir", self.folder, *extra)

    def test_one_file_per_run_as_a_single_run_saves_it(self):
        done = self.sweep("0.05:0.3:0.05")
        self.assertEqual(done.returncode, 0, done.stderr)
        names = sorted(os.listdir(self.folder))
        self.assertEqual(names, ["run-%d-R0.%03d.qrv" % (i, 50 * i) for i in range(1, 7)])
        rows = csv_rows(done.stdout)[1:]
        for name, row in zip(names, rows):
            with self.subTest(name=name):
                path = os.path.join(self.folder, name)
                single_path = os.path.join(self.dir, "single.qrv")
                ratio = row[0]
                cli("run", *START_UP, "--r", ratio, "--qrv", single_path)
                self.assertEqual(pathlib.Path(path).read_bytes(), pathlib.Path(single_path).read_bytes())
                opened = run_json("open", path)["record"]
                values = [float(v) for v in row[:len(RECORD_NAMES)]]
                self.assertEqual(opened["R"], values[0])
                # The file keeps what the window shows: two decimals of %, one of K.
                self.assertAlmostEqual(opened["CRAdiabatic [%]"], values[9], delta=0.005)
                self.assertAlmostEqual(opened["TFIsothermal [K]"], values[16], delta=0.05)

    def test_every_run_has_its_own_file_in_ratio_order(self):
        for ratios, expected in [
                ("9:10.5:0.5", ["run-1-R9.000.qrv", "run-2-R9.500.qrv", "run-3-R10.000.qrv", "run-4-R10.500.qrv"]),
                ("0.3:0.3002:0.0001", ["run-1-R0.3000.qrv", "run-2-R0.3001.qrv", "run-3-R0.3002.qrv"])]:
            with self.subTest(ratios=ratios):
                shutil.rmtree(self.folder, ignore_errors=True)
                done = self.sweep(ratios)
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertEqual(sorted(os.listdir(self.folder)), expected)

        # Ratios too close to tell apart in a name still get a file each, numbered in order.
        shutil.rmtree(self.folder, ignore_errors=True)
        done = self.sweep("1e-13:1e-12:1e-14")
        self.assertEqual(done.returncode, 0, done.stderr)
        names = sorted(os.listdir(self.folder))
        self.assertEqual(len(names), 91)
        self.assertEqual([name.split("-")[1] for name in names], ["%02d" % i for i in range(1, 92)])

    def test_a_failed_save_does_not_stop_the_others(self):
        os.makedirs(os.path.join(self.folder, "run-2-R0.200.qrv"))
        done = self.sweep("0.1:0.3:0.1")
        self.assertEqual((done.returncode, done.stderr), (1, b"[R=0.2] Save error: Path/File access error\n"))
        self.assertEqual(len(done.stdout.decode().splitlines()), 4)
        for name in ["run-1-R0.100.qrv", "run-3-R0.300.qrv"]:
            self.assertEqual(cli("open", os.path.join(self.folder, name)).returncode, 0)

    def test_a_folder_that_cannot_be_made_is_a_save_error(self):
        os.makedirs(os.path.dirname(self.folder))
        open(self.folder, "w").close()
        done = self.sweep("0.1:0.3:0.1")
        self.assertEqual((done.returncode, done.stdout), (1, b""))
        self.assertTrue(done.stderr.startswith(b"Save error: "), done.stderr)

    def test_refused_ratios_leave_no_file(self):
        done = self.sweep("-0.1:0.1:0.1")
        self.assertEqual(done.returncode, 2)
        self.assertEqual(os.listdir(self.folder), ["run-3-R0.100.qrv"])


if __name__ == "__main__":
    CLI = sys.argv.pop(1)
    unittest.main(verbosity=1)
