// Number display: fixed-point patterns "0" to "0.00000" and the general number format.
// The decimal point is always ".", whatever the locale, so saved files read the same everywhere.
#pragma once

#include <string>

namespace qrv {

// `decimals` digits after the point, at least one integer digit; a value exactly halfway
// between two printable values goes away from zero. No "-0.00".
std::string formatFixed(double value, int decimals);

// The shortest plain decimal that reads back as the same single-precision value, never
// with an exponent: 298 -> "298", 0.3f -> "0.3", 366.93f -> "366.93".
std::string formatGeneral(float value);

// The shortest text that reads back as exactly this value in its own precision, for files
// that other programs read (CSV, JSON): an exponent where that is shorter ("1e-05"), and
// "nan", "inf" or "-inf" for a value that is no finite number.
std::string formatShortest(float value);
std::string formatShortest(double value);

} // namespace qrv
