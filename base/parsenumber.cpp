#include "base/parsenumber.h"

#include "model/real.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

#include <charconv>

namespace qrv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of `text` that is a whole number text: blanks, sign,
// digits with at most one point (at least one digit), optional exponent with digits,
// trailing blanks. Returns 0 when no prefix is one.
std::size_t longestNumberPrefix(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool digits = false;
    while (i < n && isDigit(text[i])) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    std::size_t end = i;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        bool expDigits = false;
        while (j < n && isDigit(text[j])) {
            ++j;
            expDigits = true;
        }
        if (expDigits)
            end = j;
    }
    while (end < n && isBlank(text[end]))
        ++end;
    return end;
}

// Whether a plain number that a double cannot hold is too large rather than too small: its
// first significant digit stands at or above the units once the exponent is applied.
bool beyondDoubleIsLarge(std::string_view number)
{
    long integerDigits = 0;
    long leadingZeros = 0;
    bool significant = false;
    bool fraction = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        const char c = number[i];
        if (c == '.') {
            fraction = true;
        } else if (isDigit(c)) {
            integerDigits += !fraction;
            if (c != '0')
                significant = true;
            else if (!significant)
                ++leadingZeros;
        }
    }
    long exponent = 0;
    bool negative = false;
    for (++i; i < number.size(); ++i) {
        if (number[i] == '-')
            negative = true;
        else if (isDigit(number[i]))
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1000000000L);
    }
    return integerDigits - 1 - leadingZeros + (negative ? -exponent : exponent) >= 0;
}

// The value of a number text whose grammar has been checked.
double valueOf(std::string_view prefix)
{
    std::string number;
    for (char c : prefix)
        if (!isBlank(c) && c != '+')
            number += c;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        const double magnitude = beyondDoubleIsLarge(number) ? HUGE_VAL : 0.0;
        return number.front() == '-' ? -magnitude : magnitude;
    }
    return value;
}

} // namespace

float ParseNumber(std::string_view text)
{
    if (text.empty() || text == "False")
        return 0.0f;
    if (text == "True")
        return 1.0f;
    const std::size_t len = longestNumberPrefix(text);
    if (len == 0)
        return 0.0f;
    const double value = valueOf(text.substr(0, len));
    if (!(std::fabs(value) < kSingleRoundingLimit))
        return 0.0f;
    return roundToSingle(value);
}

PlainNumber readPlainNumber(std::string_view text)
{
    if (text.empty() || longestNumberPrefix(text) != text.size())
        return {};
    return {true, valueOf(text)};
}

} // namespace qrv
