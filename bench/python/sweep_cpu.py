#!/usr/bin/python3
"""CPU per run of qrv.sweep against a `qrv-cli sweep --csv` process over the same 100,000 runs
(start-up water, the ratios 0.00003 to 3, every run with its IAPWS-95 reference), in one run
of this benchmark: CPU (user + system) per run of each, their ratio, and the module's wall
time on all cores.

Run after ./test: PYTHONPATH=build/python /usr/bin/python3 bench/python/sweep_cpu.py
[--cli build/bin/qrv-cli] [--runs 100000]"""
import argparse
import os
import resource
import subprocess
import sys
import time

import numpy as np

import qrv

INPUTS = {"tmagma": 1473, "tinit": 298, "pinit": 0.1, "pfinal": 0.1}


def cli_sweep(cli, count, step):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    started = time.perf_counter()
    done = subprocess.run([cli, "sweep", "--r", f"{step!r}:{step * count!r}:{step!r}", "--csv",
                           *[f"--{k}={v}" for k, v in INPUTS.items()]],
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    wall = time.perf_counter() - started
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit("qrv-cli failed with status %d: %s" % (done.returncode, done.stderr.decode()[:500]))
    rows = done.stdout.count(b"\n") - 1
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return cpu, wall, rows


def module_sweep(count, step):
    ratios = step * np.arange(1, count + 1)
    before = os.times()
    started = time.perf_counter()
    table = qrv.sweep(r=ratios, **INPUTS)
    wall = time.perf_counter() - started
    after = os.times()
    cpu = (after.user - before.user) + (after.system - before.system)
    return cpu, wall, int((table["status"] == "completed").sum())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", default=os.path.join("build", "bin", "qrv-cli"))
    parser.add_argument("--runs", type=int, default=100_000)
    args = parser.parse_args()
    step = 3.0 / args.runs

    cli_cpu, cli_wall, cli_rows = cli_sweep(args.cli, args.runs, step)
    mod_cpu, mod_wall, mod_rows = module_sweep(args.runs, step)
    print("runs: %d (qrv-cli wrote %d rows, qrv.sweep completed %d) on %d cores"
          % (args.runs, cli_rows, mod_rows, os.cpu_count()))
    print("qrv-cli sweep --csv: %6.1f us CPU per run, %6.2f s wall" % (cli_cpu / args.runs * 1e6, cli_wall))
    print("qrv.sweep:           %6.1f us CPU per run, %6.2f s wall" % (mod_cpu / args.runs * 1e6, mod_wall))
    print("CPU per run, module / qrv-cli: %.2f" % (mod_cpu / cli_cpu))


if __name__ == "__main__":
    main()
