#include "python/broadcast.h"

namespace py = pybind11;

namespace qrv::python {

Broadcast broadcastDoubles(const std::vector<py::object>& values)
{
    const py::module_ numpy = py::module_::import("numpy");
    py::list asNumbers;
    for (const py::object& value : values)
        asNumbers.append(numpy.attr("asarray")(value, py::arg("dtype") = "float64"));
    const py::tuple broadcast = numpy.attr("broadcast_arrays")(*asNumbers);
    Broadcast out;
    for (const py::handle view : broadcast) {
        // A copy: broadcast views repeat elements with zero strides.
        Doubles flat = numpy.attr("array")(view, py::arg("dtype") = "float64", py::arg("order") = "C");
        if (out.arrays.empty()) {
            out.shape.assign(flat.shape(), flat.shape() + flat.ndim());
            out.count = std::size_t(flat.size());
        }
        out.arrays.push_back(std::move(flat));
    }
    return out;
}

} // namespace qrv::python
