#!/usr/bin/python3
"""A map of the isothermal conversion ratio over the water/magma ratio and the magma
temperature (contours).
Run after ./test: PYTHONPATH=build/python /usr/bin/python3 examples/cr_map.py [OUT.png]"""
import sys

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
import numpy as np

import qrv

ratios = np.linspace(0.05, 3.0, 80)
magma_K = np.linspace(1000.0, 1500.0, 60)[:, np.newaxis]
runs = qrv.sweep(tmagma=magma_K, tinit=298, pinit=0.1, pfinal=0.1, r=ratios)
cr = runs["CRIsothermal [%]"].reshape(runs.shape)   # NaN where a run did not complete

fig, ax = plt.subplots(figsize=(7, 4.5))
filled = ax.contourf(ratios, magma_K[:, 0], cr, levels=20, cmap="viridis")
lines = ax.contour(ratios, magma_K[:, 0], cr, levels=filled.levels[::4], colors="white", linewidths=0.6)
ax.clabel(lines, fmt="%.0f %%", fontsize="small")
fig.colorbar(filled, ax=ax, label="isothermal conversion ratio [%]")
ax.set_xlabel("water/magma ratio R")
ax.set_ylabel("magma temperature [K]")
ax.set_title("Water at 298 K and 0.1 MPa, expanded to 0.1 MPa")
fig.tight_layout()
fig.savefig(sys.argv[1] if len(sys.argv) > 1 else "cr_map.png", dpi=100)
