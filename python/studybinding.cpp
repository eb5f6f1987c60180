#include "python/studybinding.h"

#include "base/numberformat.h"
#include "calculation/montecarlo.h"
#include "calculation/peaks.h"
#include "calculation/runmap.h"
#include "python/cellcolumns.h"
#include "python/runarguments.h"
#include "report/jsonreport.h"
#include "report/sweeptable.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <charconv>
#include <limits>
#include <string>
#include <vector>

namespace py = pybind11;

namespace qrv::python {

namespace {

// The inputs a study may vary, as Python passes them, in the order of kStudyInputs.
struct StudyArguments {
    py::object values[6]; // r, tmagma, tinit, pinit, pfinal, x

    StudyArguments(const py::object& tMagma, const py::object& tInit, const py::object& pInit,
                   const py::object& pFinal, const py::object& r, const py::object& x)
        : values{r, tMagma, tInit, pInit, pFinal, x}
    {
    }

    const py::object& of(std::size_t input) const { return values[input]; }
};

bool isSequence(const py::object& value)
{
    return !value.is_none() && !py::isinstance<py::str>(value) && py::hasattr(value, "__len__");
}

std::vector<double> doublesOf(const py::object& value)
{
    const auto array = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(value);
    if (!array || array.ndim() != 1)
        throw py::value_error("a range of a study is a one-dimensional sequence of numbers");
    return {array.data(), array.data() + array.size()};
}

// The fixed inputs: each number as its shortest text, as qrv-cli receives it; an input that a
// study varies holds a placeholder until each run sets its own value.
RunRequest baseRequest(const StudyArguments& a, const py::object& s, const py::object& cv, bool constVolume)
{
    const auto fixed = [](const py::object& value) {
        return py::isinstance<py::float_>(value) || py::isinstance<py::int_>(value) ? value.cast<double>() : 1.0;
    };
    if (s.is_none() != cv.is_none())
        throw py::value_error("s and cv go together: give both or neither");
    RunArguments arguments{fixed(a.of(1)), fixed(a.of(2)), fixed(a.of(3)), fixed(a.of(4)), fixed(a.of(0)),
                           {}, {}, {}, constVolume};
    if (!a.of(5).is_none())
        arguments.x = fixed(a.of(5));
    if (!s.is_none()) {
        arguments.entropy = s.cast<double>();
        arguments.cv = cv.cast<double>();
    }
    return requestOf(arguments);
}

py::dict map(const py::object& tMagma, const py::object& tInit, const py::object& pInit, const py::object& pFinal,
             const py::object& r, const py::object& x, const py::object& s, const py::object& cv, bool constVolume)
{
    const StudyArguments arguments(tMagma, tInit, pInit, pFinal, r, x);
    MapStudy study;
    study.base = baseRequest(arguments, s, cv, constVolume);
    std::vector<MapRange> ranges;
    for (std::size_t k = 0; k < kStudyInputs.size(); ++k)
        if (isSequence(arguments.of(k)))
            ranges.push_back({kStudyInputs[k].input, doublesOf(arguments.of(k))});
    if (ranges.size() != 2)
        throw py::value_error("qrv.map takes exactly two of r, tmagma, tinit, pinit, pfinal, x as sequences, not "
                              + std::to_string(ranges.size()));
    study.x = ranges[0];
    study.y = ranges[1];

    MapResult result;
    {
        py::gil_scoped_release unlocked;
        result = runMap(study);
    }
    const std::vector<std::string> headings = mapHeadings(study);
    std::vector<bool> text(headings.size());
    for (std::size_t c = 2; c + 1 < headings.size(); ++c)
        text[c] = runCellHoldsText(c - 2);
    text.back() = true; // the status
    const std::size_t width = study.x.values.size();
    CellColumns table(headings, text, result.runs.size());
    for (std::size_t point = 0; point < result.runs.size(); ++point)
        table.set(point, mapRowCells(study, point % width, point / width, result.runs[point]));
    return table.columns();
}

py::object mc(const py::object& tMagma, const py::object& tInit, const py::object& pInit, const py::object& pFinal,
              const py::object& r, const py::object& x, const py::object& s, const py::object& cv, bool constVolume,
              std::size_t n, std::uint64_t seed)
{
    const StudyArguments arguments(tMagma, tInit, pInit, pFinal, r, x);
    UncertaintyRequest request;
    request.base = baseRequest(arguments, s, cv, constVolume);
    request.samples = n;
    request.seed = seed;
    if (n == 0)
        throw py::value_error("n: at least one sample");
    for (std::size_t k = 0; k < kStudyInputs.size(); ++k) {
        if (!py::isinstance<py::str>(arguments.of(k)))
            continue;
        const DistributionText read = readDistribution(arguments.of(k).cast<std::string>());
        if (!read.error.empty())
            throw py::value_error(std::string(kStudyInputs[k].key) + ": " + read.error);
        if (read.distribution)
            request.drawn.push_back({kStudyInputs[k].input, *read.distribution});
        else
            setStudyInput(request.base, kStudyInputs[k].input, arguments.of(k).cast<std::string>());
    }
    UncertaintyResult result;
    {
        py::gil_scoped_release unlocked;
        result = runUncertainty(request);
    }
    return py::module_::import("json").attr("loads")(uncertaintyJson(request, result));
}

py::dict peaks(const py::object& tMagma, const py::object& tInit, const py::object& pInit, const py::object& pFinal,
               const py::object& r, const py::object& x, const py::object& s, const py::object& cv, bool constVolume)
{
    const StudyArguments arguments(tMagma, tInit, pInit, pFinal, r, x);
    const RunRequest base = baseRequest(arguments, s, cv, constVolume);
    SweepFamily family;
    for (std::size_t k = 1; k < kStudyInputs.size(); ++k) {
        if (!isSequence(arguments.of(k)))
            continue;
        if (family.input != FamilyInput::None)
            throw py::value_error("qrv.peaks takes at most one of tmagma, tinit, pinit, pfinal, x as a sequence");
        family.input = kFamilyInputs[k - 1].input;
        for (const double value : doublesOf(arguments.of(k)))
            family.values.push_back(formatShortest(value));
    }
    if (!isSequence(r))
        throw py::value_error("r: the sweep's ratios, an ascending sequence");
    const std::vector<double> ratios = doublesOf(r);
    std::vector<Peak> found;
    {
        py::gil_scoped_release unlocked;
        found = findPeaks(base, family, ratios);
    }
    py::list members, paths, peakRatios, ratiosPercent;
    for (const Peak& peak : found) {
        if (family.input != FamilyInput::None)
            members.append(std::stod(family.values[peak.member]));
        paths.append(py::str(std::string(kPeakPaths[peak.path].name)));
        peakRatios.append(peak.found ? peak.ratio : std::numeric_limits<double>::quiet_NaN());
        // The value of the CSV's cell: a model path's ratio is single precision.
        const std::string cell = studyOutputText(peak.crPercent, kPeakPaths[peak.path].output);
        double percent = std::numeric_limits<double>::quiet_NaN();
        if (peak.found)
            std::from_chars(cell.data(), cell.data() + cell.size(), percent);
        ratiosPercent.append(percent);
    }
    const py::module_ numpy = py::module_::import("numpy");
    py::dict columns;
    if (family.input != FamilyInput::None)
        columns[py::str(sweepHeadings(family).front())] = numpy.attr("array")(members);
    columns["Path"] = numpy.attr("array")(paths, py::arg("dtype") = "str");
    columns["R"] = numpy.attr("array")(peakRatios);
    columns["CR [%]"] = numpy.attr("array")(ratiosPercent);
    return columns;
}

constexpr char kMapDoc[] = R"(map(tmagma, tinit, pinit, pfinal, r, x=None, s=None, cv=None, constvolume=False) -> dict

A map, as `qrv-cli map --csv` makes it: exactly two of r, tmagma [K], tinit [K], pinit [MPa],
pfinal [MPa] and x given as one-dimensional sequences (the grid's values; the first of them
in that order varies fastest), the others as numbers (s and cv in J/(kg K)). Every point is
run with its IAPWS-95 reference on every core.

Returns the table by column (a dict of NumPy arrays, pandas.DataFrame(table) makes a frame):
"Map <input>" for each range, then the columns of qrv.sweep (same headings), then "Status".
A failed point keeps its row with NaN values and its reason in "Status".)";

constexpr char kMcDoc[] = R"(mc(tmagma, tinit, pinit, pfinal, r, x=None, s=None, cv=None, constvolume=False, n=1000, seed=1) -> dict

Uncertainty, as `qrv-cli mc --json` gives it: any of r, tmagma [K], tinit [K], pinit [MPa],
pfinal [MPa] and x may be a distribution written as text, "A~B" normal with mean A and
standard deviation B, "A..B" uniform from A to B; the others are numbers. n samples are run
with their IAPWS-95 reference on every core; the same seed draws the same samples on every
machine.

Returns {"samples": n, "failed": K, "seed": seed, "outputs": {HEADER: {"count", "mean", "sd",
"p5", "p25", "p50", "p75", "p95"}}} for both conversion ratios [%], their references [%], TEq
[K] and PEq [MPa]; HEADER is the qrv.sweep column ("CRAdiabatic [%]", ...).)";

constexpr char kPeaksDoc[] = R"(peaks(tmagma, tinit, pinit, pfinal, r, x=None, s=None, cv=None, constvolume=False) -> dict

The largest conversion ratio of each path over a sweep's range of R, and where it lies, as
`qrv-cli sweep --peaks` finds it: r is the sweep's ratios (an ascending sequence); at most one
of tmagma [K], tinit [K], pinit [MPa], pfinal [MPa] and x may be a sequence, a family with one
curve per value. The search runs the calculation between the ratios, to 1e-4 in R.

Returns the table by column: "Member TMagma [K]" and the like (families only), "Path" ("Adiabatic", "Isothermal",
"IAPWS-95 Adiabatic", "IAPWS-95 Isothermal"), "R" and "CR [%]" (NaN where a path has no value
over the range).)";

} // namespace

void addStudyFunctions(py::module_& qrv)
{
    const auto arguments = [](auto&&... more) {
        return std::make_tuple(py::arg("tmagma"), py::arg("tinit"), py::arg("pinit"), py::arg("pfinal"), py::arg("r"),
                               py::arg("x") = py::none(), py::arg("s") = py::none(), py::arg("cv") = py::none(),
                               py::arg("constvolume") = false, more...);
    };
    std::apply([&qrv](auto&&... a) { qrv.def("map", &map, a..., kMapDoc); }, arguments());
    std::apply([&qrv](auto&&... a) { qrv.def("peaks", &peaks, a..., kPeaksDoc); }, arguments());
    std::apply([&qrv](auto&&... a) { qrv.def("mc", &mc, a..., kMcDoc); },
               arguments(py::arg("n") = std::size_t(1000), py::arg("seed") = std::uint64_t(1)));
}

} // namespace qrv::python
