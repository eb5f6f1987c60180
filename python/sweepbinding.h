// qrv.sweep: many calculations over broadcast arrays of inputs, on every core, as a table with
// the columns of qrv-cli's sweep CSV.
#pragma once

#include <pybind11/pybind11.h>

namespace qrv::python {

void addSweepFunction(pybind11::module_& qrv);

} // namespace qrv::python
