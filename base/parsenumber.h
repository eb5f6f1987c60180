// Text to number, two ways. The lenient conversion is used wherever a file line or a box of
// the print window becomes a number: the value of the longest leading part that reads as a
// number, never a failure. The input window reads its boxes whole instead, so that a typing
// slip is refused rather than read as some other number.
#pragma once

#include <string_view>

namespace qrv {

// "" and "False" give 0, "True" gives 1; otherwise the longest prefix that is a plain
// decimal number (blanks around it allowed, "." as decimal point, optional exponent),
// rounded to single precision; 0 when no prefix reads or the value is beyond the float
// range. "inf", "nan" and hexadecimal forms are not numbers.
float ParseNumber(std::string_view text);

struct PlainNumber {
    bool valid = false; // the whole text is a plain decimal number
    double value = 0;   // its value; +-infinity beyond the range of a double, 0 below it
};

// The whole text as a plain decimal number: blanks around it allowed, optional sign, digits
// with "." as decimal point, optional exponent; nothing else ("1,5", "1e", "inf" are not).
PlainNumber readPlainNumber(std::string_view text);

} // namespace qrv
