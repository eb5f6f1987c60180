// qrv.steam: IAPWS-95 properties of water over NumPy arrays.
#pragma once

#include <pybind11/pybind11.h>

namespace qrv::python {

void addSteamModule(pybind11::module_& qrv);

} // namespace qrv::python
