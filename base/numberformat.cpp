#include "base/numberformat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace qrv {

namespace {

// Fixed-point conversion rounds the exact binary value correctly but sends exact ties to
// even; the display has always sent them away from zero, so a tie is nudged one ulp outwards.
double awayFromZeroOnTie(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    const double floorPart = std::floor(scaled);
    if (scaled - floorPart == 0.5 && std::isfinite(scaled))
        return std::nextafter(value, value > 0 ? HUGE_VAL : -HUGE_VAL);
    return value;
}

template <typename Number>
std::string shortest(Number value)
{
    // Enough for the longest double, "-2.2250738585072014e-308"; to_chars ignores the locale.
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

} // namespace

std::string formatShortest(float value)
{
    return shortest(value);
}

std::string formatShortest(double value)
{
    return shortest(value);
}

std::string formatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return "0";
    value = awayFromZeroOnTie(value, decimals);
    // to_chars, unlike printf, ignores the C locale: a desktop whose locale writes decimal
    // commas still gets ".".
    char buf[400];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return "0";
    std::string text(buf, end);
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string formatGeneral(float value)
{
    if (!std::isfinite(value))
        return "0";
    std::string text = formatShortest(value);
    const auto e = text.find('e');
    if (e == std::string::npos)
        return text;

    // Expand "d.ddde±x" into a plain decimal.
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string mantissa = text.substr(0, e);
    const bool negative = mantissa[0] == '-';
    if (negative)
        mantissa.erase(0, 1);
    std::string digits;
    int pointPos = 0;
    for (char c : mantissa) {
        if (c == '.')
            continue;
        digits += c;
    }
    pointPos = int(mantissa.find('.') == std::string::npos ? mantissa.size() : mantissa.find('.')) + exponent;
    std::string out;
    if (pointPos <= 0)
        out = "0." + std::string(size_t(-pointPos), '0') + digits;
    else if (pointPos >= int(digits.size()))
        out = digits + std::string(size_t(pointPos - int(digits.size())), '0');
    else
        out = digits.substr(0, size_t(pointPos)) + "." + digits.substr(size_t(pointPos));
    return negative ? "-" + out : out;
}

} // namespace qrv
