#!/usr/bin/python3
"""Times python3-iapws (IAPWS95(P=MPa, T=K)) on the points of points.h, for comparison with
steam_bench. Run: /usr/bin/python3 bench/steam/time_python_iapws.py"""
import re
import statistics
import time
from pathlib import Path

import iapws

POINTS = [(float(p), float(t)) for p, t in
          re.findall(r"\{([0-9.e]+), ([0-9.]+)\}", (Path(__file__).parent / "points.h").read_text())]


def main():
    per_point = []
    for p_pa, t_k in POINTS:
        runs = []
        for _ in range(20):
            start = time.perf_counter()
            iapws.IAPWS95(P=p_pa / 1e6, T=t_k)
            runs.append(time.perf_counter() - start)
        median_us = statistics.median(runs) * 1e6
        per_point.append(median_us)
        print("%10.0f Pa %7.1f K: %9.1f us" % (p_pa, t_k, median_us))
    print("median over points: %.1f us" % statistics.median(per_point))


if __name__ == "__main__":
    main()
