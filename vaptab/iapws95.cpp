#include "iapws95.h"

#include "iapws95coefficients.h"

#include <array>
#include <cmath>

namespace qrv::steam {

using namespace iapws95;

namespace {

void addPolynomialTerms(double delta, double tau, HelmholtzTerms& r)
{
    for (const PolynomialTerm& term : kPolynomialTerms) {
        const double value = term.n * std::pow(delta, term.d) * std::pow(tau, term.t);
        r.phi += value;
        r.d += value * term.d / delta;
        r.dd += value * term.d * (term.d - 1) / (delta * delta);
        r.t += value * term.t / tau;
        r.tt += value * term.t * (term.t - 1) / (tau * tau);
        r.dt += value * term.d * term.t / (delta * tau);
    }
}

void addExponentialTerms(double delta, double tau, HelmholtzTerms& r)
{
    std::array<double, kMaxExponentialD + 1> deltaPow{};
    std::array<double, kMaxExponentialT + 1> tauPow{};
    deltaPow[0] = 1;
    for (int k = 1; k <= kMaxExponentialD; ++k)
        deltaPow[k] = deltaPow[k - 1] * delta;
    tauPow[0] = 1;
    for (int k = 1; k <= kMaxExponentialT; ++k)
        tauPow[k] = tauPow[k - 1] * tau;
    std::array<double, kMaxExponentialC + 1> expMinusDeltaC{};
    for (int c = 1; c <= kMaxExponentialC; ++c)
        expMinusDeltaC[c] = std::exp(-deltaPow[c]);

    for (const ExponentialTerm& term : kExponentialTerms) {
        const double deltaC = deltaPow[term.c];
        const double value = term.n * deltaPow[term.d] * tauPow[term.t] * expMinusDeltaC[term.c];
        const double dFactor = term.d - term.c * deltaC; // delta d/d delta of the term / term
        r.phi += value;
        r.d += value * dFactor / delta;
        r.dd += value * (dFactor * (dFactor - 1) - term.c * term.c * deltaC) / (delta * delta);
        r.t += value * term.t / tau;
        r.tt += value * term.t * (term.t - 1) / (tau * tau);
        r.dt += value * dFactor * term.t / (delta * tau);
    }
}

void addGaussianTerms(double delta, double tau, HelmholtzTerms& r)
{
    for (const GaussianTerm& term : kGaussianTerms) {
        const double dd = delta - term.epsilon;
        const double dt = tau - term.gamma;
        const double value = term.n * std::pow(delta, term.d) * std::pow(tau, term.t)
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

    for (const NonAnalyticTerm& term : kNonAnalyticTerms) {
        const double theta = (1 - tau) + term.bigA * std::pow(dm1Sq, 1 / (2 * term.beta));
        const double dist = theta * theta + term.bigB * std::pow(dm1Sq, term.a);
        const double psi = std::exp(-term.bigC * dm1Sq - term.bigD * tm1 * tm1);

        const double powHalfBetaM1 = std::pow(dm1Sq, 1 / (2 * term.beta) - 1);
        const double distD = dm1
            * (term.bigA * theta * (2 / term.beta) * powHalfBetaM1
               + 2 * term.bigB * term.a * std::pow(dm1Sq, term.a - 1));
        const double distDD = distD / dm1
            + dm1Sq
                * (4 * term.bigB * term.a * (term.a - 1) * std::pow(dm1Sq, term.a - 2)
                   + 2 * term.bigA * term.bigA * (1 / (term.beta * term.beta)) * powHalfBetaM1
                       * powHalfBetaM1
                   + term.bigA * theta * (4 / term.beta) * (1 / (2 * term.beta) - 1)
                       * std::pow(dm1Sq, 1 / (2 * term.beta) - 2));

        const double distB = std::pow(dist, term.b);
        const double distBM1 = std::pow(dist, term.b - 1);
        const double distBM2 = distBM1 / dist;
        const double distBD = term.b * distBM1 * distD;
        const double distBDD = term.b * (distBM1 * distDD + (term.b - 1) * distBM2 * distD * distD);
        const double distBT = -2 * theta * term.b * distBM1;
        const double distBTT = 2 * term.b * distBM1 + 4 * theta * theta * term.b * (term.b - 1) * distBM2;
        const double distBDT = -term.bigA * term.b * (2 / term.beta) * distBM1 * dm1 * powHalfBetaM1
            - 2 * theta * term.b * (term.b - 1) * distBM2 * distD;

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
    addPolynomialTerms(delta, tau, r);
    addExponentialTerms(delta, tau, r);
    addGaussianTerms(delta, tau, r);
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
