// Sums of fit terms, evaluated strictly left to right.
//
// The terms of a fit are written as one braced list: its elements are evaluated in order,
// so when two terms could fail (a logarithm and a division by the same zero pressure) the
// first one in the formula is the failure that gets reported, as it always has been.
#pragma once

#include "model/real.h"

#include <initializer_list>

namespace qrv {

inline Real sumOf(std::initializer_list<Real> terms)
{
    Real sum = 0.0;
    bool first = true;
    for (const Real term : terms) {
        sum = first ? term : sum + term;
        first = false;
    }
    return sum;
}

} // namespace qrv
