// qrv.run: one calculation, its typed result as a Python object.
#pragma once

#include <pybind11/pybind11.h>

namespace qrv::python {

void addRunFunction(pybind11::module_& qrv);

} // namespace qrv::python
