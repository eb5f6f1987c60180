// qrv.read_qrv and qrv.write_qrv: results files (*.qrv) through the desktop program's own
// reader and safe save.
#pragma once

#include <pybind11/pybind11.h>

namespace qrv::python {

void addResultsFileFunctions(pybind11::module_& qrv);

} // namespace qrv::python
