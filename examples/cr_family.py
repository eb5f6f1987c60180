#!/usr/bin/python3
"""Conversion ratio against the water/magma ratio for three magma temperatures, each curve
beside its IAPWS-95 reference (dashed).
Run after ./test: PYTHONPATH=build/python /usr/bin/python3 examples/cr_family.py [OUT.png]"""
import sys

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
import numpy as np

import qrv

magma_K = np.array([[1073.0], [1273.0], [1473.0]])   # one row per curve
ratios = np.linspace(0.05, 3.0, 60)                   # broadcast along each row
runs = qrv.sweep(tmagma=magma_K, tinit=298, pinit=0.1, pfinal=0.1, r=ratios)

cr = runs["CRAdiabatic [%]"].reshape(runs.shape)
reference = runs["IAPWS-95 CRAdiabatic [%]"].reshape(runs.shape)
fig, ax = plt.subplots(figsize=(7, 4.5))
for row, t in enumerate(magma_K[:, 0]):
    line, = ax.plot(ratios, cr[row], label=f"TMagma {t:.0f} K")
    ax.plot(ratios, reference[row], "--", color=line.get_color(), label=f"IAPWS-95, {t:.0f} K")
ax.set_xlabel("water/magma ratio R")
ax.set_ylabel("adiabatic conversion ratio [%]")
ax.set_title("Water at 298 K and 0.1 MPa, expanded to 0.1 MPa")
ax.legend(fontsize="small", ncol=2)
fig.tight_layout()
fig.savefig(sys.argv[1] if len(sys.argv) > 1 else "cr_family.png", dpi=100)
