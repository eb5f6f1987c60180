"""qrv.map, qrv.mc and qrv.peaks against qrv-cli's map, mc and sweep --peaks."""

import csv
import io
import math

import numpy as np
import pytest

import qrv
from conftest import cli, cli_json

FIXED = dict(tinit=298, pinit=0.1, pfinal=0.1)
FIXED_OPTIONS = ["--tinit", "298", "--pinit", "0.1", "--pfinal", "0.1"]


def csv_rows(*args):
    """qrv-cli's CSV; a study with failed points ends with a failure status but writes every row."""
    return list(csv.reader(io.StringIO(cli(*args, check=False).stdout)))


def assert_table_is_csv(table, rows):
    """Every cell: texts equal, numbers the double the CSV's text reads as, empty as NaN."""
    assert list(table) == rows[0]
    for i, row in enumerate(rows[1:]):
        for heading, cell in zip(rows[0], row):
            value = table[heading][i]
            if table[heading].dtype.kind == "U":
                assert value == cell, (i, heading)
            elif cell == "":
                assert math.isnan(value), (i, heading)
            else:
                assert value == float(cell), (i, heading)


def test_a_map_is_qrv_clis_map_cell_for_cell_with_its_failed_points():
    # R 0 is refused: its points keep their rows with the reason.
    table = qrv.map(tmagma=[1273, 1473], r=[0, 0.25, 0.5], **FIXED)
    rows = csv_rows("map", "--r", "0:0.5:0.25", "--tmagma", "1273:1473:200", *FIXED_OPTIONS, "--csv")
    assert_table_is_csv(table, rows)
    assert table["Status"][0].startswith("an input was refused")
    assert math.isnan(table["CRIsothermal [%]"][0])


def test_an_uncertainty_study_is_qrv_clis_for_the_same_seed():
    options = ["--tmagma", "1473~50", "--r", "0.2..0.4", *FIXED_OPTIONS, "--n", "300", "--seed", "11", "--json"]
    figures = qrv.mc(tmagma="1473~50", r="0.2..0.4", n=300, seed=11, **FIXED)
    assert figures == cli_json("mc", *options)
    assert figures["outputs"]["CRIsothermal [%]"]["count"] == 300
    assert qrv.mc(tmagma="1473~50", r="0.2..0.4", n=300, seed=12, **FIXED) != figures


def test_peaks_are_qrv_clis_for_a_family():
    table = qrv.peaks(tmagma=[1073, 1473], r=np.linspace(0.05, 1, 20), **FIXED)
    rows = csv_rows("sweep", "--family", "tmagma=1073,1473", "--r", "0.05:1:0.05", *FIXED_OPTIONS, "--peaks", "--csv")
    assert list(table) == rows[0]
    assert list(table["Path"]) == [row[1] for row in rows[1:]]
    assert list(table["Member TMagma [K]"]) == [float(row[0]) for row in rows[1:]]
    assert np.allclose(table["R"], [float(row[2]) for row in rows[1:]], rtol=0, atol=1e-12)
    assert list(table["CR [%]"]) == [float(row[3]) for row in rows[1:]]


def test_studies_refuse_what_does_not_make_one():
    with pytest.raises(ValueError, match="exactly two"):
        qrv.map(tmagma=[1273, 1473], r=[0.1, 0.3], tinit=[298, 300], pinit=0.1, pfinal=0.1)
    with pytest.raises(ValueError, match="tmagma"):
        qrv.mc(tmagma="1473~-5", r=0.3, **FIXED)
    with pytest.raises(ValueError, match="at most one"):
        qrv.peaks(tmagma=[1073, 1473], tinit=[298, 300], pinit=0.1, pfinal=0.1, r=[0.1, 0.2])
