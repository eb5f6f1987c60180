// Texts that the program shows about itself; its names are in base/appidentity.h.
#pragma once

#include "base/appidentity.h"
#include "base/version.h"

#include <QString>

namespace qrv {

// "QRV 1.00.0000": major, minor in two digits, revision in four.
inline QString versionCaption()
{
    return QStringLiteral("QRV %1.%2.%3")
        .arg(kVersionMajor)
        .arg(kVersionMinor, 2, 10, QLatin1Char('0'))
        .arg(kVersionRevision, 4, 10, QLatin1Char('0'));
}

inline const QString kProductDescription = QStringLiteral(
    "QRV calculates the energetics of explosive water/magma interaction. From the magma "
    "temperature, the temperature and confining pressure of the water (or of water-saturated "
    "sediment) and the water/magma mass ratio it finds the equilibrium state of the heated "
    "water, expands it to ambient pressure along an adiabatic and an isothermal path, and "
    "reports for each the final state, the steam and water fractions and the conversion "
    "ratio: the share of the magma's heat that becomes thermodynamic work.");

inline const QString kDisclaimer = QStringLiteral(
    "The results are estimates from idealised models and fitted water properties. They are "
    "offered for research and teaching, without warranty of any kind; check them against "
    "independent data before relying on them.");

} // namespace qrv
