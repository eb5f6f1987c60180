#include "python/resultsfilebinding.h"

#include "base/numberformat.h"
#include "files/resultsfile.h"
#include "runs/runstore.h"

#include <pybind11/stl.h>

#include <string>

namespace py = pybind11;

namespace qrv::python {

namespace {

// The program's words after "Open error: "; a file that could not be read raises OSError
// with its error number (FileNotFoundError, IsADirectoryError, PermissionError, ...), a
// refused content ValueError.
[[noreturn]] void raiseOpenError(const ResultsFileRead& read, const py::object& path)
{
    const std::string message = "Open error: " + read.error;
    if (read.systemError == 0)
        throw py::value_error(message);
    // OSError(errno, ...) makes the subclass of that errno; it is raised as what it became.
    const py::object error = py::reinterpret_borrow<py::object>(PyExc_OSError)(read.systemError, message, path);
    PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(error.ptr())), error.ptr());
    throw py::error_already_set();
}

// A stored single-precision number as the double of its shortest text (0.3f -> 0.3), as the
// JSON of qrv-cli open gives it.
double asShown(float value) { return std::stod(formatShortest(value)); }

py::dict readQrv(const py::object& pathLike)
{
    // The file system's bytes, so that any name the system allows can be opened.
    const std::string path = py::bytes(py::module_::import("os").attr("fsencode")(pathLike));
    ResultsFileRead read;
    {
        py::gil_scoped_release unlocked;
        read = readResultsFile(path);
    }
    if (!read.texts)
        raiseOpenError(read, pathLike);

    const SeriesRecord record = recordFromResultTexts(*read.texts);
    py::dict fields;
    for (int i = 0; i < SeriesRecord::kFieldCount; ++i)
        fields[py::str(std::string(kSeriesFieldNames[std::size_t(i)]))] = asShown(record.field(i));

    py::dict result;
    result["results_file"] = py::list(py::cast(*read.texts));
    result["record"] = fields;
    return result;
}

constexpr char kReadDoc[] = R"(read_qrv(path) -> dict

Reads a results file (*.qrv) as the desktop program opens it, with the same checks.

path: str or os.PathLike.

Returns a dict with the keys of `qrv-cli open FILE --json`:
  results_file  the file's 25 texts, line 1 first (list of str), as the results window
                showed them
  record        the run the desktop program adds to its store when it opens the file,
                by the column names of its tables, with their units: "R" (the ratio as
                typed, Rs for a sediment), "TMagma [K]", "TWater [K]", "PHydro [MPa]",
                "PFinal [MPa]", "PEq [MPa]", "TEq [K]", "RhoEq [kg/m3]", "SEq [J/kg-K]",
                "CRAdiabatic [%]", "SFAdiabatic", "WFAdiabatic", "TFAdiabatic [K]",
                "CRIsothermal [%]", "SFIsothermal", "WFIsothermal", "TFIsothermal [K]";
                each a float, the shortest decimal of the stored single-precision number
                (0.3 for 0.3f).

Raises OSError (FileNotFoundError, IsADirectoryError, PermissionError, ...) when the file
cannot be read, ValueError when it is not a results file ("Open error: line 8 is not a
number", "Open error: Input past end of file", ...). The messages are the program's.)";

} // namespace

void addResultsFileFunctions(py::module_& qrv)
{
    qrv.def("read_qrv", &readQrv, py::arg("path"), kReadDoc);
}

} // namespace qrv::python
