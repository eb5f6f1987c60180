"""qrv.run against `qrv-cli run --json` for the same inputs, its readable attributes, refusals,
and its results files."""

import json

import pytest

import qrv
from conftest import cli, cli_json

# keyword arguments of qrv.run; each becomes the qrv-cli option of its name.
RUNS = {
    "start-up water": dict(tmagma=1473, tinit=298, pinit=0.1, pfinal=0.1, r=0.3),
    "a third, not short in decimal": dict(tmagma=1473.25, tinit=298, pinit=0.1, pfinal=0.1, r=1 / 3),
    "deep hot water": dict(tmagma=1373, tinit=400, pinit=50, pfinal=0.5, r=2),
    "wet sediment": dict(tmagma=1473, tinit=298, pinit=0.1, pfinal=0.1, r=0.5, x=0.4),
    "sediment at depth": dict(tmagma=1273, tinit=350, pinit=20, pfinal=0.1, r=1.5, x=0.25),
    "given S and Cv": dict(tmagma=1473, tinit=298, pinit=0.1, pfinal=0.1, r=0.3, s=366.93, cv=4136.766),
    "constant volume": dict(tmagma=1473, tinit=298, pinit=0.1, pfinal=0.1, r=0.3, constvolume=True),
    "ice": dict(tmagma=1473, tinit=270, pinit=0.1, pfinal=0.1, r=0.3),
    "ice that fails": dict(tmagma=1500, tinit=200, pinit=0.1, pfinal=30, r=5),
    "water that breaks a path": dict(tmagma=1473, tinit=274, pinit=50, pfinal=100, r=100),
}


def options(run):
    args = ["run"]
    for key, value in run.items():
        if key == "constvolume":
            args += ["--constvolume"] if value else []
        else:
            args += [f"--{key}", repr(float(value))]
    return args


@pytest.mark.parametrize("name", RUNS)
def test_to_dict_is_the_json_of_qrv_cli_for_the_same_inputs(name):
    ours = qrv.run(**RUNS[name])
    theirs = json.loads(cli(*options(RUNS[name]), "--json", check=False).stdout)
    assert ours.to_dict() == theirs
    # The attributes read the same run.
    assert ours.completed == theirs["completed"]
    assert ours.stage == theirs["stage"]
    assert ours.messages == [m["text"] if isinstance(m, dict) else m for m in theirs["messages"]]
    assert ours.reference == theirs["reference"]
    if theirs["stage"] == "expanded":
        assert (ours.TEq, ours.PEq) == (theirs["TEq"], theirs["PEq"])
    if theirs["record"] is not None:
        record = theirs["record"]
        assert ours.cr_adiabatic == record["CRAdiabatic [%]"]
        assert ours.cr_isothermal == record["CRIsothermal [%]"]
        assert ours.fractions["adiabatic"]["steam"] == record["SFAdiabatic"]
        assert ours.fractions["isothermal"]["steam"] == record["SFIsothermal"]
        assert ours.results_file == theirs["results_file"]
    else:
        assert ours.results_file is None


def test_a_failure_is_a_result_not_an_exception():
    failed = qrv.run(**RUNS["ice that fails"])
    assert not failed.completed
    assert failed.error == "the run did not complete"
    assert any("StateSuper error" in m for m in failed.messages)
    assert failed.reference == {"error": "the run did not complete"}
    completed = qrv.run(**RUNS["start-up water"])
    assert completed.completed and completed.error == "" and completed.messages == []
    assert completed.phases == {"equilibrium": "Supercritcal Vapor", "adiabatic": "Steam/Water Mix",
                                "isothermal": "Superheated Vapor"}


@pytest.mark.parametrize("change", [dict(tmagma=250), dict(tinit=0), dict(pinit=-1), dict(pfinal=0),
                                    dict(r=-0.3), dict(x=1.5)])
def test_a_refused_input_raises_the_message_qrv_cli_gives(change):
    run = {**RUNS["start-up water"], **change}
    refused = cli(*options(run), check=False)
    assert refused.returncode == 2
    with pytest.raises(ValueError) as raised:
        qrv.run(**run)
    assert str(raised.value) == refused.stderr.strip()


def test_inputs_qrv_cli_refuses_as_options_are_refused_naming_the_box():
    with pytest.raises(ValueError, match="s and cv go together"):
        qrv.run(**RUNS["start-up water"], s=366.93)
    # qrv-cli takes no "nan" for a number; the input window names its box.
    with pytest.raises(ValueError, match=r'^Magma Temperature \(K\): "nan" is not a number'):
        qrv.run(**{**RUNS["start-up water"], "tmagma": float("nan")})


def test_a_run_saved_from_python_is_the_file_qrv_cli_saves(tmp_path):
    for name in ["start-up water", "wet sediment"]:
        ours, theirs = tmp_path / f"{name} python.qrv", tmp_path / f"{name} cli.qrv"
        qrv.write_qrv(ours, qrv.run(**RUNS[name]))
        cli(*options(RUNS[name]), "--qrv", theirs)
        assert ours.read_bytes() == theirs.read_bytes()
        assert qrv.read_qrv(ours) == {k: v for k, v in cli_json("open", ours, "--json").items()
                                      if k in ("results_file", "record")}
    unfinished = tmp_path / "unfinished.qrv"
    with pytest.raises(ValueError, match="the run did not complete; no results file was written"):
        qrv.write_qrv(unfinished, qrv.run(**RUNS["ice that fails"]))
    assert not unfinished.exists()
