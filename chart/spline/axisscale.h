// Round axis bounds and ticks for a chart: bounds that are whole multiples of a 1-2-5 step
// (0.1, 0.2, 0.5, 1, 2, 5, 10, ...) just around the data, five to ten ticks, the origin a tick
// whenever the axis spans it, and tick labels that all carry the decimals the step needs.
#pragma once

#include <string>
#include <vector>

namespace qrv {

class AxisScale {
public:
    // The axis for data from dataMin to dataMax (either order); with includeZero it also
    // spans 0. A single value gets an axis a tenth of its size either side (0 gets 0 to 1),
    // then 0 if asked, so that the value lies inside the axis.
    // A non-finite or vast (beyond 1e300) end counts as missing: the other end alone is
    // used, and with neither the axis is that of 0.
    static AxisScale fit(double dataMin, double dataMax, bool includeZero);

    double low() const { return tick(m_firstTick); }
    double high() const { return tick(m_lastTick); }
    double step() const;
    // Ticks from low() to high(), step() apart.
    std::vector<double> ticks() const;
    int decimals() const { return m_exponent < 0 ? -m_exponent : 0; }
    // A tick's label: decimals() digits after a "." ("0.05", "0.10"), no "-0".
    std::string label(double value) const;

private:
    AxisScale(long long firstTick, long long lastTick, int mantissa, int exponent);
    // The k-th multiple of the step, as near to the decimal value as a double can be.
    double tick(long long k) const;

    long long m_firstTick = 0; // low() / step()
    long long m_lastTick = 1; // high() / step()
    int m_mantissa = 1; // step = mantissa * 10^exponent, mantissa 1, 2 or 5
    int m_exponent = 0;
};

} // namespace qrv
