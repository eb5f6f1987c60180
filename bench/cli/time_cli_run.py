#!/usr/bin/python3
"""Wall time of whole `qrv-cli run` processes at the start-up inputs, from the start of the
process until it has exited: what a script calling qrv-cli waits for each run. Prints the
median, the quartiles and the fastest run.

Run: /usr/bin/python3 bench/cli/time_cli_run.py [PATH-TO-QRV-CLI] [--runs N]
(default build/bin/qrv-cli, 500 runs after 20 to warm the file cache)."""
import argparse
import statistics
import subprocess
import sys
import time
from pathlib import Path

ARGS = ["run", "--tmagma", "1473", "--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1", "--r", "0.3"]


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
    parser.add_argument("--runs", type=int, default=500)
    options = parser.parse_args()
    command = [options.cli, *ARGS]
    for _ in range(20):
        one_run(command)
    times_ms = [one_run(command) * 1e3 for _ in range(options.runs)]
    quartiles = statistics.quantiles(times_ms, n=4)
    print("qrv-cli run, %d processes: median %.2f ms (quartiles %.2f / %.2f ms, fastest %.2f ms)"
          % (options.runs, statistics.median(times_ms), quartiles[0], quartiles[2], min(times_ms)))


if __name__ == "__main__":
    main()
