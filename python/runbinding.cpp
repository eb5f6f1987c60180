#include "python/runbinding.h"

#include "calculation/calculate.h"
#include "python/runarguments.h"
#include "python/shownnumber.h"
#include "report/jsonreport.h"
#include "report/runend.h"

#include <pybind11/stl.h>

#include <string>

namespace py = pybind11;

namespace qrv::python {

namespace {

// A run as Python reads it: the typed result, and the JSON report of it for to_dict.
class Run {
public:
    explicit Run(RunResult result) : m_result(std::move(result)), m_json(runJson(m_result)) {}

    const RunResult& result() const { return m_result; }
    py::object toDict() const { return py::module_::import("json").attr("loads")(m_json); }

private:
    RunResult m_result;
    std::string m_json;
};

py::object number(float value) { return py::float_(shownNumber(value)); }

// A path's results, None when it did not come to them.
py::object pathValue(const PathEnd& end, float value)
{
    return end.completed ? number(value) : py::none();
}

py::dict fractions(const PathEnd& end)
{
    py::dict both;
    both["steam"] = pathValue(end, end.steamFraction);
    both["water"] = end.completed ? py::object(py::float_(end.waterFraction)) : py::none();
    return both;
}

py::object phase(bool shown, std::string_view name) { return shown ? py::object(py::str(std::string(name))) : py::none(); }

py::list messages(const RunResult& run)
{
    py::list texts;
    for (const auto& message : run.messages())
        texts.append(message.text);
    return texts;
}

Run runOnce(double tMagma, double tInit, double pInit, double pFinal, double r, std::optional<double> x,
            std::optional<double> s, std::optional<double> cv, bool constVolume)
{
    if (s.has_value() != cv.has_value())
        throw py::value_error("s and cv go together: give both or neither");
    const RunRequest request = requestOf({tMagma, tInit, pInit, pFinal, r, x, s, cv, constVolume});
    RunResult result;
    {
        py::gil_scoped_release unlocked;
        result = calculate(request);
    }
    // A refused input is the caller's mistake; any later failure is the run's result.
    if (result.stage == RunStage::Refused) {
        std::string text;
        for (const auto& message : result.messages())
            text += (text.empty() ? "" : "\n") + message.text;
        throw py::value_error(text);
    }
    return Run(std::move(result));
}

constexpr char kRunDoc[] = R"(run(tmagma, tinit, pinit, pfinal, r, x=None, s=None, cv=None, constvolume=False) -> Run

One calculation, as `qrv-cli run` makes it with the same options.

tmagma       magma temperature [K], above 298 K
tinit        temperature of the water (or wet sediment) [K]; at 273 K and below it starts as ice
pinit        confining pressure of the water [MPa]
pfinal       ambient pressure, to which the water expands [MPa]
r            water/magma mass ratio R; with x the sediment/magma ratio Rs
x            wet sediment: the mass fraction of water in it, above 0 and at most 1
s, cv        entropy and isochoric heat capacity of the initial water [J/(kg K)], both or
             neither; by default the values the input window holds or IAPWS-95's
constvolume  heat the water at constant volume (Redlich-Kwong) instead of by the entropy
             extrapolation

Each number is passed on as its shortest text, as qrv-cli receives it.
Raises ValueError with the program's message when an input is refused. A run that fails
later (no equilibrium, a path that breaks down) is returned, with completed False and the
routines' messages. The interpreter's lock is released during the calculation.

The result (Run) has:
  completed      both paths came to results (bool)
  stage          how far it got: "steamTableNeeded", "noEquilibrium" or "expanded"
  error          why it did not complete ("" when it did)
  TEq [K], PEq [Pa]               the equilibrium state (None without one)
  cr_adiabatic, cr_isothermal     conversion ratios [%] (None for a path without results)
  fractions      {"adiabatic": {"steam": .., "water": ..}, "isothermal": {...}}
  phases         {"equilibrium": .., "adiabatic": .., "isothermal": ..} as the windows name them
  reference      the IAPWS-95 reference (dict; {"error": reason} when there is none)
  messages       the routines' messages (list of str)
  results_file   the 25 texts of its results file (None when the run was not stored)
  to_dict()      everything, equal to json.loads(qrv-cli run ... --json))";

} // namespace

void addRunFunction(py::module_& qrv)
{
    py::class_<Run>(qrv, "Run", "One calculation's result: see help(qrv.run).")
        .def_property_readonly("completed", [](const Run& run) { return run.result().completed; })
        .def_property_readonly("stage", [](const Run& run) { return std::string(runEnd(run.result()).stage); })
        .def_property_readonly("error", [](const Run& run) { return runEnd(run.result()).error; })
        .def_property_readonly("TEq", [](const Run& run) {
            const auto& eq = run.result().equilibrium;
            return eq ? number(eq->TEq) : py::none();
        }, "equilibrium temperature [K]")
        .def_property_readonly("PEq", [](const Run& run) {
            const auto& eq = run.result().equilibrium;
            return eq ? number(eq->PEq) : py::none();
        }, "equilibrium pressure [Pa]")
        .def_property_readonly("cr_adiabatic", [](const Run& run) {
            return pathValue(run.result().adiabatic, run.result().adiabatic.conversionRatio);
        }, "conversion ratio of the adiabatic path [%]")
        .def_property_readonly("cr_isothermal", [](const Run& run) {
            return pathValue(run.result().isothermal, run.result().isothermal.conversionRatio);
        }, "conversion ratio of the isothermal path [%]")
        .def_property_readonly("fractions", [](const Run& run) {
            py::dict paths;
            paths["adiabatic"] = fractions(run.result().adiabatic);
            paths["isothermal"] = fractions(run.result().isothermal);
            return paths;
        }, "steam and water mass fractions at the end of each path")
        .def_property_readonly("phases", [](const Run& run) {
            const RunResult& r = run.result();
            py::dict names;
            names["equilibrium"] = r.equilibrium ? phase(true, r.equilibrium->phase) : py::none();
            names["adiabatic"] = phase(r.adiabatic.completed, r.adiabatic.phase);
            names["isothermal"] = phase(r.isothermal.completed, r.isothermal.phase);
            return names;
        }, "phase at equilibrium and at the end of each path, as the windows name them")
        .def_property_readonly("reference", [](const Run& run) -> py::object { return run.toDict()["reference"]; },
                               "the IAPWS-95 reference, as in to_dict()")
        .def_property_readonly("messages", [](const Run& run) { return messages(run.result()); })
        .def_property_readonly("results_file", [](const Run& run) {
            return run.result().stored ? py::object(py::cast(run.result().resultsFile())) : py::none();
        }, "the 25 texts of the run's results file, None when the run was not stored")
        .def("to_dict", &Run::toDict, "Everything about the run, as qrv-cli run --json prints it.")
        .def("__repr__", [](const Run& run) {
            const RunResult& r = run.result();
            std::string text = "<qrv.Run " + std::string(runEnd(r).stage);
            if (r.completed)
                text += ", CR " + formatShortest(r.adiabatic.conversionRatio) + " % adiabatic, "
                        + formatShortest(r.isothermal.conversionRatio) + " % isothermal";
            return text + ">";
        });
    qrv.def("run", &runOnce, py::arg("tmagma"), py::arg("tinit"), py::arg("pinit"), py::arg("pfinal"), py::arg("r"),
            py::arg("x") = py::none(), py::arg("s") = py::none(), py::arg("cv") = py::none(),
            py::arg("constvolume") = false, kRunDoc);
}

} // namespace qrv::python
