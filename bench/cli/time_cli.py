#!/usr/bin/python3
"""Wall time of whole qrv-cli processes, from the start of the process until it has exited:
what a script calling qrv-cli waits for. Prints the median, the quartiles and the fastest.

Cases: run (one run at the start-up inputs; target under 10 ms), family-chart (three magma
temperatures over the 60 ratios 0.05 to 3, drawn as curves into a PNG; under 1 s) and
reference-chart (the 60 ratios with the IAPWS-95 reference, drawn as curves; under 1 s), map
(100 x 100 points of R and TMagma with the reference, as CSV and drawn into a PNG; under 3 s), mc
(10,000 samples with the reference, TMagma and R uncertain; under 3 s) and peaks (the peaks of
a family of three magma temperatures over the 60 ratios; under 1 s).

Run: /usr/bin/python3 bench/cli/time_cli.py [PATH-TO-QRV-CLI] [--case CASE] [--runs N]
(default build/bin/qrv-cli, the run case, 500 processes after 20 to warm the file cache)."""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

START_UP = ["--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1"]
SWEEP = ["sweep", *START_UP, "--r", "0.05:3:0.05", "--curve"]
CASES = {
    "run": lambda folder: ["run", "--tmagma", "1473", *START_UP, "--r", "0.3"],
    "family-chart": lambda folder: [*SWEEP, "--family", "tmagma=1073,1273,1473",
                                    "--plot", os.path.join(folder, "family.png")],
    "reference-chart": lambda folder: [*SWEEP, "--tmagma", "1473", "--reference",
                                       "--plot", os.path.join(folder, "reference.png")],
    "map": lambda folder: ["map", *START_UP, "--r", "0.05:5:0.05", "--tmagma", "1000:1495:5", "--csv",
                           "--plot", os.path.join(folder, "map.png"), "--z", "cr-isothermal"],
    "mc": lambda folder: ["mc", *START_UP, "--r", "0.3~0.05", "--tmagma", "1473~50", "--n", "10000"],
    "peaks": lambda folder: ["sweep", *START_UP, "--r", "0.05:3:0.05", "--family", "tmagma=1073,1273,1473",
                             "--peaks"],
}


def one_run(command):
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit("qrv-cli failed with status %d: %s" % (done.returncode, done.stderr.decode()))
    return elapsed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("cli", nargs="?", default=str(Path(__file__).resolve().parents[2] / "build/bin/qrv-cli"))
    parser.add_argument("--case", choices=CASES, default="run")
    parser.add_argument("--runs", type=int, default=500)
    options = parser.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        command = [options.cli, *CASES[options.case](folder)]
        for _ in range(min(20, options.runs)):
            one_run(command)
        times_ms = [one_run(command) * 1e3 for _ in range(options.runs)]
    quartiles = statistics.quantiles(times_ms, n=4) if len(times_ms) > 1 else times_ms * 3
    print("qrv-cli %s, %d processes: median %.2f ms (quartiles %.2f / %.2f ms, fastest %.2f ms)"
          % (options.case, options.runs, statistics.median(times_ms), quartiles[0], quartiles[-1], min(times_ms)))


if __name__ == "__main__":
    main()
