#!/usr/bin/python3
"""qrv-cli's JSON and CSV as other programs read them: every JSON object it writes against
docs/qrv.schema.json (python3-jsonschema), the CSV with pandas, every number at full precision.
Usage: test_data_interface.py PATH-TO-QRV-CLI PATH-TO-SCHEMA VERSION"""

import io
import json
import os
import re
import subprocess
import sys
import tempfile
import unittest

import jsonschema
import numpy
import pandas

CLI = SCHEMA = VERSION = None

START_UP = ["--tmagma", "1473", "--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1"]
# Each run with how it ends: its exit status, whether it completes, and the stage it ends in.
RUNS = {
    "water": (START_UP + ["--r", "0.3"], 0, True, "expanded"),
    "sediment": (START_UP + ["--r", "0.6", "--x", "0.5"], 0, True, "expanded"),
    "ice": (["--tmagma", "1473", "--tinit", "270", "--pinit", "0.1", "--pfinal", "0.1", "--r", "0.3"],
            0, True, "expanded"),
    "constant volume": (START_UP + ["--r", "0.3", "--constvolume"], 0, True, "expanded"),
    # Ice that stays ice, expanded to a supercritical pressure: the isothermal path fails.
    "paths failed": (["--tmagma", "1500", "--tinit", "200", "--pinit", "0.1", "--pfinal", "30", "--r", "5"],
                     3, False, "expanded"),
    "refused": (START_UP + ["--r", "0"], 2, False, "refused"),
    "no equilibrium": (["--tmagma", "1e30", "--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1", "--r", "0.3"],
                       3, False, "noEquilibrium"),
    "no steam-table values": (["--tmagma", "1473", "--tinit", "1300", "--pinit", "5", "--pfinal", "0.1",
                               "--r", "0.3"], 2, False, "steamTableNeeded"),
}


def cli(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=60)


def json_lines(done):
    return [json.loads(line) for line in done.stdout.decode().splitlines()]


def validator(definition):
    """A validator of one of the schema's objects ("run", "open", "sweepRun")."""
    with open(SCHEMA, encoding="utf-8") as text:
        schema = json.load(text)
    return jsonschema.Draft202012Validator({**schema, "oneOf": [{"$ref": "#/$defs/" + definition}]})


def single(value):
    return numpy.float32(value)


class Schema(unittest.TestCase):
    def assert_valid(self, definition, report):
        errors = ["%s: %s" % ("/".join(map(str, e.absolute_path)), e.message[:200])
                  for e in validator(definition).iter_errors(report)]
        self.assertEqual(errors, [])
        self.assertEqual((report["schema"], report["version"]), (1, VERSION))

    def test_the_schema_is_sound_and_gives_every_number_its_unit(self):
        with open(SCHEMA, encoding="utf-8") as text:
            schema = json.load(text)
        jsonschema.Draft202012Validator.check_schema(schema)
        numbers = []

        def visit(node, name):
            if isinstance(node, dict):
                if node.get("$ref") == "#/$defs/number" or node.get("type") == "number":
                    numbers.append(name)
                    self.assertRegex(node.get("description", ""), r" \[[^]]+\]$", name)
                for key, value in node.items():
                    visit(value, key)
            elif isinstance(node, list):
                for value in node:
                    visit(value, name)
        visit(schema, "")
        self.assertGreater(len(numbers), 51 + 17 + 4)

    def test_every_run_report_follows_the_schema(self):
        for name, (args, status, completed, stage) in RUNS.items():
            with self.subTest(run=name):
                done = cli("run", *args, "--json")
                self.assertEqual(done.returncode, status, done.stderr)
                report = json.loads(done.stdout)
                self.assert_valid("run", report)
                self.assertEqual((report["completed"], report["stage"]), (completed, stage))

    def test_sweep_lines_and_opened_files_follow_the_schema(self):
        # Failed ratios, a family, and the sediment's water fraction as a family.
        for args in [[*START_UP, "--r", "-0.1:0.2:0.1"],
                     [*START_UP[2:], "--r", "0.1:0.2:0.1", "--family", "tmagma=1073,200"],
                     [*START_UP, "--r", "0.5:1:0.5", "--family", "x=0.3,1"]]:
            with self.subTest(args=args):
                for line in json_lines(cli("sweep", *args, "--json")):
                    self.assert_valid("sweepRun", line)
        with tempfile.TemporaryDirectory() as folder:
            for name in ["water", "sediment"]:
                path = os.path.join(folder, name + ".qrv")
                self.assertEqual(cli("run", *RUNS[name][0], "--qrv", path).returncode, 0)
                with self.subTest(file=name):
                    self.assert_valid("open", json.loads(cli("open", path, "--json").stdout))


    def test_uncertainty_summaries_follow_the_schema(self):
        # Failed samples, and samples without a reference (ice has none).
        for args in [[*START_UP, "--r", "-0.1..0.3"], [*START_UP[:2], "--tinit", "250~10", *START_UP[4:], "--r", "0.3"]]:
            with self.subTest(args=args):
                report = json.loads(cli("mc", *args, "--n", "50", "--json").stdout)
                self.assert_valid("uncertainty", report)
                self.assertEqual(report["samples"], 50)
        self.assertGreater(report["outputs"]["TEq [K]"]["count"], report["outputs"]["IAPWS-95 CRAdiabatic [%]"]["count"])


class JsonReports(unittest.TestCase):
    def test_a_run_that_did_not_complete_says_so_with_its_messages(self):
        for name in ["paths failed", "refused", "no equilibrium", "no steam-table values"]:
            args = RUNS[name][0]
            with self.subTest(run=name):
                done = cli("run", *args, "--json")
                report = json.loads(done.stdout)
                self.assertIs(report["completed"], False)
                # What the terminal says is what the report says.
                stderr = done.stderr.decode()
                for message in report["messages"]:
                    self.assertIn(message["text"] + "\n", stderr)
                if report["stage"] in ("noEquilibrium", "steamTableNeeded"):
                    self.assertIn("qrv-cli: " + report["error"] + "\n", stderr)
        refused = json.loads(cli("run", *RUNS["refused"][0], "--json").stdout)
        self.assertEqual(refused["messages"], [{"text": "Enter R value > 0", "icon": "critical"}])
        stopped = json.loads(cli("run", *RUNS["no equilibrium"][0], "--json").stdout)
        self.assertTrue(stopped["messages"][0]["text"].startswith("State0 error: "), stopped)
        self.assertNotIn("TEq", stopped, "a run without an equilibrium has no state to give")
        failed = json.loads(cli("run", *RUNS["paths failed"][0], "--json").stdout)
        self.assertEqual((failed["error"], failed["record"]), ("the run did not complete", None))

    def test_window_texts_stand_apart_from_the_keys_scripts_read(self):
        report = json.loads(cli("run", *RUNS["water"][0], "--json").stdout)
        self.assertEqual([key for key in report if re.search(r"[()]|^lab|^Label", key)], [])
        texts = report["windowTexts"]
        self.assertEqual(texts["results"]["labES(0)"], "148.9")
        self.assertEqual(texts["results"]["Label10(2)"], "Water Fraction")
        self.assertEqual(texts["equilibrium"]["labT0"], "822")

    def test_each_sweep_line_is_the_single_run_at_full_precision(self):
        family = [*START_UP[2:], "--r", "0.2:0.4:0.2", "--family", "tmagma=1073,1473"]
        lines = json_lines(cli("sweep", *family, "--json"))
        self.assertEqual([(line["member"]["value"], line["ratio"]) for line in lines],
                         [(1073, 0.2), (1073, 0.4), (1473, 0.2), (1473, 0.4)])
        for line in lines:
            with self.subTest(member=line["member"], ratio=line["ratio"]):
                self.assertEqual(line["member"]["input"], "TMagma")
                self.assertEqual(line["member"]["unit"], "K")
                run = json.loads(cli("run", "--tmagma", "%g" % line["member"]["value"], *START_UP[2:],
                                     "--r", repr(line["ratio"]), "--json").stdout)
                self.assertEqual((line["record"], line["reference"]), (run["record"], run["reference"]))
                self.assertEqual((line["completed"], line["messages"]), (True, []))

        # Every run has its line, a failed one too; the statuses stay those of the CSV.
        done = cli("sweep", *START_UP, "--r", "-0.1:0.1:0.1", "--json")
        self.assertEqual(done.returncode, 2)
        lines = json_lines(done)
        self.assertEqual([(line["ratio"], line["completed"]) for line in lines],
                         [(-0.1, False), (0, False), (0.1, True)])
        self.assertEqual(lines[0]["messages"][0]["text"], "Enter R value > 0")
        self.assertIsNone(lines[0]["record"])

    def test_open_gives_the_reference_of_the_files_inputs(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "sediment.qrv")
            run = json.loads(cli("run", *RUNS["sediment"][0], "--json", "--qrv", path).stdout)
            opened = json.loads(cli("open", path, "--json").stdout)
        self.assertEqual(opened["results_file"], run["results_file"])
        # The file's pressures are in MPa: read back in single precision, the reference's
        # inputs differ from the run's in the last bits.
        def close(got, expected, key=""):
            if isinstance(expected, dict):
                self.assertEqual(list(got), list(expected), key)
                for name in expected:
                    close(got[name], expected[name], name)
            elif isinstance(expected, float):
                self.assertAlmostEqual(got, expected, delta=abs(expected) * 1e-6, msg=key)
            else:
                self.assertEqual(got, expected, key)
        close(opened["reference"], run["reference"])


class CsvPrecision(unittest.TestCase):
    def test_pandas_reads_every_cell_back_as_the_value_of_the_run(self):
        args = [*START_UP[2:], "--r", "0.05:3:0.65", "--family", "tmagma=1073,1473"]
        done = cli("sweep", *args, "--csv")
        self.assertEqual(done.returncode, 0, done.stderr)
        # As it is: one header line, every number column read as numbers, not as text.
        table = pandas.read_csv(io.BytesIO(done.stdout))
        runs = json_lines(cli("sweep", *args, "--json"))
        self.assertEqual(len(table), len(runs))
        names = list(table.columns)
        self.assertEqual(names[:2], ["Member TMagma [K]", "R"])
        self.assertEqual(names[-3:], ["IAPWS-95 Note", "EnergyExcessAdiabatic [%]", "EnergyExcessIsothermal [%]"])
        texts = [name for name in names if table[name].dtype == object]
        self.assertEqual(texts, ["IAPWS-95 PhaseAdiabatic", "IAPWS-95 PhaseIsothermal", "IAPWS-95 Note"])
        # pandas' default number reader may miss the last bit of a double; its round-trip reader
        # gets every one.
        table = pandas.read_csv(io.BytesIO(done.stdout), float_precision="round_trip")
        for (_, row), run in zip(table.iterrows(), runs):
            with self.subTest(member=run["member"]["value"], ratio=run["ratio"]):
                self.assertEqual(row["Member TMagma [K]"], run["member"]["value"])
                # The stored fields are single precision: each reads back as that float.
                for name, value in run["record"].items():
                    self.assertEqual(single(row[name]), single(value), name)
                reference = run["reference"]
                expected = {"PEq [MPa]": reference["PEq"] / 1e6, "TEq [K]": reference["TEq"],
                            "RhoEq [kg/m3]": reference["RhoEq"], "SEq [J/kg-K]": reference["SEq"]}
                for path, suffix in [("adiabatic", "Adiabatic"), ("isothermal", "Isothermal")]:
                    result = reference[path]
                    expected.update({"CR%s [%%]" % suffix: result["CR"], "SF" + suffix: result["X"],
                                     "WF" + suffix: 1 - result["X"], "TF%s [K]" % suffix: result["TFinal"]})
                    self.assertEqual(row["IAPWS-95 Phase" + suffix], result["phase"])
                # The reference is double precision: each cell reads back as exactly that double.
                for name, value in expected.items():
                    self.assertEqual(row["IAPWS-95 " + name], value, name)
                # The energy check is a double too, as the JSON gives it.
                checks = run["checks"]
                self.assertEqual(row["EnergyExcessAdiabatic [%]"], checks["adiabaticEnergyExcess"])
                self.assertEqual(row["EnergyExcessIsothermal [%]"], checks["isothermalEnergyExcess"])


if __name__ == "__main__":
    CLI, SCHEMA, VERSION = sys.argv[1:4]
    del sys.argv[1:4]
    unittest.main(verbosity=1)
