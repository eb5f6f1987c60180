#!/usr/bin/python3
"""CPU time per ratio of a 10,000-ratio `qrv-cli sweep --csv` (the ratios 0.001 to 10, start-up
water, every run with its IAPWS-95 reference): user + system time of the whole process,
divided by the number of ratios. Prints the median and the fastest of the repetitions.

Given a second qrv-cli (an older build, say), runs both alternately, checks that their
tables are the same bytes, and prints the ratio of the medians.

Run: /usr/bin/python3 bench/cli/sweep_cpu.py [QRV-CLI] [--against OTHER-QRV-CLI] [--runs N]
(default build/bin/qrv-cli, 7 repetitions)."""
import argparse
import hashlib
import os
import resource
import statistics
import subprocess
import sys

RATIOS = 10000
SWEEP = ["sweep", "--r", "0.001:10:0.001", "--tmagma", "1473", "--tinit", "298",
         "--pinit", "0.1", "--pfinal", "0.1", "--csv"]


def one_sweep(program):
    """CPU seconds of one sweep process, and the digest of its table."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    done = subprocess.run([program, *SWEEP], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit("%s failed with status %d: %s" % (program, done.returncode, done.stderr.decode()))
    lines = done.stdout.count(b"\n")
    if lines != RATIOS + 1:
        sys.exit("%s wrote %d lines, not a heading and %d ratios" % (program, lines, RATIOS))
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return cpu, hashlib.sha256(done.stdout).hexdigest()


def report(name, seconds):
    per_ratio = [s / RATIOS * 1e6 for s in seconds]
    print("%-40s %7.1f us/ratio median, %7.1f fastest" % (name, statistics.median(per_ratio), min(per_ratio)))
    return statistics.median(per_ratio)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program", nargs="?", default=os.path.join("build", "bin", "qrv-cli"))
    parser.add_argument("--against", help="another qrv-cli to compare with")
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()

    programs = [args.program] + ([args.against] if args.against else [])
    times = {p: [] for p in programs}
    digests = {p: set() for p in programs}
    for _ in range(args.runs):
        for program in programs:  # alternately, so that both see the same load
            cpu, digest = one_sweep(program)
            times[program].append(cpu)
            digests[program].add(digest)
    medians = [report(p, times[p]) for p in programs]
    if args.against:
        same = digests[args.program] == digests[args.against] and len(digests[args.program]) == 1
        print("tables %s; CPU time %.2f x the other's" % ("identical" if same else "DIFFER", medians[0] / medians[1]))
        if not same:
            sys.exit(1)


if __name__ == "__main__":
    main()
