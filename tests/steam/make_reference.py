#!/usr/bin/python3
"""Writes reference_grid.csv: IAPWS-95 states from python3-iapws on a (p, T) grid.

Made with Debian's python3-iapws 1.5.3 by running
    /usr/bin/python3 tests/steam/make_reference.py > tests/steam/reference_grid.csv
The grid is 16 pressures spaced evenly in log p from 0.002 to 100 MPa times 16 temperatures
spaced evenly from 273.16 to 1273 K. Points closer than 0.5 % in pressure to the saturation
line are left out, since there the two-phase answer depends on how each solver picks a root.
"""
import math
import sys

import iapws

PRESSURES_MPA = [0.002 * (100 / 0.002) ** (i / 15) for i in range(16)]
TEMPERATURES_K = [273.16 + (1273.0 - 273.16) * j / 15 for j in range(16)]
CRITICAL_T = 647.096


def near_saturation(p_mpa, t_k):
    if t_k >= CRITICAL_T:
        return False
    p_sat = iapws.iapws97._PSat_T(t_k)
    return abs(p_mpa / p_sat - 1) < 0.005


def main():
    out = sys.stdout
    out.write("# pressure_Pa,temperature_K,density_kg_m3,entropy_J_kgK,cv_J_kgK\n")
    for p in PRESSURES_MPA:
        for t in TEMPERATURES_K:
            if near_saturation(p, t):
                continue
            state = iapws.IAPWS95(P=p, T=t)
            if not state.status:
                continue
            out.write("%.17g,%.17g,%.17g,%.17g,%.17g\n"
                      % (p * 1e6, t, state.rho, state.s * 1e3, state.cv * 1e3))


if __name__ == "__main__":
    main()
