#include "steam/iapws95.h"

#include "steam/iapws95coefficients.h"

#include <array>
#include <cmath>

namespace qrv::steam {

using namespace iapws95;

namespace {

// Integer powers of delta and tau shared by the term families; the exponents of the first
// seven terms are multiples of 1/8 in tau.
struct Powers {
    std::array<double, kMaxExponentialD + 1> delta;
    std::array<double, kMaxExponentialT + 1> tau;
    double tauEighth;

    Powers(double d, double t)
    {
        delta[0] = 1;
        for (int k = 1; k <= kMaxExponentialD; ++k)
            delta[k] = delta[k - 1] * d;
        tau[0] = 1;
        for (int k = 1; k <= kMaxExponentialT; ++k)
            tau[k] = tau[k - 1] * t;
        tauEighth = std::sqrt(std::sqrt(std::sqrt(t)));
    }

    double tauToThe(double t) const
    {
        const int eighths = static_cast<int>(t * 8);
        double value = 1;
        for (int k = 0; k < std::abs(eighths); ++k)
            value *= tauEighth;
        return eighths < 0 ? 1 / value : value;
    }
};

constexpr bool polynomialExponentsInEighths()
{
    for (const PolynomialTerm& term : kPolynomialTerms)
        if (static_cast<int>(term.t * 8) != term.t * 8)
            return false;
    return true;
}
static_assert(polynomialExponentsInEighths());

constexpr bool nonAnalyticTermsShareTheirShape()
{
    for (const NonAnalyticTerm& term : kNonAnalyticTerms) {
        const NonAnalyticTerm& first = kNonAnalyticTerms[0];
        if (term.a != first.a || term.bigB != first.bigB || term.bigA != first.bigA
            || term.beta != first.beta)
            return false;
    }
    return true;
}
static_assert(nonAnalyticTermsShareTheirShape());

void addPolynomialTerms(double delta, double tau, const Powers& pw, HelmholtzTerms& r)
{
    for (const PolynomialTerm& term : kPolynomialTerms) {
        const double value = term.n * pw.delta[term.d] * pw.tauToThe(term.t);
        r.phi += value;
        r.d += value * term.d / delta;
        r.dd += value * term.d * (term.d - 1) / (delta * delta);
        r.t += value * term.t / tau;
        r.tt += value * term.t * (term.t - 1) / (tau * tau);
        r.dt += value * term.d * term.t / (delta * tau);
    }
}

void addExponentialTerms(double delta, double tau, const Powers& pw, HelmholtzTerms& r)
{
    std::array<double, kMaxExponentialC + 1> expMinusDeltaC{};
    for (int c = 1; c <= kMaxExponentialC; ++c)
        expMinusDeltaC[c] = std::exp(-pw.delta[c]);

    for (const ExponentialTerm& term : kExponentialTerms) {
        const double deltaC = pw.delta[term.c];
        const double value = term.n * pw.delta[term.d] * pw.tau[term.t] * expMinusDeltaC[term.c];
        const double dFactor = term.d - term.c * deltaC; // delta d/d delta of the term / term
        r.phi += value;
        r.d += value * dFactor / delta;
        r.dd += value * (dFactor * (dFactor - 1) - term.c * term.c * deltaC) / (delta * delta);
        r.t += value * term.t / tau;
        r.tt += value * term.t * (term.t - 1) / (tau * tau);
        r.dt += value * dFactor * term.t / (delta * tau);
    }
}

void addGaussianTerms(double delta, double tau, const Powers& pw, HelmholtzTerms& r)
{
    for (const GaussianTerm& term : kGaussianTerms) {
        const double dd = delta - term.epsilon;
        const double dt = tau - term.gamma;
        const double value = term.n * pw.delta[term.d] * pw.tau[term.t]
            * std::exp(-term.alpha * dd * dd - term.beta * dt * dt);
        const double dFactor = term.d / delta - 2 * term.alpha * dd;
        const double tFactor = term.t / tau - 2 * term.beta * dt;
        r.phi += value;
        r.d += value * dFactor;
        r.dd += value * (dFactor * dFactor - term.d / (delta * delta) - 2 * term.alpha);
        r.t += value * tFactor;
        r.tt += value * (tFactor * tFactor - term.t / (tau * tau) - 2 * term.beta);
        r.dt += value * dFactor * tFactor;
    }
}

void addNonAnalyticTerms(double delta, double tau, HelmholtzTerms& r)
{
    double dm1 = delta - 1;
    // The distance function's second derivative divides by (delta - 1); its limit is finite
    // but the expression is not, so the critical density itself is approached from beside.
    if (std::abs(dm1) < 1e-12)
        dm1 = 1e-12;
    const double dm1Sq = dm1 * dm1;
    const double tm1 = tau - 1;

    // The distance function Delta is the same for both terms.
    const NonAnalyticTerm& shape = kNonAnalyticTerms[0];
    const double a = shape.a, bigA = shape.bigA, bigB = shape.bigB, beta = shape.beta;
    const double halfBetaExp = 1 / (2 * beta);
    const double powHalfBeta = std::pow(dm1Sq, halfBetaExp);
    const double powHalfBetaM1 = powHalfBeta / dm1Sq;
    const double powHalfBetaM2 = powHalfBetaM1 / dm1Sq;
    const double powA = std::pow(dm1Sq, a);
    const double powAM1 = powA / dm1Sq;
    const double powAM2 = powAM1 / dm1Sq;

    const double theta = (1 - tau) + bigA * powHalfBeta;
    const double dist = theta * theta + bigB * powA;
    const double distD = dm1 * (bigA * theta * (2 / beta) * powHalfBetaM1 + 2 * bigB * a * powAM1);
    const double distDD = distD / dm1
        + dm1Sq
            * (4 * bigB * a * (a - 1) * powAM2
               + 2 * bigA * bigA / (beta * beta) * powHalfBetaM1 * powHalfBetaM1
               + bigA * theta * (4 / beta) * (halfBetaExp - 1) * powHalfBetaM2);

    for (const NonAnalyticTerm& term : kNonAnalyticTerms) {
        const double b = term.b;
        const double psi = std::exp(-term.bigC * dm1Sq - term.bigD * tm1 * tm1);

        const double distB = std::pow(dist, b);
        const double distBM1 = distB / dist;
        const double distBM2 = distBM1 / dist;
        const double distBD = b * distBM1 * distD;
        const double distBDD = b * (distBM1 * distDD + (b - 1) * distBM2 * distD * distD);
        const double distBT = -2 * theta * b * distBM1;
        const double distBTT = 2 * b * distBM1 + 4 * theta * theta * b * (b - 1) * distBM2;
        const double distBDT = -bigA * b * (2 / beta) * distBM1 * dm1 * powHalfBetaM1
            - 2 * theta * b * (b - 1) * distBM2 * distD;

        const double psiD = -2 * term.bigC * dm1 * psi;
        const double psiDD = (2 * term.bigC * dm1Sq - 1) * 2 * term.bigC * psi;
        const double psiT = -2 * term.bigD * tm1 * psi;
        const double psiTT = (2 * term.bigD * tm1 * tm1 - 1) * 2 * term.bigD * psi;
        const double psiDT = 4 * term.bigC * term.bigD * dm1 * tm1 * psi;

        r.phi += term.n * distB * delta * psi;
        r.d += term.n * (distB * (psi + delta * psiD) + distBD * delta * psi);
        r.dd += term.n
            * (distB * (2 * psiD + delta * psiDD) + 2 * distBD * (psi + delta * psiD)
               + distBDD * delta * psi);
        r.t += term.n * delta * (distBT * psi + distB * psiT);
        r.tt += term.n * delta * (distBTT * psi + 2 * distBT * psiT + distB * psiTT);
        r.dt += term.n
            * (distB * (psiT + delta * psiDT) + delta * distBD * psiT + distBT * (psi + delta * psiD)
               + distBDT * delta * psi);
    }
}

} // namespace

HelmholtzTerms idealPart(double delta, double tau)
{
    HelmholtzTerms r;
    r.phi = std::log(delta) + kIdealN1 + kIdealN2 * tau + kIdealN3 * std::log(tau);
    r.d = 1 / delta;
    r.dd = -1 / (delta * delta);
    r.t = kIdealN2 + kIdealN3 / tau;
    r.tt = -kIdealN3 / (tau * tau);
    for (const IdealExponentialTerm& term : kIdealExponentialTerms) {
        const double e = std::exp(-term.gamma * tau);
        r.phi += term.n * std::log1p(-e);
        r.t += term.n * term.gamma * (1 / (1 - e) - 1);
        r.tt -= term.n * term.gamma * term.gamma * e / ((1 - e) * (1 - e));
    }
    return r;
}

HelmholtzTerms residualPart(double delta, double tau)
{
    HelmholtzTerms r;
    const Powers powers(delta, tau);
    addPolynomialTerms(delta, tau, powers, r);
    addExponentialTerms(delta, tau, powers, r);
    addGaussianTerms(delta, tau, powers, r);
    addNonAnalyticTerms(delta, tau, r);
    return r;
}

Properties propertiesAt(double temperatureK, double density)
{
    const double delta = density / kCriticalDensity;
    const double tau = kCriticalTemperatureK / temperatureK;
    const HelmholtzTerms o = idealPart(delta, tau);
    const HelmholtzTerms r = residualPart(delta, tau);
    const double rt = kGasConstant * temperatureK;

    const double tauPhiT = tau * (o.t + r.t);
    const double cvOverR = -tau * tau * (o.tt + r.tt);
    const double compress = 1 + 2 * delta * r.d + delta * delta * r.dd;
    const double mixed = 1 + delta * r.d - delta * tau * r.dt;

    Properties p;
    p.temperatureK = temperatureK;
    p.density = density;
    p.specificVolume = 1 / density;
    p.pressurePa = density * rt * (1 + delta * r.d);
    p.internalEnergy = rt * tauPhiT;
    p.enthalpy = rt * (1 + tauPhiT + delta * r.d);
    p.entropy = kGasConstant * (tauPhiT - o.phi - r.phi);
    p.cv = kGasConstant * cvOverR;
    p.cp = kGasConstant * (cvOverR + mixed * mixed / compress);
    p.speedOfSound = std::sqrt(rt * (compress + mixed * mixed / cvOverR));
    p.gibbsEnergy = rt * (1 + o.phi + r.phi + delta * r.d);
    return p;
}

PressureTerms pressureAt(double temperatureK, double density)
{
    const double delta = density / kCriticalDensity;
    const double tau = kCriticalTemperatureK / temperatureK;
    const HelmholtzTerms r = residualPart(delta, tau);
    const double rt = kGasConstant * temperatureK;
    // The ideal part enters the Gibbs energy only through ln(delta) and tau terms that are
    // equal on both sides of a saturation line, so the residual part suffices there.
    return {density * rt * (1 + delta * r.d), rt * (1 + 2 * delta * r.d + delta * delta * r.dd),
            rt * (std::log(delta) + r.phi + delta * r.d)};
}

} // namespace qrv::steam
