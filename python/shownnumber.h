// A single-precision number of the calculation as Python sees it: the double of its shortest
// text (0.3f -> 0.3), the value qrv-cli's JSON and CSV give for it ("nan" and "inf" read
// back as themselves).
#pragma once

#include "base/numberformat.h"

#include <charconv>
#include <string>

namespace qrv::python {

inline double shownNumber(float value)
{
    const std::string text = formatShortest(value);
    double shown = 0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

} // namespace qrv::python
