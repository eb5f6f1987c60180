// The lenient text-to-number conversion used wherever a text box or a file line becomes a
// number: the value of the longest leading part that reads as a number, never a failure.
#pragma once

#include <string_view>

namespace qrv {

// "" and "False" give 0, "True" gives 1; otherwise the longest prefix that is a plain
// decimal number (blanks around it allowed, "." as decimal point, optional exponent),
// rounded to single precision; 0 when no prefix reads or the value is beyond the float
// range. "inf", "nan" and hexadecimal forms are not numbers.
float ParseNumber(std::string_view text);

} // namespace qrv
