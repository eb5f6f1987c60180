// Checked double-precision arithmetic for the calculation routines.
//
// The routines compute in double and report every arithmetic failure by name, as the
// program always has: "Overflow", "Division by zero", "Invalid procedure call or
// argument". `Real` carries a double and throws `EngineFault` where an operation would
// leave the finite range or its domain, so the formulas read like the physics while a
// failure stops the routine at the exact step that caused it.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace qrv {

enum class FaultKind {
    Overflow,
    DivisionByZero,
    InvalidCall,
    SubscriptOutOfRange,
    TemperatureNotAboveZero,
    PressureNotAboveZero,
};

struct EngineFault {
    FaultKind kind;
    std::string_view description() const
    {
        switch (kind) {
        case FaultKind::Overflow: return "Overflow";
        case FaultKind::DivisionByZero: return "Division by zero";
        case FaultKind::InvalidCall: return "Invalid procedure call or argument";
        case FaultKind::SubscriptOutOfRange: return "Subscript out of range";
        case FaultKind::TemperatureNotAboveZero: return "Absolute temperature at or below 0 K";
        case FaultKind::PressureNotAboveZero: return "Pressure at or below 0";
        }
        return "Overflow";
    }
};

[[noreturn]] inline void fail(FaultKind kind) { throw EngineFault{kind}; }

class Real {
public:
    constexpr Real(double v = 0.0) : m_v(v) {}
    constexpr double value() const { return m_v; }

    friend Real operator+(Real a, Real b) { return finite(a.m_v + b.m_v); }
    friend Real operator-(Real a, Real b) { return finite(a.m_v - b.m_v); }
    friend Real operator*(Real a, Real b) { return finite(a.m_v * b.m_v); }
    friend Real operator/(Real a, Real b)
    {
        if (b.m_v == 0.0)
            fail(a.m_v == 0.0 ? FaultKind::Overflow : FaultKind::DivisionByZero);
        return finite(a.m_v / b.m_v);
    }
    Real operator-() const { return Real(-m_v); }
    Real& operator+=(Real b) { return *this = *this + b; }
    Real& operator-=(Real b) { return *this = *this - b; }

    friend bool operator==(Real a, Real b) { return a.m_v == b.m_v; }
    friend auto operator<=>(Real a, Real b) { return a.m_v <=> b.m_v; }

private:
    static Real finite(double v)
    {
        if (!std::isfinite(v))
            fail(FaultKind::Overflow);
        return Real(v);
    }
    double m_v;
};

inline Real exp(Real x)
{
    const double r = std::exp(x.value());
    if (!std::isfinite(r))
        fail(FaultKind::Overflow);
    return r;
}

inline Real log(Real x)
{
    if (x.value() <= 0.0)
        fail(FaultKind::InvalidCall);
    return std::log(x.value());
}

inline Real sqrt(Real x)
{
    if (x.value() < 0.0)
        fail(FaultKind::InvalidCall);
    return std::sqrt(x.value());
}

inline Real pow(Real base, Real exponent)
{
    const double b = base.value();
    const double e = exponent.value();
    if (b < 0.0 && e != std::trunc(e))
        fail(FaultKind::InvalidCall);
    if (b == 0.0 && e < 0.0)
        fail(FaultKind::DivisionByZero);
    const double r = std::pow(b, e);
    if (!std::isfinite(r))
        fail(FaultKind::Overflow);
    return r;
}

// Largest magnitude that still rounds to a finite float (FLT_MAX plus half its ulp).
inline constexpr double kSingleRoundingLimit = double(FLT_MAX) + 0x1p103;

// Rounds to single precision without overflow; callers check the range first.
inline float roundToSingle(double v)
{
    if (std::fabs(v) > double(FLT_MAX))
        return v > 0 ? FLT_MAX : -FLT_MAX;
    return static_cast<float>(v);
}

// Rounds to single precision as a stored field; a value beyond the float range overflows.
inline float single(Real x)
{
    if (!(std::fabs(x.value()) < kSingleRoundingLimit))
        fail(FaultKind::Overflow);
    return roundToSingle(x.value());
}

// A computed absolute temperature (K) or pressure (Pa) stored as a field: at or below zero
// no water has it, so the routine that computed it has failed.
inline float kelvin(Real t)
{
    const float stored = single(t);
    if (!(stored > 0.0f))
        fail(FaultKind::TemperatureNotAboveZero);
    return stored;
}

inline float pascals(Real p)
{
    const float stored = single(p);
    if (!(stored > 0.0f))
        fail(FaultKind::PressureNotAboveZero);
    return stored;
}

// Nearest integer with halves to even, as a signed 16-bit value; out of range overflows.
inline std::int16_t int16(Real x)
{
    const double r = std::nearbyint(x.value()); // default rounding mode: ties to even
    if (r < -32768.0 || r > 32767.0)
        fail(FaultKind::Overflow);
    return static_cast<std::int16_t>(r);
}

} // namespace qrv
