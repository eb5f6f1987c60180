"""The example scripts run headless, as a user runs them, and draw their figures."""

import os
import pathlib
import subprocess
import sys

import matplotlib.image
import numpy as np
import pytest

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples"


@pytest.mark.parametrize("script", ["cr_family.py", "cr_map.py", "cr_uncertainty.py"])
def test_example_draws_its_figure(script, tmp_path):
    figure = tmp_path / "figure.png"
    done = subprocess.run([sys.executable, EXAMPLES / script, figure], capture_output=True, text=True,
                          timeout=120, env={**os.environ, "MPLBACKEND": "Agg"})
    assert done.returncode == 0, done.stderr
    pixels = matplotlib.image.imread(figure)
    assert pixels.shape[:2] == (450, 700)
    # Curves, contours or bars in colour, not an empty frame of black text on white.
    rgb = pixels[..., :3]
    coloured = (rgb.max(axis=2) - rgb.min(axis=2)) > 0.1
    assert coloured.mean() > 0.005
