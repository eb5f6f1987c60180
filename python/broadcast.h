// Numbers or array-likes from Python broadcast against each other as NumPy broadcasts them,
// each laid out flat (C order) as doubles, so that a calculation can read them without the
// interpreter's lock.
#pragma once

#include <pybind11/numpy.h>

#include <vector>

namespace qrv::python {

using Doubles = pybind11::array_t<double, pybind11::array::c_style | pybind11::array::forcecast>;

struct Broadcast {
    std::vector<pybind11::ssize_t> shape; // empty when every value was a scalar
    std::size_t count = 0;
    std::vector<Doubles> arrays;          // in the order given, each `count` long
};

// Raises ValueError (NumPy's) when the shapes do not broadcast or a value is not a number.
Broadcast broadcastDoubles(const std::vector<pybind11::object>& values);

} // namespace qrv::python
