#!/usr/bin/python3
"""How far the conversion ratio spreads when the magma temperature and the water/magma ratio
are uncertain: 20,000 draws (Monte Carlo), histograms of both paths' ratio.
Run after ./test: PYTHONPATH=build/python /usr/bin/python3 examples/cr_uncertainty.py [OUT.png]"""
import sys

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
import numpy as np

import qrv

rng = np.random.default_rng(2026)
draws = 20_000
magma_K = rng.normal(1423.0, 40.0, draws)                # basalt, +- 40 K
ratio = rng.lognormal(np.log(0.3), 0.35, draws)          # R about 0.3, a factor 1.4 either way
runs = qrv.sweep(tmagma=magma_K, tinit=298, pinit=0.1, pfinal=0.1, r=ratio)
done = runs["status"] == "completed"

fig, ax = plt.subplots(figsize=(7, 4.5))
for column, label in [("CRAdiabatic [%]", "adiabatic"), ("CRIsothermal [%]", "isothermal")]:
    cr = runs[column][done]
    low, mid, high = np.percentile(cr, [5, 50, 95])
    ax.hist(cr, bins=60, alpha=0.6, label=f"{label}: median {mid:.1f} %, 90 % in {low:.1f} to {high:.1f} %")
ax.set_xlabel("conversion ratio [%]")
ax.set_ylabel("runs")
ax.set_title(f"TMagma 1423 +- 40 K, R 0.3 within a factor 1.4: {done.sum()} of {draws} runs completed", fontsize="medium")
ax.legend(fontsize="small")
fig.tight_layout()
fig.savefig(sys.argv[1] if len(sys.argv) > 1 else "cr_uncertainty.png", dpi=100)
