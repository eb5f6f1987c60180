"""qrv.read_qrv: files qrv-cli wrote read as `qrv-cli open` reads them, refused as it refuses."""

import pathlib

import pytest

import qrv
from conftest import cli, cli_json

START_UP = ["--tmagma", 1473, "--tinit", 298, "--pinit", 0.1, "--pfinal", 0.1]
RUNS = {
    "water": START_UP + ["--r", 0.3],
    "sediment": START_UP + ["--r", 0.5, "--x", 0.4],
    "deep water": ["--tmagma", 1373, "--tinit", 400, "--pinit", 50, "--pfinal", 0.5, "--r", 2],
}


@pytest.mark.parametrize("name", RUNS)
def test_a_file_qrv_cli_wrote_reads_as_qrv_cli_opens_it(name, run_file):
    path = run_file(*RUNS[name])
    opened = cli_json("open", path, "--json")
    read = qrv.read_qrv(path)
    assert read["results_file"] == opened["results_file"]
    assert read["record"] == opened["record"]
    assert qrv.read_qrv(str(path)) == qrv.read_qrv(pathlib.Path(path))


def test_the_sediment_ratio_line_keeps_both_ratios(run_file):
    read = qrv.read_qrv(run_file(*RUNS["sediment"]))
    assert read["results_file"][1].startswith("0.5")
    assert "(R = " in read["results_file"][1]
    assert read["record"]["R"] == 0.5


def fields_file(path, fields, line_break="\r\n"):
    path.write_text("".join(f'"{field}"{line_break}' for field in fields), encoding="utf-8")
    return path


@pytest.fixture
def bad_files(tmp_path, run_file):
    """Files that are not results files, each with what is wrong with it."""
    good = qrv.read_qrv(run_file(*RUNS["water"]))["results_file"]
    letters = list(good)
    letters[8] = "hot"
    binary = tmp_path / "binary.qrv"
    binary.write_bytes(b"\x00\x01\x02qrv\xff" * 10)
    big = tmp_path / "big.qrv"
    big.write_bytes(b'"x"\r\n' * 20000)
    garbage = tmp_path / "garbage.qrv"
    garbage.write_text("garbage\n")
    return {
        "garbage": (garbage, ValueError, "Input past end of file"),
        "24 fields": (fields_file(tmp_path / "short.qrv", good[:24]), ValueError, "Input past end of file"),
        "26 fields": (fields_file(tmp_path / "long.qrv", good + ["more"]), ValueError,
                      "More than 25 fields: not a results file"),
        "a number line with a word": (fields_file(tmp_path / "word.qrv", letters), ValueError,
                                      "line 9 is not a number"),
        "binary": (binary, ValueError, "Not a results file: binary content"),
        "over 64 KiB": (big, ValueError, "File too large for a results file (over 64 KiB)"),
        "missing": (tmp_path / "missing.qrv", FileNotFoundError, "File not found"),
        "a folder": (tmp_path, IsADirectoryError, "Bad file mode"),
    }


def test_refusals_raise_with_the_message_qrv_cli_gives(bad_files):
    for what, (path, error, reason) in bad_files.items():
        refused = cli("open", path, check=False)
        assert refused.returncode != 0, what
        with pytest.raises(error) as raised:
            qrv.read_qrv(path)
        message = raised.value.strerror if isinstance(raised.value, OSError) else str(raised.value)
        assert message == "Open error: " + reason, what
        assert refused.stderr.strip() == message, what
        if isinstance(raised.value, OSError):
            assert raised.value.filename == path


def test_version_is_the_programs():
    assert cli("--version").stdout.split()[-1] == qrv.__version__


def test_a_file_written_from_python_opens_in_qrv_cli_as_the_file_it_came_from(run_file, tmp_path):
    original = run_file(*RUNS["sediment"])
    copy = tmp_path / "copy.qrv"
    qrv.write_qrv(copy, qrv.read_qrv(original))
    assert copy.read_bytes() == original.read_bytes()
    assert cli_json("open", copy, "--json") == cli_json("open", original, "--json")


def test_a_save_that_fails_raises_the_programs_message_and_leaves_no_file(run_file, tmp_path):
    texts = qrv.read_qrv(run_file(*RUNS["water"]))
    target = tmp_path / "no such folder" / "run.qrv"
    refused = cli("run", *RUNS["water"], "--qrv", target, check=False)
    with pytest.raises(OSError) as raised:
        qrv.write_qrv(target, texts)
    assert str(raised.value) == refused.stderr.strip().splitlines()[-1]
    assert str(raised.value).startswith("Save error: ")
    assert not target.parent.exists()
    with pytest.raises(ValueError, match="25 texts"):
        qrv.write_qrv(tmp_path / "short.qrv", {"results_file": texts["results_file"][:24]})
    assert not (tmp_path / "short.qrv").exists()
