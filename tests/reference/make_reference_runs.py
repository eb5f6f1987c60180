#!/usr/bin/python3
"""Writes reference_runs.csv: the IAPWS-95 reference of a grid of runs, worked out with
python3-iapws as a check on the C++ reference library.

Made with Debian's python3-iapws 1.5.2 (and the python3-scipy it depends on) by running
    /usr/bin/python3 tests/reference/make_reference_runs.py > tests/reference/reference_runs.csv
which takes about fifteen seconds.

The model, per kg of magma: water m_w = R (or Rs X, with rock Rs (1 - X)) starts at
(TInit, PInit) with density rho0 and is heated at that density until
    m_w (u(TEq, rho0) - u0) + m_r CRock (TEq - TInit) = CMagma (TMagma - TEq).
It then expands to PFinal either alone and isentropically (adiabatic path), or together with
the magma and rock, of heat capacity C_h = CMagma + m_r CRock, that keep its temperature
(isothermal path):
    m_w s(T_f) + C_h ln T_f = m_w SEq + C_h ln TEq,   W = m_w (UEq - u_f) + C_h (TEq - T_f).
CR = 100 W / (CMagma (TMagma - 298)). Above the critical pressure the end state is one fluid
with steam fraction 0 ("liquid" below the critical temperature, "supercritical" above).

The single-phase adiabatic end state comes from iapws' own (P, s) flash; everything else from
(T, rho), (P, T) and (T, x) states and scipy's brentq, so no solver is shared with the C++ code.
"""
import math
import sys

import iapws
from scipy.optimize import brentq

T_TRIPLE = 273.16
T_CRIT = 647.096
P_CRIT_MPA = 22.064
C_MAGMA = 1000.0
C_ROCK = 1000.0

# (mixture, ratio, XWater, TMagma K, TInit K, PInit Pa, PFinal Pa)
RUNS = [
    ("water", 0.3, 1.0, 1473, 298, 1e5, 1e5),      # the defaults: two-phase on both paths
    ("water", 0.01, 1.0, 1473, 298, 1e5, 1e5),     # equilibrium beyond 1273 K and 1000 MPa
    ("water", 0.02, 1.0, 1473, 298, 1e5, 1e5),
    ("water", 0.1, 1.0, 1473, 298, 1e5, 1e5),
    ("water", 1.0, 1.0, 1473, 298, 1e5, 1e5),
    ("water", 3.0, 1.0, 1473, 298, 1e5, 1e5),
    ("water", 10.0, 1.0, 1473, 298, 1e5, 1e5),     # liquid on both paths
    ("water", 30.0, 1.0, 1473, 298, 1e5, 1e5),
    ("water", 0.3, 1.0, 1473, 298, 1e5, 1e3),
    ("water", 0.3, 1.0, 1473, 298, 1e5, 1e4),
    ("water", 0.3, 1.0, 1473, 298, 1e5, 1e6),
    ("water", 0.3, 1.0, 1473, 298, 1e5, 10e6),
    ("water", 0.3, 1.0, 1473, 298, 1e5, 22e6),     # just below the critical pressure
    ("water", 0.3, 1.0, 1473, 298, 1e5, 22.064e6), # at it: one fluid
    ("water", 0.3, 1.0, 1473, 298, 1e5, 30e6),     # above it: supercritical fluid
    ("water", 3.0, 1.0, 1473, 298, 1e5, 30e6),     # above it: compressed liquid
    ("water", 0.3, 1.0, 1473, 298, 10e6, 1e5),
    ("water", 0.3, 1.0, 1473, 298, 100e6, 1e5),
    ("water", 0.3, 1.0, 1473, 273.16, 1e5, 1e5),
    ("water", 0.3, 1.0, 1473, 372.0, 1e5, 1e5),
    ("water", 0.3, 1.0, 1473, 450, 1e5, 1e5),      # steam to begin with: vapour on both paths
    ("water", 1.0, 1.0, 1473, 400, 1e4, 1e5),      # PEq below PFinal: compressed, W < 0
    ("water", 0.3, 1.0, 1073, 298, 1e5, 1e5),
    ("water", 0.3, 1.0, 1273, 298, 1e5, 1e5),
    ("water", 0.3, 1.0, 1473, 270, 1e5, 1e5),      # ice: no reference
    ("sediment", 0.3, 0.5, 1473, 298, 1e5, 1e5),
    ("sediment", 1.0, 0.2, 1473, 298, 1e5, 1e5),
    ("sediment", 3.0, 0.5, 1473, 298, 1e5, 1e5),
    ("sediment", 10.0, 0.1, 1473, 298, 1e5, 1e5),
    ("sediment", 0.5, 1.0, 1473, 298, 1e5, 1e5),
    ("sediment", 0.1, 0.3, 1273, 350, 1e6, 1e4),
    ("sediment", 2.0, 0.5, 1473, 298, 1e5, 30e6),
    ("sediment", 1.0, 0.5, 1473, 272, 1e5, 1e5),   # ice: no reference
]


def within_validity(p_pa, t_k):
    return T_TRIPLE <= t_k <= 1273.0 and 0 < p_pa <= 1000e6


def end_state(p_pa, t_eq, s_eq, c):
    """(T, x, u, phase) where s(T) + c ln(T / TEq) = SEq at p; c = 0 is the isentrope."""
    p = p_pa / 1e6
    needed = lambda t: s_eq - c * math.log(t / t_eq)
    excess = lambda t: iapws.IAPWS95(P=p, T=t).s * 1e3 - needed(t)

    def hot_enough(t):
        while excess(t) < 0:
            t *= 2
        return t

    def solve(low, high):
        t = brentq(excess, low, high, xtol=1e-11, rtol=1e-14)
        return t, iapws.IAPWS95(P=p, T=t).u * 1e3

    def single_phase(low, high):
        if c == 0:
            flash = iapws.IAPWS95(P=p, s=s_eq / 1e3)
            return flash.T, flash.u * 1e3
        return solve(low, high)

    if p >= P_CRIT_MPA:
        t, u = single_phase(T_TRIPLE, hot_enough(t_eq))
        return t, 0.0, u, "liquid" if t < T_CRIT else "supercritical"
    # The (P, x) flash leaves about 1e-8 in T; the (T, x) states are refined to the pressure.
    flash = iapws.IAPWS95(P=p, x=0).T
    t_sat = brentq(lambda t: iapws.IAPWS95(T=t, x=0).P - p, flash - 0.01, flash + 0.01,
                   xtol=1e-12, rtol=1e-15)
    liquid = iapws.IAPWS95(T=t_sat, x=0)
    vapour = iapws.IAPWS95(T=t_sat, x=1)
    s_liquid, s_vapour = liquid.s * 1e3, vapour.s * 1e3
    if needed(t_sat) < s_liquid:
        t, u = single_phase(T_TRIPLE, t_sat - 1e-7)
        return t, 0.0, u, "liquid"
    if needed(t_sat) > s_vapour:
        t, u = single_phase(t_sat + 1e-7, hot_enough(max(t_eq, t_sat + 1)))
        return t, 1.0, u, "vapour"
    x = (needed(t_sat) - s_liquid) / (s_vapour - s_liquid)
    return t_sat, x, (liquid.u + x * (vapour.u - liquid.u)) * 1e3, "two-phase"


def reference(mixture, ratio, x_water, t_magma, t_init, p_init, p_final):
    m_water = ratio if mixture == "water" else ratio * x_water
    m_rock = 0.0 if mixture == "water" else ratio * (1 - x_water)
    e_magma = C_MAGMA * (t_magma - 298)
    initial = iapws.IAPWS95(P=p_init / 1e6, T=t_init)
    rho0, u0 = initial.rho, initial.u * 1e3

    def energy_balance(t):
        water = iapws.IAPWS95(T=t, rho=rho0)
        return (m_water * (water.u * 1e3 - u0) + m_rock * C_ROCK * (t - t_init)
                - C_MAGMA * (t_magma - t))

    t_eq = brentq(energy_balance, t_init, t_magma, xtol=1e-11, rtol=1e-14)
    eq = iapws.IAPWS95(T=t_eq, rho=rho0)
    p_eq, s_eq, u_eq = eq.P * 1e6, eq.s * 1e3, eq.u * 1e3

    paths = []
    outside = not within_validity(p_init, t_init) or not within_validity(p_eq, t_eq)
    for companions in (0.0, C_MAGMA + m_rock * C_ROCK):
        t_f, x, u_f, phase = end_state(p_final, t_eq, s_eq, companions / m_water)
        work = m_water * (u_eq - u_f) + companions * (t_eq - t_f)
        paths.append((100 * work / e_magma, work, x, t_f, phase))
        outside = outside or not within_validity(p_final, t_f)
    return (t_eq, p_eq, s_eq, u_eq, rho0, outside), paths


def main():
    out = sys.stdout
    out.write("# mixture,ratio,XWater,TMagma_K,TInit_K,PInit_Pa,PFinal_Pa,"
              "TEq_K,PEq_Pa,SEq_J_kgK,UEq_J_kg,RhoEq_kg_m3,outsideValidity,"
              "adiabatic_CR_pct,adiabatic_W_J_kg,adiabatic_X,adiabatic_TFinal_K,adiabatic_phase,"
              "isothermal_CR_pct,isothermal_W_J_kg,isothermal_X,isothermal_TFinal_K,"
              "isothermal_phase,refusal\n")
    for run in RUNS:
        inputs = ",".join([run[0]] + ["%.17g" % v for v in run[1:]])
        if run[4] < T_TRIPLE:
            out.write(inputs + "," * 17 + "ice\n")
            continue
        (t_eq, p_eq, s_eq, u_eq, rho0, outside), paths = reference(*run)
        fields = ["%.17g" % v for v in (t_eq, p_eq, s_eq, u_eq, rho0)] + [str(int(outside))]
        for cr, work, x, t_f, phase in paths:
            fields += ["%.17g" % v for v in (cr, work, x, t_f)] + [phase]
        out.write(inputs + "," + ",".join(fields) + ",\n")
        out.flush()


if __name__ == "__main__":
    main()
