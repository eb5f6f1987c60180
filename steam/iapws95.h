// The Helmholtz free energy of ordinary water (IAPWS-95) and the properties that follow from
// it at a given temperature and density.
#pragma once

namespace qrv::steam {

// A dimensionless Helmholtz function phi(delta, tau) and its derivatives,
// delta = rho / rho_c, tau = T_c / T.
struct HelmholtzTerms {
    double phi = 0;
    double d = 0;   // d phi / d delta
    double dd = 0;  // d2 phi / d delta2
    double t = 0;   // d phi / d tau
    double tt = 0;  // d2 phi / d tau2
    double dt = 0;  // d2 phi / d delta d tau
};

HelmholtzTerms idealPart(double delta, double tau);
HelmholtzTerms residualPart(double delta, double tau);

// SI throughout: Pa, K, kg/m3, m3/kg, J/kg, J/(kg K), m/s.
struct Properties {
    double pressurePa = 0;
    double temperatureK = 0;
    double density = 0;
    double specificVolume = 0;
    double internalEnergy = 0;
    double enthalpy = 0;
    double entropy = 0;
    double cv = 0;
    double cp = 0;
    double speedOfSound = 0;
    double gibbsEnergy = 0;
};

Properties propertiesAt(double temperatureK, double density);

// Pressure and its density derivative only, for the density and saturation solvers.
struct PressureTerms {
    double pressurePa;
    double dPdRho;      // Pa m3/kg
    double gibbsEnergy; // J/kg, less a function of temperature alone
};

PressureTerms pressureAt(double temperatureK, double density);

} // namespace qrv::steam
