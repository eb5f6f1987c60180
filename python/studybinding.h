// qrv.map, qrv.mc and qrv.peaks: the studies of qrv-cli's map, mc and sweep --peaks, on the
// same code, returning the same tables and figures.
#pragma once

#include <pybind11/pybind11.h>

namespace qrv::python {

void addStudyFunctions(pybind11::module_& qrv);

} // namespace qrv::python
