"""qrv.sweep against `qrv-cli sweep --csv` cell for cell, broadcasting, many cores, refusals."""

import csv
import io

import numpy as np
import pytest

import qrv
from conftest import cli

START_UP = dict(tmagma=1473, tinit=298, pinit=0.1, pfinal=0.1)


def cli_table(*args):
    """qrv-cli sweep --csv: headings and rows of texts."""
    rows = list(csv.reader(io.StringIO(cli("sweep", *args, "--csv", check=False).stdout)))
    return rows[0], rows[1:]


def stored_rows(table):
    """The table's runs that have a record, the rows qrv-cli prints."""
    return np.flatnonzero(~np.isnan(table["R"]))


def assert_rows_equal(table, headings, rows, member_column=False):
    if member_column:
        headings, rows = headings[1:], [row[1:] for row in rows]
    assert table.columns == headings + ["status"]
    stored = stored_rows(table)
    assert len(stored) == len(rows)
    for index, row in zip(stored, rows):
        for heading, cell in zip(headings, row):
            ours = table[heading][index]
            if isinstance(ours, str):
                assert ours == cell, heading
            elif cell == "":
                assert np.isnan(ours), heading
            else:
                assert ours == float(cell), (heading, index)


@pytest.mark.parametrize("name,inputs,options", [
    ("water", START_UP, ["--r", "0.05:3:0.05"]),
    ("wet sediment", {**START_UP, "x": 0.4}, ["--r", "0.1:2:0.1", "--x", "0.4"]),
    ("failures and refusals", START_UP, ["--r", "-0.1:0.2:0.1"]),
    ("water that breaks paths", dict(tmagma=1473, tinit=274, pinit=50, pfinal=100),
     ["--r", "10:100:10"]),
])
def test_the_table_is_qrv_clis_csv_cell_for_cell(name, inputs, options):
    start, stop, step = map(float, options[1].split(":"))
    ratios = [start + i * step for i in range(int(round((stop - start) / step)) + 1)]
    # qrv-cli works each ratio out as from + i * step and passes on its shortest text.
    table = qrv.sweep(**inputs, r=ratios)
    inputs_options = [f"--{k}={v}" for k, v in inputs.items() if k != "x"]
    headings, rows = cli_table(*inputs_options, *options)
    assert_rows_equal(table, headings, rows)


def test_a_family_is_two_arrays_and_matches_qrv_clis_family():
    table = qrv.sweep(tmagma=[[1073], [1273], [1473]], tinit=298, pinit=0.1, pfinal=0.1, r=[0.1, 0.5, 1, 2])
    assert table.shape == (3, 4) and len(table) == 12
    headings, rows = cli_table("--tinit=298", "--pinit=0.1", "--pfinal=0.1", "--r", "0.1:0.5:0.4",
                               "--family", "tmagma=1073,1273,1473")
    assert headings[0] == "Member TMagma [K]"
    cr = table["CRAdiabatic [%]"].reshape(table.shape)
    by_member = {(float(row[0]), float(row[1])): float(row[headings.index("CRAdiabatic [%]")]) for row in rows}
    for i, t in enumerate([1073, 1273, 1473]):
        assert cr[i, 0] == by_member[(t, 0.1)]
        assert cr[i, 1] == by_member[(t, 0.5)]


def test_every_broadcast_run_is_the_run_qrv_run_makes():
    table = qrv.sweep(tmagma=np.array([[1273.0], [1473.0]]), tinit=[298, 350, 400], pinit=0.1, pfinal=0.1,
                      r=0.7, x=[[0.3], [0.9]])
    assert table.shape == (2, 3)
    for i, (t, x) in enumerate([(1273, 0.3), (1473, 0.9)]):
        for j, tinit in enumerate([298, 350, 400]):
            run = qrv.run(t, tinit, 0.1, 0.1, 0.7, x=x)
            row = i * 3 + j
            assert table["status"][row] == "completed"
            assert table["CRIsothermal [%]"][row] == run.cr_isothermal
            assert table["TEq [K]"][row] == run.TEq
            assert table["IAPWS-95 CRAdiabatic [%]"][row] == run.reference["adiabatic"]["CR"]


def test_a_sweep_on_every_core_is_the_sweep_run_piece_by_piece():
    ratios = np.linspace(0.02, 4, 1200)
    tmagma = np.where(np.arange(1200) % 2 == 0, 1273.0, 1473.0)
    whole = qrv.sweep(tmagma=tmagma, tinit=298, pinit=0.1, pfinal=0.1, r=ratios)
    pieces = [qrv.sweep(tmagma=tmagma[i:i + 60], tinit=298, pinit=0.1, pfinal=0.1, r=ratios[i:i + 60])
              for i in range(0, 1200, 60)]
    for heading in whole.columns:
        joined = np.concatenate([piece[heading] for piece in pieces])
        if joined.dtype.kind == "f":
            np.testing.assert_array_equal(whole[heading], joined, err_msg=heading)
        else:
            assert whole[heading].tolist() == joined.tolist(), heading


def test_runs_that_fail_or_are_refused_keep_their_row_and_say_why():
    table = qrv.sweep(**START_UP, r=[0.3, -1.0, float("nan")])
    assert table["status"].tolist() == ["completed", "refused", "refused"]
    assert np.isnan(table["CRAdiabatic [%]"][1:]).all()
    assert table["IAPWS-95 Note"][1:].tolist() == ["", ""]
    broken = qrv.sweep(tmagma=1473, tinit=274, pinit=50, pfinal=100, r=100)
    assert broken["status"].tolist() == ["expanded"]


def test_arguments_that_do_not_go_together_are_refused():
    with pytest.raises(ValueError):
        qrv.sweep(tmagma=[1273, 1473], tinit=298, pinit=0.1, pfinal=0.1, r=[0.1, 0.2, 0.3])
    with pytest.raises(ValueError, match="s and cv go together"):
        qrv.sweep(**START_UP, r=0.3, cv=4000)
    with pytest.raises(KeyError):
        qrv.sweep(**START_UP, r=0.3)["CR"]


def test_to_pandas_keeps_columns_order_and_values():
    table = qrv.sweep(**START_UP, r=[0.2, 0.4])
    frame = table.to_pandas()
    assert list(frame.columns) == table.columns
    np.testing.assert_array_equal(frame["CRAdiabatic [%]"].to_numpy(), table["CRAdiabatic [%]"])
    assert frame["status"].tolist() == ["completed", "completed"]
