"""What the tests of the module share: the qrv-cli it must agree with, and running it."""

import json
import os
import subprocess

import pytest

CLI = os.environ.get("QRV_CLI", "qrv-cli")


def cli(*args, check=True):
    """qrv-cli with these arguments; its completed process (text output)."""
    done = subprocess.run([CLI, *map(str, args)], capture_output=True, text=True)
    if check and done.returncode != 0:
        raise AssertionError(f"qrv-cli {' '.join(map(str, args))} failed: {done.stderr}")
    return done


def cli_json(*args):
    return json.loads(cli(*args).stdout)


@pytest.fixture
def run_file(tmp_path):
    """A results file qrv-cli wrote for a run with these options."""
    def write(*options, name="run.qrv"):
        path = tmp_path / name
        cli("run", *options, "--qrv", path)
        return path
    return write
