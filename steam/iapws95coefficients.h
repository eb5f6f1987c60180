// Coefficients of the Helmholtz free energy of ordinary water, from the IAPWS revised release
// on the IAPWS formulation 1995 for the thermodynamic properties of ordinary water substance
// for general and scientific use (IAPWS R6-95(2018)), tables 1 and 2.
#pragma once

#include <array>

namespace qrv::steam::iapws95 {

inline constexpr double kCriticalTemperatureK = 647.096;
inline constexpr double kCriticalDensity = 322.0;          // kg/m3
inline constexpr double kGasConstant = 461.51805;          // J/(kg K)
inline constexpr double kCriticalPressurePa = 22.064e6;
inline constexpr double kTriplePointTemperatureK = 273.16;
inline constexpr double kTriplePointPressurePa = 611.657;

// Ideal-gas part: ln(delta) + n1 + n2 tau + n3 ln(tau) + sum n ln(1 - exp(-gamma tau)).
inline constexpr double kIdealN1 = -8.3204464837497;
inline constexpr double kIdealN2 = 6.6832105275932;
inline constexpr double kIdealN3 = 3.00632;

struct IdealExponentialTerm {
    double n;
    double gamma;
};

inline constexpr std::array<IdealExponentialTerm, 5> kIdealExponentialTerms{{
    {0.012436, 1.28728967},
    {0.97315, 3.53734222},
    {1.27950, 7.74073708},
    {0.96956, 9.24437796},
    {0.24873, 27.5075105},
}};

// Residual part, terms 1 to 7: n delta^d tau^t.
struct PolynomialTerm {
    double n;
    int d;
    double t;
};

inline constexpr std::array<PolynomialTerm, 7> kPolynomialTerms{{
    {0.12533547935523e-1, 1, -0.5},
    {0.78957634722828e1, 1, 0.875},
    {-0.87803203303561e1, 1, 1.0},
    {0.31802509345418, 2, 0.5},
    {-0.26145533859358, 2, 0.75},
    {-0.78199751687981e-2, 3, 0.375},
    {0.88089493102134e-2, 4, 1.0},
}};

// Terms 8 to 51: n delta^d tau^t exp(-delta^c).
struct ExponentialTerm {
    double n;
    int c;
    int d;
    int t;
};

inline constexpr int kMaxExponentialD = 15;
inline constexpr int kMaxExponentialT = 50;
inline constexpr int kMaxExponentialC = 6;

inline constexpr std::array<ExponentialTerm, 44> kExponentialTerms{{
    {-0.66856572307965, 1, 1, 4},
    {0.20433810950965, 1, 1, 6},
    {-0.66212605039687e-4, 1, 1, 12},
    {-0.19232721156002, 1, 2, 1},
    {-0.25709043003438, 1, 2, 5},
    {0.16074868486251, 1, 3, 4},
    {-0.40092828925807e-1, 1, 4, 2},
    {0.39343422603254e-6, 1, 4, 13},
    {-0.75941377088144e-5, 1, 5, 9},
    {0.56250979351888e-3, 1, 7, 3},
    {-0.15608652257135e-4, 1, 9, 4},
    {0.11537996422951e-8, 1, 10, 11},
    {0.36582165144204e-6, 1, 11, 4},
    {-0.13251180074668e-11, 1, 13, 13},
    {-0.62639586912454e-9, 1, 15, 1},
    {-0.10793600908932, 2, 1, 7},
    {0.17611491008752e-1, 2, 2, 1},
    {0.22132295167546, 2, 2, 9},
    {-0.40247669763528, 2, 2, 10},
    {0.58083399985759, 2, 3, 10},
    {0.49969146990806e-2, 2, 4, 3},
    {-0.31358700712549e-1, 2, 4, 7},
    {-0.74315929710341, 2, 4, 10},
    {0.47807329915480, 2, 5, 10},
    {0.20527940895948e-1, 2, 6, 6},
    {-0.13636435110343, 2, 6, 10},
    {0.14180634400617e-1, 2, 7, 10},
    {0.83326504880713e-2, 2, 9, 1},
    {-0.29052336009585e-1, 2, 9, 2},
    {0.38615085574206e-1, 2, 9, 3},
    {-0.20393486513704e-1, 2, 9, 4},
    {-0.16554050063734e-2, 2, 9, 8},
    {0.19955571979541e-2, 2, 10, 6},
    {0.15870308324157e-3, 2, 10, 9},
    {-0.16388568342530e-4, 2, 12, 8},
    {0.43613615723811e-1, 3, 3, 16},
    {0.34994005463765e-1, 3, 4, 22},
    {-0.76788197844621e-1, 3, 4, 23},
    {0.22446277332006e-1, 3, 5, 23},
    {-0.62689710414685e-4, 4, 14, 10},
    {-0.55711118565645e-9, 6, 3, 50},
    {-0.19905718354408, 6, 6, 44},
    {0.31777497330738, 6, 6, 46},
    {-0.11841182425981, 6, 6, 50},
}};

// Terms 52 to 54: n delta^d tau^t exp(-alpha (delta - epsilon)^2 - beta (tau - gamma)^2).
struct GaussianTerm {
    double n;
    int d;
    int t;
    double alpha;
    double beta;
    double gamma;
    double epsilon;
};

inline constexpr std::array<GaussianTerm, 3> kGaussianTerms{{
    {-0.31306260323435e2, 3, 0, 20.0, 150.0, 1.21, 1.0},
    {0.31546140237781e2, 3, 1, 20.0, 150.0, 1.21, 1.0},
    {-0.25213154341695e4, 3, 4, 20.0, 250.0, 1.25, 1.0},
}};

// Terms 55 and 56, non-analytic at the critical point: n Delta^b delta psi with
// Delta = theta^2 + B ((delta-1)^2)^a, theta = (1 - tau) + A ((delta-1)^2)^(1/(2 beta)),
// psi = exp(-C (delta-1)^2 - D (tau-1)^2).
struct NonAnalyticTerm {
    double n;
    double a;
    double b;
    double bigB;
    double bigC;
    double bigD;
    double bigA;
    double beta;
};

inline constexpr std::array<NonAnalyticTerm, 2> kNonAnalyticTerms{{
    {-0.14874640856724, 3.5, 0.85, 0.2, 28.0, 700.0, 0.32, 0.3},
    {0.31806110878444, 3.5, 0.95, 0.2, 32.0, 800.0, 0.32, 0.3},
}};

} // namespace qrv::steam::iapws95
