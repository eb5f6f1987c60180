#include "chart/spline/axisscale.h"

#include "base/numberformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace qrv {

namespace {

constexpr int kMostIntervals = 9; // ten ticks
constexpr int kStepMantissas[] = {1, 2, 5};
// Values beyond this are no chart's: treated like the non-finite ones.
constexpr double kVast = 1e300;
// A span narrower than this share of its values' size is a single value seen through
// rounding; and values this close to 0 are 0.
constexpr double kNarrowest = 1e-9;
constexpr double kTiniest = 1e-250;
// Data within a thousandth of a step of a tick end there, so that a run typed at a round
// value and stored in single precision (0.3 as 0.30000001) ends the axis at that value
// instead of a step later; a thousandth of a step is less than a pixel on any chart.
constexpr double kOnTick = 1e-3;

bool usable(double v)
{
    return std::isfinite(v) && std::fabs(v) <= kVast;
}

// digits * 10^exponent as the double nearest to that decimal: three steps of 0.1 are 0.3,
// not 0.30000000000000004, so that every tick reads back from its label.
double decimal(long long digits, int exponent)
{
    const std::string text = std::to_string(digits) + 'e' + std::to_string(exponent);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

AxisScale::AxisScale(long long firstTick, long long lastTick, int mantissa, int exponent)
    : m_firstTick(firstTick)
    , m_lastTick(lastTick)
    , m_mantissa(mantissa)
    , m_exponent(exponent)
{
}

AxisScale AxisScale::fit(double dataMin, double dataMax, bool includeZero)
{
    double low = usable(dataMin) ? dataMin : dataMax;
    double high = usable(dataMax) ? dataMax : dataMin;
    if (!usable(low))
        low = high = 0;
    if (low > high)
        std::swap(low, high);
    // A single value stands inside its axis, not at an end of it: a lone run at R 0.3 on an axis
    // from 0 gets 0 to 0.35, not 0 to 0.3.
    const double size = std::max(std::fabs(low), std::fabs(high));
    if (high - low <= std::max(kNarrowest * size, kTiniest)) {
        const double value = low / 2 + high / 2;
        const double margin = std::fabs(value) / 10;
        low = margin <= kTiniest ? 0 : value - margin;
        high = margin <= kTiniest ? 1 : value + margin;
    }
    if (includeZero) {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    }

    // The smallest 1-2-5 step that covers the data in at most ten ticks. Candidates start
    // below a tenth of the span, so the step taken is at most 2.5 times one that needed ten
    // intervals or more: it leaves at least four, five ticks.
    for (int exponent = int(std::floor(std::log10((high - low) / 10)));; ++exponent) {
        for (int mantissa : kStepMantissas) {
            const double step = decimal(mantissa, exponent);
            const double first = std::floor(low / step + kOnTick);
            const double last = std::ceil(high / step - kOnTick);
            if (last - first <= kMostIntervals)
                return AxisScale((long long)first, (long long)last, mantissa, exponent);
        }
    }
}

double AxisScale::step() const
{
    return decimal(m_mantissa, m_exponent);
}

double AxisScale::tick(long long k) const
{
    return decimal(k * m_mantissa, m_exponent);
}

std::vector<double> AxisScale::ticks() const
{
    std::vector<double> values;
    for (long long k = m_firstTick; k <= m_lastTick; ++k)
        values.push_back(tick(k));
    return values;
}

std::string AxisScale::label(double value) const
{
    return formatFixed(value, decimals());
}

} // namespace qrv
