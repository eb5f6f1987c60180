// The module `qrv`: what QRV calculates, for Python.
#include "base/version.h"
#include "python/resultsfilebinding.h"
#include "python/runbinding.h"
#include "python/steambinding.h"
#include "python/studybinding.h"
#include "python/sweepbinding.h"

#include <pybind11/pybind11.h>

#include <string>

PYBIND11_MODULE(qrv, module)
{
    // Each docstring opens with its own signature, in the words of its units.
    pybind11::options options;
    options.disable_function_signatures();
    module.doc() = "QRV: the energetics of explosive water/magma interaction, and IAPWS-95 steam tables.";
    module.attr("__version__") = std::string(qrv::kVersionText);
    qrv::python::addRunFunction(module);
    qrv::python::addSweepFunction(module);
    qrv::python::addStudyFunctions(module);
    qrv::python::addSteamModule(module);
    qrv::python::addResultsFileFunctions(module);
}
