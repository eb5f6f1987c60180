#include "python/resultsfilebinding.h"

#include "files/resultsfile.h"
#include "python/shownnumber.h"
#include "runs/runstore.h"

#include <pybind11/stl.h>

#include <algorithm>
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
        fields[py::str(std::string(kSeriesFieldNames[std::size_t(i)]))] = shownNumber(record.field(i));

    py::dict result;
    result["results_file"] = py::list(py::cast(*read.texts));
    result["record"] = fields;
    return result;
}

// The 25 texts of a run's results file: a result of qrv.run (attribute results_file) or a dict
// as read_qrv gives it.
ResultTexts resultTextsOf(const py::object& result)
{
    const py::object texts = py::hasattr(result, "results_file") ? result.attr("results_file")
                                                                 : py::object(result[py::str("results_file")]);
    // The results window enables Save only when a run has completed.
    if (texts.is_none())
        throw py::value_error("the run did not complete; no results file was written");
    const auto list = texts.cast<std::vector<std::string>>();
    if (list.size() != std::size_t(kResultLineCount))
        throw py::value_error("a results file holds " + std::to_string(kResultLineCount) + " texts, not "
                              + std::to_string(list.size()));
    ResultTexts out;
    std::copy(list.begin(), list.end(), out.begin());
    return out;
}

void writeQrv(const py::object& pathLike, const py::object& result)
{
    const ResultTexts texts = resultTextsOf(result);
    const std::string path = py::bytes(py::module_::import("os").attr("fsencode")(pathLike));
    std::string error;
    {
        py::gil_scoped_release unlocked;
        error = writeResultsFile(path, texts);
    }
    // The safe save names the failure in the program's words only, without an error number.
    if (!error.empty()) {
        PyErr_SetString(PyExc_OSError, ("Save error: " + error).c_str());
        throw py::error_already_set();
    }
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

constexpr char kWriteDoc[] = R"(write_qrv(path, result) -> None

Saves a run as a results file (*.qrv), through the desktop program's safe save: the file is
written beside the target and takes its name only when every byte is on disk, so a failed
save leaves the file that was there as it was.

path:    str or os.PathLike.
result:  a result of qrv.run, or a dict as read_qrv returns it: what the file keeps is its
         `results_file`, the 25 texts of the results window.

Raises OSError ("Save error: Permission denied", ...) when the file cannot be written, and
ValueError when there are not 25 texts or the run did not complete ("the run did not
complete; no results file was written"). A double quote in a text is saved as ', as the
program saves it.)";

} // namespace

void addResultsFileFunctions(py::module_& qrv)
{
    qrv.def("read_qrv", &readQrv, py::arg("path"), kReadDoc);
    qrv.def("write_qrv", &writeQrv, py::arg("path"), py::arg("result"), kWriteDoc);
}

} // namespace qrv::python
