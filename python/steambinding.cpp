#include "python/steambinding.h"

#include "python/broadcast.h"
#include "python/parallelchunks.h"
#include "steam/densitysolver.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace py = pybind11;

namespace qrv::python {

namespace {

// The returned quantities by their keys; `phase` comes beside them.
struct Quantity {
    const char* key;
    double steam::Properties::*member;
};
constexpr std::array kQuantities{
    Quantity{"density", &steam::Properties::density},
    Quantity{"specific_volume", &steam::Properties::specificVolume},
    Quantity{"internal_energy", &steam::Properties::internalEnergy},
    Quantity{"enthalpy", &steam::Properties::enthalpy},
    Quantity{"entropy", &steam::Properties::entropy},
    Quantity{"cv", &steam::Properties::cv},
    Quantity{"cp", &steam::Properties::cp},
    Quantity{"speed_of_sound", &steam::Properties::speedOfSound},
};

// A state's phase is kept as its index here; kPhases.size() marks a state outside the range.
constexpr std::array kPhases{steam::Phase::Liquid, steam::Phase::Vapour, steam::Phase::Supercritical};
constexpr auto kOutOfRange = std::int8_t(kPhases.size());

std::int8_t phaseCode(steam::Phase phase)
{
    return std::int8_t(std::find(kPhases.begin(), kPhases.end(), phase) - kPhases.begin());
}

// A state takes a few microseconds; fewer than this per thread do not pay for the thread.
constexpr std::size_t kLeastStatesPerThread = 2000;

// A 0-d result becomes a NumPy scalar, as NumPy's own functions return for scalar input.
py::object shaped(const py::array& values, bool scalar)
{
    return scalar ? values[py::tuple()] : py::object(values);
}

py::dict state(const py::object& pressureMPa, const py::object& temperatureK)
{
    const Broadcast inputs = broadcastDoubles({pressureMPa, temperatureK});
    const std::vector<py::ssize_t>& shape = inputs.shape;
    const py::ssize_t count = py::ssize_t(inputs.count);
    const py::module_ numpy = py::module_::import("numpy");

    std::vector<Doubles> columns;
    for (std::size_t i = 0; i < kQuantities.size(); ++i)
        columns.emplace_back(shape);
    py::array_t<std::int8_t> phases(shape);
    {
        std::array<double*, kQuantities.size()> out;
        for (std::size_t q = 0; q < kQuantities.size(); ++q)
            out[q] = columns[q].mutable_data();
        const double* pIn = inputs.arrays[0].data();
        const double* tIn = inputs.arrays[1].data();
        std::int8_t* phaseOut = phases.mutable_data();
        py::gil_scoped_release unlocked;
        forEachChunk(std::size_t(count), kLeastStatesPerThread, [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                try {
                    const steam::State s = steam::stateAt(pIn[i] * 1e6, tIn[i]);
                    for (std::size_t q = 0; q < kQuantities.size(); ++q)
                        out[q][i] = s.properties.*kQuantities[q].member;
                    phaseOut[i] = phaseCode(s.phase);
                } catch (const steam::OutOfRange&) {
                    for (std::size_t q = 0; q < kQuantities.size(); ++q)
                        out[q][i] = std::numeric_limits<double>::quiet_NaN();
                    phaseOut[i] = kOutOfRange;
                }
            }
        });
    }

    const bool scalar = shape.empty();
    py::dict result;
    for (std::size_t q = 0; q < kQuantities.size(); ++q)
        result[kQuantities[q].key] = shaped(columns[q], scalar);
    py::list nameList;
    for (const steam::Phase phase : kPhases)
        nameList.append(steam::phaseName(phase));
    nameList.append("");
    const py::array names = numpy.attr("array")(nameList);
    result["phase"] = shaped(names[phases], scalar);
    return result;
}

constexpr char kStateDoc[] = R"(state(p_MPa, T_K) -> dict

IAPWS-95 properties of water at pressure p_MPa [MPa] and temperature T_K [K].

Both arguments are numbers or array-likes, broadcast against each other as NumPy does; each
value of the result has their broadcast shape (a NumPy scalar when both are scalars).
The range is 273.16 K to 1273 K and above 0 up to 1000 MPa, on the stable branch (liquid
above the saturation pressure, vapour below it). A state outside the range gives NaN and the
phase "".

Returns a dict of NumPy arrays:
  density          [kg/m3]
  specific_volume  [m3/kg]
  internal_energy  [J/kg]
  enthalpy         [J/kg]
  entropy          [J/(kg K)]
  cv               isochoric heat capacity [J/(kg K)]
  cp               isobaric heat capacity [J/(kg K)]
  speed_of_sound   [m/s]
  phase            "liquid", "vapour", "supercritical" (str)

Energies and entropy are zero for the saturated liquid at the triple point. The Python
interpreter's lock is released during the calculation, which uses every core for large arrays.)";

} // namespace

void addSteamModule(py::module_& qrv)
{
    py::module_ steam = qrv.def_submodule("steam", "Steam tables for ordinary water (IAPWS-95).");
    steam.def("state", &state, py::arg("p_MPa"), py::arg("T_K"), kStateDoc);
    steam.attr("T_MIN_K") = steam::kMinTemperatureK;
    steam.attr("T_MAX_K") = steam::kMaxTemperatureK;
    steam.attr("P_MAX_MPa") = steam::kMaxPressurePa * 1e-6;
}

} // namespace qrv::python
