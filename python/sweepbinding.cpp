#include "python/sweepbinding.h"

#include "calculation/calculate.h"
#include "calculation/sweepfamily.h"
#include "python/broadcast.h"
#include "python/cellcolumns.h"
#include "python/parallelchunks.h"
#include "python/runarguments.h"
#include "report/runend.h"
#include "report/sweeptable.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace py = pybind11;

namespace qrv::python {

namespace {

// The inputs of every run, broadcast to one shape and laid out flat.
struct SweepInputs {
    Broadcast values; // tmagma, tinit, pinit, pfinal, r, then x, s, cv when given
    bool hasX = false, hasS = false, hasCv = false;
    bool constantVolume = false;

    RunArguments argumentsAt(std::size_t i) const
    {
        const auto at = [this, i](std::size_t column) { return values.arrays[column].data()[i]; };
        RunArguments a{at(0), at(1), at(2), at(3), at(4), {}, {}, {}, constantVolume};
        std::size_t next = 5;
        if (hasX)
            a.x = at(next++);
        if (hasS)
            a.entropy = at(next++);
        if (hasCv)
            a.cv = at(next++);
        return a;
    }
};

// Every run's cells and how far it got; a run without a stored record has NaN and "" in every
// column but its status.
struct SweepCells {
    CellColumns table;
    std::vector<std::string> status;

    explicit SweepCells(std::size_t count)
        : table(sweepHeadings(SweepFamily{}), textColumns(), count)
        , status(count)
    {
    }

    static std::vector<bool> textColumns()
    {
        std::vector<bool> text(sweepHeadings(SweepFamily{}).size());
        for (std::size_t c = 0; c < text.size(); ++c)
            text[c] = runCellHoldsText(c);
        return text;
    }
};

void runChunk(const SweepInputs& inputs, SweepCells& out, std::size_t begin, std::size_t end)
{
    // The windows' texts are not needed; one calculator keeps its steam-table answer between runs.
    Calculator calculator(CalculateOptions{WindowTexts::Skipped, true});
    std::vector<std::string> cells;
    for (std::size_t i = begin; i < end; ++i) {
        const RunResult run = calculator.run(requestOf(inputs.argumentsAt(i)));
        out.status[i] = run.completed ? "completed" : std::string(runEnd(run).stage);
        if (run.record) {
            cells.clear();
            appendRunCells(cells, reference::CellPrecision::Full, run);
            out.table.set(i, cells);
        }
    }
}

// The table handed to Python: columns by heading, flat, and the shape the inputs broadcast to.
class Table {
public:
    Table(py::dict columns, py::list names, py::tuple shape)
        : m_columns(std::move(columns)), m_names(std::move(names)), m_shape(std::move(shape)) {}

    py::object column(const std::string& name) const
    {
        if (!m_columns.contains(name))
            throw py::key_error(name);
        return m_columns[py::str(name)];
    }
    py::list names() const { return m_names; }
    py::tuple shape() const { return m_shape; }
    std::size_t size() const { return m_columns[py::str("status")].cast<py::array>().size(); }
    py::object toPandas() const { return py::module_::import("pandas").attr("DataFrame")(m_columns, py::arg("columns") = m_names); }
    py::dict toDict() const { return py::dict(m_columns); }

private:
    py::dict m_columns;
    py::list m_names;
    py::tuple m_shape;
};

Table sweep(const py::object& tMagma, const py::object& tInit, const py::object& pInit, const py::object& pFinal,
            const py::object& r, const py::object& x, const py::object& s, const py::object& cv, bool constVolume)
{
    if (s.is_none() != cv.is_none())
        throw py::value_error("s and cv go together: give both or neither");
    std::vector<py::object> given{tMagma, tInit, pInit, pFinal, r};
    for (const py::object& optional : {x, s, cv})
        if (!optional.is_none())
            given.push_back(optional);
    const SweepInputs inputs{broadcastDoubles(given), !x.is_none(), !s.is_none(), !cv.is_none(), constVolume};
    const std::size_t count = inputs.values.count;

    SweepCells cells(count);
    {
        py::gil_scoped_release unlocked;
        std::exception_ptr failure;
        std::mutex failureLock;
        // A run takes tens of microseconds: a few hundred make a thread worth starting.
        forEachChunk(count, 200, [&](std::size_t begin, std::size_t end) {
            try {
                runChunk(inputs, cells, begin, end);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                failure = std::current_exception();
            }
        });
        if (failure)
            std::rethrow_exception(failure);
    }

    py::dict columns = cells.table.columns();
    py::list names;
    for (const std::string& heading : cells.table.headings())
        names.append(heading);
    names.append("status");
    columns["status"] = textArray(cells.status);
    return Table(columns, names, py::tuple(py::cast(inputs.values.shape)));
}

constexpr char kSweepDoc[] = R"(sweep(tmagma, tinit, pinit, pfinal, r, x=None, s=None, cv=None, constvolume=False) -> Table

Many calculations at once: the arguments of qrv.run (same units: K, MPa, J/(kg K)), each a
number or an array-like, broadcast against each other as NumPy does. A family of sweeps is
two arrays: tmagma=[[1073], [1273]] and r=numpy.linspace(0.1, 3, 30) make 2 x 30 runs.
Every run is made as qrv-cli makes it, with its IAPWS-95 reference; runs are shared out over
every core, with the interpreter's lock released.

Returns a Table with one row per run (C order of the broadcast shape; reshape a column with
table.shape). Its columns are those of `qrv-cli sweep --csv`, same headings, same order:
"R", "TMagma [K]", "TWater [K]", "PHydro [MPa]", "PFinal [MPa]", "PEq [MPa]", "TEq [K]",
"RhoEq [kg/m3]", "SEq [J/kg-K]", "CRAdiabatic [%]", "SFAdiabatic", "WFAdiabatic",
"TFAdiabatic [K]", "CRIsothermal [%]", "SFIsothermal", "WFIsothermal", "TFIsothermal [K]"
(the stored record), then "IAPWS-95 PEq [MPa]" ... "IAPWS-95 Note" (the reference), then
"EnergyExcessAdiabatic [%]" and "EnergyExcessIsothermal [%]" (each path's work minus the
energy the run's own states release on it, in points of conversion ratio): NumPy arrays of
float, the phases and the note arrays of str, the numbers exactly those of the CSV.
Last comes "status": "completed", or how far a run got ("refused", "steamTableNeeded",
"noEquilibrium", "expanded"); a run that was not stored has NaN and "" in the other columns.
Use qrv.run on its inputs for its messages.

Table: table["CRAdiabatic [%]"], table.columns, table.shape, len(table), table.to_dict(),
table.to_pandas() (a pandas DataFrame, when pandas is installed).)";

} // namespace

void addSweepFunction(py::module_& qrv)
{
    py::class_<Table>(qrv, "Table", "The runs of a sweep by column: see help(qrv.sweep).")
        .def("__getitem__", &Table::column, py::arg("column"), "The column of this heading (NumPy array).")
        .def_property_readonly("columns", &Table::names, "The headings, in qrv-cli's order, then \"status\".")
        .def_property_readonly("shape", &Table::shape, "The shape the inputs broadcast to.")
        .def("__len__", &Table::size)
        .def("to_dict", &Table::toDict, "The columns by heading (dict of NumPy arrays).")
        .def("to_pandas", &Table::toPandas, "The table as a pandas DataFrame, columns in order.");
    qrv.def("sweep", &sweep, py::arg("tmagma"), py::arg("tinit"), py::arg("pinit"), py::arg("pfinal"), py::arg("r"),
            py::arg("x") = py::none(), py::arg("s") = py::none(), py::arg("cv") = py::none(),
            py::arg("constvolume") = false, kSweepDoc);
}

} // namespace qrv::python
