#!/usr/bin/python3
"""Times qrv.steam.state over a million (p, T) states spread over the range (liquid, vapour,
supercritical): wall and CPU time per state, median of a few repetitions.
Run after ./test: PYTHONPATH=build/python /usr/bin/python3 bench/python/steam_state.py"""
import argparse
import os
import statistics
import time

import numpy as np

import qrv


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--states", type=int, default=1_000_000)
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()

    rng = np.random.default_rng(1)
    pressures = 10 ** rng.uniform(-3, 3, args.states)   # 0.001 to 1000 MPa
    temperatures = rng.uniform(273.16, 1273, args.states)
    walls, cpus = [], []
    for _ in range(args.repeat):
        wall, cpu = time.perf_counter(), time.process_time()
        states = qrv.steam.state(pressures, temperatures)
        walls.append(time.perf_counter() - wall)
        cpus.append(time.process_time() - cpu)
    phases, counts = np.unique(states["phase"], return_counts=True)
    print("states: %d (%s) on %d cores" % (args.states, ", ".join(
        "%s %d" % (p or "out of range", c) for p, c in zip(phases, counts)), os.cpu_count()))
    print("wall per state: %.2f us (median of %d)" % (statistics.median(walls) / args.states * 1e6, args.repeat))
    print("CPU per state:  %.2f us" % (statistics.median(cpus) / args.states * 1e6))


if __name__ == "__main__":
    main()
