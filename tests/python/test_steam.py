"""qrv.steam.state against python3-iapws, and how it takes and gives arrays."""

import threading
import time

import numpy as np
import pytest
from iapws import IAPWS95

import qrv

# (pressure MPa, temperature K): liquid, vapour, supercritical, and close to either side of
# the boiling point at 0.1 MPa (372.76 K), where the branch is chosen from the exact
# saturation pressure.
GRID = {
    "liquid": [(0.1, 280), (0.1, 300), (1, 450), (10, 550), (100, 300), (500, 600), (0.1, 372.7)],
    "vapour": [(0.0005, 280), (0.1, 400), (1, 600), (10, 600), (20, 640), (0.1, 372.8)],
    "supercritical": [(30, 700), (22.1, 650), (100, 1000), (1000, 1273), (0.1, 1200)],
}
# IAPWS-95 itself is the same in both; what differs is how each solves for the density.
RTOL = 1e-8
KJ = 1e3  # python3-iapws gives kJ


@pytest.mark.parametrize("phase,p,T", [(phase, p, T) for phase, states in GRID.items() for p, T in states])
def test_state_agrees_with_python_iapws(phase, p, T):
    ours = qrv.steam.state(p, T)
    theirs = IAPWS95(P=p, T=T)
    assert ours["phase"] == phase
    assert ours["density"] == pytest.approx(theirs.rho, rel=RTOL)
    assert ours["specific_volume"] == pytest.approx(1 / theirs.rho, rel=RTOL)
    assert ours["entropy"] == pytest.approx(theirs.s * KJ, rel=RTOL, abs=1e-6)
    assert ours["internal_energy"] == pytest.approx(theirs.u * KJ, rel=RTOL, abs=1e-6)
    assert ours["enthalpy"] == pytest.approx(theirs.h * KJ, rel=RTOL)
    assert ours["cv"] == pytest.approx(theirs.cv * KJ, rel=RTOL)
    assert ours["cp"] == pytest.approx(theirs.cp * KJ, rel=RTOL)
    assert ours["speed_of_sound"] == pytest.approx(theirs.w, rel=RTOL)


def test_arrays_broadcast_like_numpy_and_each_element_is_its_own_state():
    pressures = np.array([[0.1], [30.0]])      # (2, 1)
    temperatures = [300.0, 500.0, 900.0]      # (3,)
    grid = qrv.steam.state(pressures, temperatures)
    assert grid["density"].shape == (2, 3)
    assert grid["phase"].shape == (2, 3)
    assert grid["phase"].tolist() == [["liquid", "vapour", "supercritical"],
                                      ["liquid", "liquid", "supercritical"]]
    for i, p in enumerate(pressures[:, 0]):
        for j, T in enumerate(temperatures):
            alone = qrv.steam.state(p, T)
            assert grid["enthalpy"][i, j] == alone["enthalpy"]
            assert grid["cp"][i, j] == alone["cp"]


def test_scalars_give_numpy_scalars_and_integers_are_taken_as_numbers():
    one = qrv.steam.state(1, 400)
    assert np.ndim(one["density"]) == 0 and isinstance(one["density"], np.floating)
    assert one["phase"] == "liquid"
    assert one["density"] == qrv.steam.state(np.float64(1.0), np.array(400.0))["density"]


def test_states_outside_the_range_are_nan_and_leave_their_neighbours_alone():
    T = np.array([300.0, 250.0, 300.0, 1500.0, 300.0])
    p = np.array([0.1, 0.1, -1.0, 0.1, 2000.0])
    out = qrv.steam.state(p, T)
    assert out["phase"].tolist() == ["liquid", "", "", "", ""]
    assert np.isfinite(out["density"][0])
    assert np.isnan(out["density"][1:]).all() and np.isnan(out["entropy"][1:]).all()
    assert np.isnan(qrv.steam.state(np.nan, 300)["enthalpy"])


def test_arguments_that_are_no_numbers_or_do_not_broadcast_are_refused():
    with pytest.raises(ValueError):
        qrv.steam.state([0.1, 0.2], [300, 310, 320])
    with pytest.raises(ValueError, match="could not convert string to float"):
        qrv.steam.state("hot", 300)


def test_the_interpreter_runs_other_threads_during_a_large_calculation():
    """A thread that wakes every millisecond needs the interpreter's lock to go on; while a
    call holds the lock, its wake-ups stop for as long as the call computes."""
    wake_ups = []
    stop = threading.Event()

    def tick():
        while not stop.is_set():
            wake_ups.append(time.perf_counter())
            time.sleep(0.001)

    ticker = threading.Thread(target=tick)
    ticker.start()
    try:
        time.sleep(0.02)
        started = time.perf_counter()
        qrv.steam.state(np.full(200_000, 5.0), 600.0)
        ended = time.perf_counter()
    finally:
        stop.set()
        ticker.join()
    during = [started] + [t for t in wake_ups if started < t < ended] + [ended]
    longest_gap = max(b - a for a, b in zip(during, during[1:]))
    assert ended - started > 0.1
    assert longest_gap < 0.5 * (ended - started)
